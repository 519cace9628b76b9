#pragma once
// Open and save dialogs on QFileDialog.

#include "platform/FileDialogs.h"

namespace vorix {

class QtFileDialogs final : public FileDialogs {
public:
    std::string choose(const FileDialogRequest& request) override;
};

} // namespace vorix
