// Opening files from outside the Load button: the file named on the command line, a file dropped on
// the window, the program's terminal answers, and the folder the file dialogs start in.

#include <QAction>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QUrl>
#include <QtTest>
#include <memory>

#include "WindowDriver.h"
#include "ui/ImageHistory.h"
#include "ui/MainWindow.h"

using namespace vorix;

namespace {

struct Window : test::WindowDriver {
    Window() { start("0.5"); }
    bool asked(TextId id) const {
        for (const auto& shown : messages.shown)
            if (shown.text == Text(id, Language::English))
                return true;
        return false;
    }
    // Drops the file as a file manager does: a local URL released over the window.
    void drop(const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        const QPoint at = window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
    }
};

ImageBytes pattern() {
    ImageBytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return bytes;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, int size) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return path;
    const ImageBytes bytes = pattern();
    file.write(reinterpret_cast<const char*>(bytes.data()), size);
    return path;
}

QString writeText(const QTemporaryDir& dir, const QString& name, const char* text) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
    return path;
}

QString runProgram(const QString& argument, const QStringList& more = {},
                   const QString& name = QStringLiteral(VORIX_PROGRAM)) {
    QProcess program;
    program.start(name, QStringList{argument} + more);
    if (!program.waitForFinished(20000) || program.exitCode() != 0)
        return QStringLiteral("failed");
    return QString::fromUtf8(program.readAllStandardOutput());
}

} // namespace

class OpeningTest : public QObject {
    Q_OBJECT

private slots:
    void fileNamedAtStart() {
        QTemporaryDir dir;
        const struct {
            const char* name;
            int size; // -1: no file
            TextId message;
            bool loaded;
        } cases[] = {
            {"good.rdat", kImageSize, TextId::Count, true},
            {"short.rdat", kImageSize - 1, TextId::FileTooShort, false},
            {"missing.rdat", -1, TextId::FileCannotOpen, false},
        };
        for (const auto& c : cases) {
            Window w;
            const QString path = c.size < 0 ? dir.filePath(QString::fromLatin1(c.name))
                                            : writeFile(dir, QString::fromLatin1(c.name), c.size);
            const ImageBytes before = w.state.image.bytes();
            w.window->openAtStart(path.toStdString());
            QVERIFY2(w.state.image.bytes() == (c.loaded ? pattern() : before), c.name);
            const std::string message = w.critical();
            if (c.loaded)
                QVERIFY2(message.empty(), c.name);
            else
                QVERIFY2(message.starts_with(Text(c.message, Language::English)), c.name);
        }
    }

    void answersOnTheTerminal() {
        QCOMPARE(runProgram(QStringLiteral("--version")), QStringLiteral("vorix %1.%2.%3\n")
                                                              .arg(VORIX_VERSION_MAJOR)
                                                              .arg(VORIX_VERSION_MINOR)
                                                              .arg(VORIX_VERSION_REVISION));
        const QString help = runProgram(QStringLiteral("--help"));
        QVERIFY2(help.contains(QStringLiteral("--version")) && help.contains(QStringLiteral("[file]")),
                 qPrintable(help));
    }

    void droppedFile() {
        QTemporaryDir dir;
        const struct {
            const char* name;
            int size;
            bool modified;
            bool loaded;
            TextId message; // Count: none
        } cases[] = {
            {"club.rdat", kImageSize, false, true, TextId::Count},
            {"CLUB.RDAT", kImageSize, true, true, TextId::Count},
            {"short.rdat", 10, false, false, TextId::FileTooShort},
            {"club.csv", kImageSize, false, false, TextId::FileNotDroppable},
        };
        for (const auto& c : cases) {
            Window w;
            if (c.modified)
                w.window->history()->record("edit",
                                            [&] { w.state.image.write(0, w.state.image.read(0) ^ 1); });
            if (c.modified)
                w.messages.answers = {MessageAnswer::Discard}; // Save changes? covers the Load question
            const ImageBytes before = w.state.image.bytes();
            w.drop(writeFile(dir, QString::fromLatin1(c.name), c.size));
            QVERIFY2(w.state.image.bytes() == (c.loaded ? pattern() : before), c.name);
            QCOMPARE(w.asked(TextId::SaveChanges), c.modified);
            if (c.message == TextId::Count)
                QVERIFY2(w.critical().empty(), c.name);
            else
                QVERIFY2(w.critical().starts_with(Text(c.message, Language::English)), c.name);
        }
    }

