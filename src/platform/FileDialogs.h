#pragma once
// The open and save file dialogs behind an interface, and the request the data file flows make.

#include "image/Language.h"
#include <string>
#include <vector>

namespace vorix {

struct FileDialogRequest {
    bool open = true; // open dialog; otherwise a save dialog that asks before replacing a file
    std::string title;
    /// Each a description ending in its pattern, "Radio data file(*.rdat)"; the first is preselected.
    std::vector<std::string> filters;
    std::string defaultSuffix; // appended to a typed name without extension (save dialog)
    std::string folder;        // where the dialog starts; empty: the process's current folder
    std::string fileName;      // the name a save dialog suggests; empty: none
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    /// The chosen path; empty when the user cancels.
    virtual std::string choose(const FileDialogRequest& request) = 0;
};

/// The request for the Load or Save dialog in the current language. mode is compared
/// case-insensitively with "OPEN"; anything else gives a save dialog.
FileDialogRequest MakeFileDialogRequest(const std::string& mode, const std::string& title, Language language);

} // namespace vorix
