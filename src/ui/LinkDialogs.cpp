#include "ui/LinkDialogs.h"

#include <QTimer>

#include "platform/PosixFileSystem.h"
#include "store/ReadBackups.h"
#include "ui/ProgrammingDialog.h"
#include "ui/QtMessageBoxes.h"

namespace vorix {

LinkDialogs::LinkDialogs(AppState& state, SettingsStore& settings, MessageBoxes* prompts, PortProber probe)
    : state_(state), settings_(settings), prompts_(prompts), probe_(std::move(probe)) {}

void LinkDialogs::attach(MainWindowServices& services) {
    services.openProgrammingDialog = [this] { openProgrammingDialog(); };
    services.openPortDialog = [this] { openPortDialog(); };
    services.readBack = [this](RadioImage& into) { return readBack(into); };
}

void LinkDialogs::openProgrammingDialog() {
    // The link's questions stand over the dialog that asks them, not over the main window.
    QtMessageBoxes boxes;
    MessageBoxes& prompts = prompts_ ? *prompts_ : boxes;
    MainWindow* window = window_;
    ProgrammingDialog dialog(
        state_, prompts,
        [this, window] {
            // Called only after a successful read: keep what the radio held before anything edits it.
            // A backup that cannot be written never disturbs the read: the status bar then names none.
            std::string backup;
            if (!backupFolder_.empty()) {
                const Result<std::filesystem::path> saved =
                    SaveReadBackup(MachineFileSystem(), backupFolder_, state_.image.bytes(),
                                   std::chrono::system_clock::now());
                if (saved.ok())
                    backup = saved.value().string();
            }
            if (window)
                window->onImageRead(backup);
        },
        window);
    boxes.setParent(&dialog);
    dialog.exec();
    if (window && dialog.linkResult() == link::LinkResult::WriteOk)
        window->onImageWritten();
}

ReadBack LinkDialogs::readBack(RadioImage& into) {
    QtMessageBoxes boxes;
    MessageBoxes& prompts = prompts_ ? *prompts_ : boxes;
    // The radio's image lands in a state of its own: the window keeps the image that was written.
    AppState radio = state_;
    radio.readMode = true;
    ProgrammingDialog dialog(radio, prompts, {}, window_);
    boxes.setParent(&dialog);
    // The read starts as soon as the dialog's event loop runs, as if its Read button had been pressed.
    QTimer::singleShot(0, &dialog, &ProgrammingDialog::onReadClicked);
    const int closedBy = dialog.exec();
    if (dialog.linkResult() == link::LinkResult::ReadOk) {
        into = radio.image;
        return ReadBack::Done;
    }
    // Cancel, Esc and the close box reject; a run the link gave up on closes the dialog itself.
    return closedBy == QDialog::Rejected ? ReadBack::Cancelled : ReadBack::Failed;
}

void LinkDialogs::openPortDialog() {
    // Each opening scans afresh; its polls then open only the devices that are new to it.
    SystemPortDevices devices;
    PortScan scan(SystemPortResolver(), devices);
    PortDialog dialog(state_, settings_, probe_ ? probe_ : PortProber([&scan] { return scan.poll(); }),
                      window_);
    dialog.exec();
}

} // namespace vorix
