#pragma once
// The files last loaded or saved, newest first, and the folder of the last one, kept in the user's
// own settings (never machine-wide) as values of their own: `RecentFiles`, `LastFolder`.

#include <string>
#include <string_view>
#include <vector>

#include "store/SettingsStore.h"

namespace vorix {

inline constexpr std::string_view kRecentFilesValue = "RecentFiles";
inline constexpr std::string_view kLastFolderValue = "LastFolder";

class RecentFiles {
public:
    static constexpr std::size_t kMaxFiles = 8;

    /// scope null: nothing is kept and the list is empty.
    explicit RecentFiles(SettingsScope* scope) : scope_(scope) {}

    std::vector<std::string> files() const;
    /// The folder of the file last loaded or saved; empty when none is kept.
    std::string lastFolder() const;
    /// Puts the file first (once), keeps at most kMaxFiles, and its folder as the last folder.
    void add(const std::string& path);
    void remove(const std::string& path);

private:
    void store(const std::vector<std::string>& files);

    SettingsScope* scope_;
};

} // namespace vorix