    // File > Export CSV writes what vorix-cli show --csv prints for the same file, into the folder
    // chosen, and a place that cannot take it is named in the message.
    void exportCsvWritesWhatTheCommandLineShows() {
        QTemporaryDir dir;
        const QString image = writeFile(dir, QStringLiteral("club.rdat"), kImageSize);
        const QString expected =
            runProgram(QStringLiteral("show"), {QStringLiteral("--csv"), image}, QStringLiteral(VORIX_CLI));
        QVERIFY(expected.contains(QLatin1Char(',')));
        const struct {
            QString path;
            bool written;
        } cases[] = {{dir.filePath(QStringLiteral("club.csv")), true}, {dir.path(), false}};
        for (const auto& c : cases) {
            Window w;
            w.window->openAtStart(image.toStdString());
            w.files.paths = {c.path.toStdString()};
            w.window->findChild<QAction*>(QStringLiteral("ActionExportCsv"))->trigger();
            QCOMPARE(w.files.requests.back().defaultSuffix, std::string("csv"));
            QCOMPARE(w.critical().empty(), c.written);
            if (!c.written)
                continue;
            QFile file(c.path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(file.readAll()), expected);
        }
    }

    // Export, import into a fresh window, export again: the same table. The import is one undo step.
    void importCsvRoundTripAsOneUndoStep() {
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("first.csv"));
        const QString second = dir.filePath(QStringLiteral("second.csv"));
        const QString typed =
            writeText(dir, QStringLiteral("typed.csv"),
                      "CH,Frequency,CTCSS/DCS,Channel Spacing,Tx Power\r\n"
                      "3,145.5,88.5,12.5K(Narrow),Low\r\n9,439.125,D023N,25K(Wide),High\r\n");
        Window from;
        from.files.paths = {typed.toStdString(), first.toStdString()};
        from.window->findChild<QAction*>(QStringLiteral("ActionImportCsv"))->trigger();
        from.window->findChild<QAction*>(QStringLiteral("ActionExportCsv"))->trigger();
        QVERIFY(from.critical().empty());

        Window to;
        const ImageBytes before = to.state.image.bytes();
        to.files.paths = {first.toStdString(), second.toStdString()};
        to.window->findChild<QAction*>(QStringLiteral("ActionImportCsv"))->trigger();
        QVERIFY(to.critical().empty());
        QVERIFY(to.state.image.bytes() != before);
        to.window->findChild<QAction*>(QStringLiteral("ActionExportCsv"))->trigger();
        QFile a(first), b(second);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(b.readAll(), a.readAll());
        QCOMPARE(to.window->history()->stack()->count(), 1);
        to.window->history()->stack()->undo();
        QCOMPARE(to.state.image.bytes(), before);
    }

    // Every replaced or refused value is listed with its row and column; the rest is applied.
    void importCsvListsItsNotes() {
        QTemporaryDir dir;
        const struct {
            const char* name;
            const char* text;
            QStringList notes; // how each listed note starts
        } cases[] = {
            {"grid.csv",
             "CH,Frequency,CTCSS/DCS,Channel Spacing,Tx "
             "Power\r\n1,145.5,,,\r\n2,999.5,,,\r\n3,146.52,zz,,\r\n",
             {QStringLiteral("row 3, column 2"), QStringLiteral("row 4, column 3")}},
            {"list.csv",
             "Location,Frequency,Duplex,Mode\r\n1,145.500000,,FM\r\n2,146.000000,+,FM\r\n",
             {QStringLiteral("row 3")}},
        };
        for (const auto& c : cases) {
            Window w;
            w.files.paths = {writeText(dir, QString::fromLatin1(c.name), c.text).toStdString()};
            w.window->findChild<QAction*>(QStringLiteral("ActionImportCsv"))->trigger();
            auto* list = w.window->findChild<QListWidget*>(QStringLiteral("ImportNotesList"));
            QVERIFY2(list, w.critical().c_str());
            QStringList shown;
            for (int i = 0; i < list->count(); ++i)
                shown << list->item(i)->text();
            bool match = shown.size() == c.notes.size();
            for (int i = 0; match && i < shown.size(); ++i)
                match = shown[i].startsWith(c.notes[i]);
            QVERIFY2(match, qPrintable(shown.join(QLatin1Char('|'))));
            QCOMPARE(w.window->history()->stack()->count(), 1);
        }
    }

    void dialogsStartInTheLastFolder() {
        QTemporaryDir dir;
        Window w;
        w.user.values["LastFolder"] = StoredValue{StoredValue::Type::Text, "/kept/folder", 0};
        QTest::mouseClick(w.window->findChild<QPushButton*>(QStringLiteral("CommandSave")), Qt::LeftButton);
        QCOMPARE(w.files.requests.back().folder, std::string("/kept/folder"));
        // A file loaded elsewhere moves the start to its folder, for Load and Save alike.
        w.files.paths = {writeFile(dir, QStringLiteral("a.rdat"), kImageSize).toStdString()};
        QTest::mouseClick(w.window->findChild<QPushButton*>(QStringLiteral("CommandLoad")), Qt::LeftButton);
        QCOMPARE(w.state.image.bytes(), pattern());
        QTest::mouseClick(w.window->findChild<QPushButton*>(QStringLiteral("CommandLoad")), Qt::LeftButton);
        QCOMPARE(w.files.requests.back().folder, dir.path().toStdString());
    }
};

QTEST_MAIN(OpeningTest)
#include "OpeningTest.moc"
