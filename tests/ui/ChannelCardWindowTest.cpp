// The channel card from the window: File > Export PDF… and File > Print… reached with the keys, the
// PDF's text read back with pdftotext, and targets that refuse the file.

#include <QAction>
#include <QDate>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "ModalDriver.h"
#include "WindowDriver.h"
#include "editing/ChannelCard.h"
#include "support/FaultyDisk.h"
#include "support/SampleImages.h"
#include "ui/MainWindow.h"
#include "ui/QtFileDialogs.h"

using namespace vorix;

namespace {

// The window with the sample image loaded from club.rdat in dir, writing through `disk`.
struct Window : test::WindowDriver {
    Window(FileSystem& through, const QTemporaryDir& dir, const RadioImage& image = test::SampleImage()) {
        const QString rdat = dir.filePath(QStringLiteral("club.rdat"));
        QFile file(rdat);
        const ImageBytes bytes = image.bytes();
        if (file.open(QIODevice::WriteOnly))
            file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        file.close();
        disk = &through;
        start();
        window->openAtStart(rdat.toStdString());
    }
    // Opens the File menu with Alt+F and presses the entry's underlined letter, as a person does.
    void fromFileMenu(Qt::Key letter) {
        QTest::keyClick(focus(), Qt::Key_F, Qt::AltModifier);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu && menu->objectName() == QStringLiteral("MenuFile"));
        QTest::keyClick(menu, letter);
    }
};

// The text pdftotext finds in the file; empty when it could not run.
QString pdfText(const QString& pdf) {
    QProcess program;
    program.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!program.waitForFinished(20000) || program.exitCode() != 0)
        return {};
    return QString::fromUtf8(program.readAllStandardOutput());
}

} // namespace

class ChannelCardWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Every used row's cells, every option's caption and text, the file's name and the date are in
    // the PDF's text, on one page; the dialog suggests the file's name beside the last folder.
    void exportPdfHoldsTheCard_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("full"); // all sixteen channels in use, else the sample's five
        QTest::newRow("English") << true << false;
        QTest::newRow("Chinese") << false << false;
        QTest::newRow("English, sixteen channels") << true << true;
        QTest::newRow("Chinese, sixteen channels") << false << true;
    }
    void exportPdfHoldsTheCard() {
        QFETCH(bool, english);
        QFETCH(bool, full);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            if (qEnvironmentVariableIsSet("CI")) // in CI a missing tool is a broken set-up, never a skip
                QFAIL("pdftotext (poppler-utils) is missing");
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        if (!english) {
            QProcess fonts;
            fonts.start(QStringLiteral("fc-list"), {QStringLiteral(":lang=zh")});
            if (!fonts.waitForFinished(20000) || fonts.readAllStandardOutput().trimmed().isEmpty())
                QSKIP("no font for Chinese is installed (fc-list :lang=zh is empty): the Chinese card "
                      "would hold no text to read back");
        }
        QTemporaryDir dir;
        test::FaultyDisk disk; // with no fault: the disk's own
        RadioImage image = test::SampleImage();
        for (int channel = 1; full && channel <= 16; ++channel)
            test::PutRecord(image, channel, {0x00, 0x50, 0x12, 0x46, 0x13, 0xA0, 0x10}); // 461.25000 D023I
        Window w(disk, dir, image);
        if (!english)
            w.window->findChild<QAction*>(QStringLiteral("ActionChinese"))->trigger();
        const QString pdf = dir.filePath(QStringLiteral("card.pdf"));
        w.files.paths = {pdf.toStdString()};
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        w.fromFileMenu(Qt::Key_D);
        QVERIFY2(w.critical().empty(), w.critical().c_str());
        QVERIFY(w.find<QStatusBar>("StatusBar")->currentMessage().endsWith(pdf));
        QCOMPARE(w.files.requests.size(), std::size_t{1});
        const FileDialogRequest& asked = w.files.requests.back();
        QCOMPARE(asked.fileName, std::string("club.pdf"));
        QCOMPARE(asked.defaultSuffix, std::string("pdf"));
        QCOMPARE(asked.folder, dir.path().toStdString());

        const QString text = pdfText(pdf);
        QCOMPARE(text.count(QLatin1Char('\f')), 1); // one page
        const ChannelCard card = BuildChannelCard(w.state, "club.rdat", today.toStdString());
        QCOMPARE(card.rows.size(), std::size_t{full ? 16u : 5u});
        QStringList expected{QString::fromStdString(card.title), QString::fromStdString(card.fileLine)};
        for (const TableRow& row : card.rows)
            for (const std::string& cell : row)
                expected << QString::fromStdString(cell);
        for (const auto& [caption, shown] : card.options)
            expected << QString::fromStdString(caption) << QString::fromStdString(shown);
        for (const QString& wanted : expected)
            QVERIFY2(text.contains(wanted), qPrintable(wanted + QStringLiteral(" not in:\n") + text));
        QVERIFY(text.contains(today) || text.contains(QDate::currentDate().toString(Qt::ISODate)));
    }

    // A target that refuses the PDF keeps its old content, and the message says why and where.
    void exportPdfToARefusingDiskKeepsTheOldFile() {
        const struct {
            test::FaultyDisk::Step step;
            std::errc error;
        } cases[] = {
            {test::FaultyDisk::Step::Write, std::errc::no_space_on_device},
            {test::FaultyDisk::Step::Rename, std::errc::read_only_file_system},
        };
        for (const auto& c : cases) {
            QTemporaryDir dir;
            const QString pdf = dir.filePath(QStringLiteral("club.pdf"));
            QFile old(pdf);
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old card") == 8);
            old.close();
            test::FaultyDisk disk;
            disk.fail(c.step, c.error);
            disk.fail(test::FaultyDisk::Step::OpenForWriting, c.error);
            Window w(disk, dir);
            w.files.paths = {pdf.toStdString()};
            w.fromFileMenu(Qt::Key_D);
            // The system's reason, in the language the process runs in.
            const std::string expected =
                "The file was not saved: " + std::make_error_code(c.error).message() + "\n" +
                pdf.toStdString();
            QCOMPARE(w.critical(), expected);
            QVERIFY(!w.find<QStatusBar>("StatusBar")->currentMessage().contains(pdf));
            QVERIFY(old.open(QIODevice::ReadOnly));
            QCOMPARE(old.readAll(), QByteArray("old card"));
            old.close();
        }
    }

    // The save dialog opens in the folder asked for with the suggested name filled in: Enter takes it.
    void theSaveDialogSuggestsTheName() {
        QTemporaryDir dir;
        FileDialogRequest request = MakeFileDialogRequest("Save", "Export PDF", Language::English);
        request.defaultSuffix = "pdf";
        request.folder = dir.path().toStdString();
        request.fileName = "club.pdf";
        QString typed;
        test::ModalDriver driver(
            [&typed](QWidget*) {
                if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
                    typed = field->text();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            },
            5000);
        QtFileDialogs dialogs;
        const std::string chosen = dialogs.choose(request);
        QVERIFY(!driver.timedOut());
        QCOMPARE(typed, QStringLiteral("club.pdf"));
        QCOMPARE(chosen, dir.filePath(QStringLiteral("club.pdf")).toStdString());
    }

    // Ctrl+P opens the print preview with the card; closing it prints nothing and changes nothing.
    void printOpensThePreview() {
        QTemporaryDir dir;
        test::FaultyDisk disk;
        Window w(disk, dir);
        const ImageBytes before = w.state.image.bytes();
        QStringList opened; // the windows are gone once the preview returns: their names are kept
        test::ModalDriver driver([&opened](QWidget* modal) {
            opened << QString::fromLatin1(modal->metaObject()->className()) + QLatin1Char(' ') +
                          modal->objectName();
            modal->close();
        });
        w.keys(QKeySequence::Print);
        QVERIFY(!driver.timedOut());
        QCOMPARE(opened, QStringList{QStringLiteral("QPrintPreviewDialog PrintPreview")});
        QCOMPARE(w.state.image.bytes(), before);
        QVERIFY(w.critical().empty());
    }
};

QTEST_MAIN(ChannelCardWindowTest)
#include "ChannelCardWindowTest.moc"
