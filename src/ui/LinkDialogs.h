#pragma once
// Opens the programming dialog and the serial port dialog for the main window's buttons.

#include <filesystem>

#include "image/AppState.h"
#include "platform/MessageBoxes.h"
#include "store/SettingsStore.h"
#include "ui/MainWindow.h"
#include "ui/PortDialog.h"

namespace vorix {

/// The main window's Read, Write, read-back and COM PORT hooks: each press opens a fresh dialog modally over
/// the main window and returns when it has closed. Outlives the main window it serves.
class LinkDialogs {
public:
    /// prompts answers the link's questions; null shows real message boxes over the programming
    /// dialog. probe lists the ports for the port dialog; empty probes this machine's COM1..99.
    LinkDialogs(AppState& state, SettingsStore& settings, MessageBoxes* prompts = nullptr,
                PortProber probe = {});

    /// Points the two hooks of services at this object; call before the main window is made.
    void attach(MainWindowServices& services);
    /// The window the dialogs are opened over and refresh after a read; set once it exists.
    void setMainWindow(MainWindow* window) { window_ = window; }
    /// Every successful read is also saved there as a dated .rdat; empty keeps no backups.
    void setReadBackupFolder(std::filesystem::path folder) { backupFolder_ = std::move(folder); }

    /// readMode is already set (and for a write the write mark): one run in a new ProgrammingDialog.
    void openProgrammingDialog();
    /// A read of the radio into `into` in a new ProgrammingDialog that starts without a press; the
    /// shared image is not touched and no backup is kept.
    ReadBack readBack(RadioImage& into);
    /// A new PortDialog.
    void openPortDialog();

private:
    AppState& state_;
    SettingsStore& settings_;
    MessageBoxes* prompts_;
    PortProber probe_;
    MainWindow* window_ = nullptr;
    std::filesystem::path backupFolder_;
};

} // namespace vorix
