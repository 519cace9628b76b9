// The yardstick of the start-up benchmark: the least a Qt Widgets tool with a channel table does, a
// window holding a 17x5 table with a header row of texts. StartupProbe.cpp is linked beside it.

#include <QApplication>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    auto* table = new QTableWidget(17, 5, &window);
    const char* headers[] = {"CH", "Frequency", "CTCSS/DCS", "Channel Spacing", "Tx Power"};
    for (int column = 0; column < 5; ++column)
        table->setItem(0, column, new QTableWidgetItem(QString::fromLatin1(headers[column])));
    for (int row = 1; row < 17; ++row)
        table->setItem(row, 0, new QTableWidgetItem(QString::number(row)));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(table);
    window.show();
    return app.exec();
}
