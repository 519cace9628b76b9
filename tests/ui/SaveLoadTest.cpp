// The window's Save and Load, clicked as a person clicks them, against every kind of place a file
// dialog can name: files, links, devices, pipes, folders, and disks that are full, read-only or fail.

#include <QPushButton>
#include <QtTest>
#include <memory>

#include "WindowDriver.h"
#include "support/FilePlaces.h"
#include "support/SmallTmpfs.h"
#include "ui/MainWindow.h"

using namespace vorix;

namespace {

// A window whose Load and Save go to `disk`, with the dialogs answered by the test.
struct Window : test::WindowDriver {
    explicit Window(FileSystem& through) {
        disk = &through;
        start("0.5");
    }
    // Chooses path in the file dialog, confirms every question and clicks the button.
    std::string click(const char* button, const std::string& path) {
        files.paths.push_back(path);
        messages.shown.clear();
        QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
        return critical();
    }
    test::Bytes image() const { return {state.image.bytes().begin(), state.image.bytes().end()}; }
};

} // namespace

class SaveLoadTest : public QObject {
    Q_OBJECT

private slots:
    void saveToEveryKindOfPlace() {
        for (const test::OutputCase& c : test::OutputCases()) {
            test::FaultyDisk disk;
            test::OutputPlace place(c, disk);
            Window w(disk);
            const std::string message = w.click("CommandSave", place.path());
            const std::string problems = place.check(w.image(), message.empty(), message);
            QVERIFY2(problems.empty(), (std::string(c.name) + ": " + problems).c_str());
        }
    }

    void loadFromEveryKindOfPlace() {
        for (const test::InputCase& c : test::InputCases()) {
            const test::InputPlace place(c);
            test::FaultyDisk disk;
            Window w(disk);
            const test::Bytes before = w.image();
            const std::string message = w.click("CommandLoad", place.path());
            QCOMPARE(message.empty(), w.image() != before); // a failed Load leaves the image as it was
            const std::string problems =
                place.check(message.empty() ? std::optional(w.image()) : std::nullopt, message);
            QVERIFY2(problems.empty(), (std::string(c.name) + ": " + problems).c_str());
        }
    }

    // A real filesystem that is full: the save fails with the system's reason and the old file stays.
    void saveOnAFullDiskKeepsTheOldFile() {
        const std::string old(128, '\x5A');
        test::SmallTmpfs full(old);
        if (!full.available())
            QSKIP("no filesystem can be mounted here");
        test::FaultyDisk disk; // with no fault: the disk's own
        Window w(disk);
        for (const char* name : {"data.rdat", "new.rdat"}) {
            const std::string message = w.click("CommandSave", full.folder().file(name));
            QVERIFY2(message.rfind("The file was not saved: No space left on device", 0) == 0,
                     message.c_str());
        }
        QCOMPARE(full.folder().content("data.rdat"), old);
        QCOMPARE(full.folder().names(), (std::vector<std::string>{"data.rdat", "filler"}));
    }
};

QTEST_MAIN(SaveLoadTest)
#include "SaveLoadTest.moc"
