// Vorix: programming tool for the 16-channel handheld radio.

#include <QApplication>
#include <QWidget>

#include "image/AppState.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    vorix::AppState state;
    QWidget window;
    window.setWindowTitle(QStringLiteral("Vorix"));
    window.show();
    return app.exec();
}
