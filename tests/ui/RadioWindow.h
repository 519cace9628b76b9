#pragma once
// The main window with its real link dialogs, and the simulated radio on a pseudo-terminal linked
// into the test's ports folder as COM97: whole runs as a person starts them.

#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

#include "ModalDriver.h"
#include "SimImage.h"
#include "TestPortsFolder.h"
#include "image/ChannelView.h"
#include "support/FakeDialogs.h"
#include "support/FakeSettingsScope.h"
#include "support/PtyRadio.h"
#include "ui/ChannelGrid.h"
#include "ui/LinkDialogs.h"
#include "ui/MainWindow.h"
#include "ui/ProgrammingDialog.h"

namespace vorix::test {

constexpr int kRadioPort = 97;
constexpr std::uint8_t kEndByte = 0x45;

inline ImageBytes ToImage(const sim::Memory& memory) {
    ImageBytes bytes{};
    std::copy(memory.begin(), memory.end(), bytes.begin());
    return bytes;
}

/// What a closing programming dialog showed.
struct DialogOutcome {
    int closes = 0;
    QString caption;
    QString result;
    bool resultShown = false;
};

struct Fixture {
    test::FakeSettingsScope machine, user;
    SettingsStore settings{machine, user};
    test::FakeMessageBoxes messages; // the main window's own boxes
    test::FakeMessageBoxes prompts;  // the link's questions, unless real boxes are asked for
    test::FakeFileDialogs files;
    AppState state;
    std::unique_ptr<LinkDialogs> dialogs;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<test::PtyRadio> radio;
    DialogOutcome outcome;
    QTemporaryDir backups;

    void start(sim::Memory radioMemory, sim::Faults faults = {}, bool realPrompts = false) {
        radio = std::make_unique<test::PtyRadio>(radioMemory, std::move(faults));
        QVERIFY(radio->isValid());
        QVERIFY(test::TestPortsFolder::link(kRadioPort, radio->device()));
        dialogs = std::make_unique<LinkDialogs>(state, settings, realPrompts ? nullptr : &prompts);
        dialogs->setReadBackupFolder(backups.path().toStdString());
        // The user's number format, as the tool starts.
        MainWindowServices services{settings, messages, files, QLocale::system().toString(0.5).toStdString(),
                                    {},       {}};
        dialogs->attach(services);
        window = std::make_unique<MainWindow>(state, services);
        dialogs->setMainWindow(window.get());
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        state.portNumber = kRadioPort;
    }
    ~Fixture() { test::TestPortsFolder::unlink(kRadioPort); }

    /// Presses the dialog's start button as soon as the dialog is up, and notes what it shows
    /// when it closes.
    void pressStartButton(QWidget* modal) {
        auto* dialog = qobject_cast<ProgrammingDialog*>(modal);
        if (!dialog)
            return;
        QObject::connect(dialog, &QDialog::finished, dialog, [this, dialog] {
            ++outcome.closes;
            outcome.caption = dialog->windowTitle();
            auto* result = dialog->findChild<QLineEdit*>(QStringLiteral("TextShow"));
            outcome.result = result->text();
            outcome.resultShown = result->isVisibleTo(dialog);
        });
        const char* start = state.readMode ? "CommandRead" : "CommandWrite";
        QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(start)), Qt::LeftButton);
    }

    /// Presses a main window button; returns once its modal dialog has closed.
    void pressMain(const char* button, const test::ModalDriver::Handler& handler) {
        run(
            [&] {
                QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(button)),
                                  Qt::LeftButton);
            },
            handler);
    }
    /// Does what opens modal windows; returns once they have all closed.
    void run(const std::function<void()>& press, const test::ModalDriver::Handler& handler) {
        test::ModalDriver driver(handler);
        press();
        QVERIFY2(!driver.timedOut(), "a modal window stayed open");
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
    void read() {
        pressMain("CommandRead", [this](QWidget* modal) { pressStartButton(modal); });
    }
    void write() {
        pressMain("CommandWrite", [this](QWidget* modal) { pressStartButton(modal); });
    }

    QString status() const { return window->findChild<QStatusBar*>()->currentMessage(); }

    std::array<ChannelRowTexts, 16> tableRows() const {
        std::array<ChannelRowTexts, 16> rows;
        for (int channel = 1; channel <= 16; ++channel)
            for (int column = 1; column <= 4; ++column)
                rows[static_cast<std::size_t>(channel - 1)][static_cast<std::size_t>(column - 1)] =
                    window->grid()->cellText(channel, column);
        return rows;
    }
    /// The rows the table shows for an image.
    std::array<ChannelRowTexts, 16> rowsOf(const ImageBytes& bytes) const {
        AppState view = state;
        view.image.replaceAll(bytes);
        return BuildTableView(view).rows;
    }
    bool endByteSent() const { return radio->received().endsWith(char(kEndByte)); }
    /// The backups the reads left, oldest name first.
    QStringList backupFiles() const {
        return QDir(backups.path()).entryList({"*.rdat"}, QDir::Files, QDir::Name);
    }
};

} // namespace vorix::test
