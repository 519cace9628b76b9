#include "ui/LinkDialogs.h"

#include "platform/PosixFileSystem.h"
#include "store/ReadBackups.h"
#include "ui/ProgrammingDialog.h"
#include "ui/QtMessageBoxes.h"

namespace vorix {

LinkDialogs::LinkDialogs(AppState& state, SettingsStore& settings, MessageBoxes* prompts, PortProber probe)
    : state_(state), settings_(settings), prompts_(prompts), probe_(std::move(probe)) {
    if (!probe_)
        probe_ = [] { return ProbePorts(); };
}

void LinkDialogs::attach(MainWindowServices& services) {
    services.openProgrammingDialog = [this] { openProgrammingDialog(); };
    services.openPortDialog = [this] { openPortDialog(); };
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
            // A backup that cannot be written never disturbs the read.
            std::optional<std::filesystem::path> backup;
            if (!backupFolder_.empty())
                backup = SaveReadBackup(MachineFileSystem(), backupFolder_, state_.image.bytes(),
                                        std::chrono::system_clock::now());
            if (window)
                window->onImageRead(backup ? backup->string() : std::string());
        },
        window);
    boxes.setParent(&dialog);
    dialog.exec();
    if (window && dialog.linkResult() == link::LinkResult::WriteOk)
        window->onImageWritten();
}

void LinkDialogs::openPortDialog() {
    PortDialog dialog(state_, settings_, probe_, window_);
    dialog.exec();
}

} // namespace vorix
