#include "ui/RecentFiles.h"

#include <QFileInfo>
#include <algorithm>

#include "ui/QtText.h"

namespace vorix {

namespace {

// The list is one text value, a path a line: a path holds no line break a file dialog would give.
constexpr char kSeparator = '\n';

} // namespace

std::vector<std::string> RecentFiles::files() const {
    std::vector<std::string> files;
    const std::optional<StoredValue> value = scope_ ? scope_->read(kRecentFilesValue) : std::nullopt;
    if (!value || value->type != StoredValue::Type::Text)
        return files;
    std::string_view rest = value->text;
    while (!rest.empty() && files.size() < kMaxFiles) {
        const std::size_t end = std::min(rest.find(kSeparator), rest.size());
        if (end > 0)
            files.emplace_back(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return files;
}

std::string RecentFiles::lastFolder() const {
    const std::optional<StoredValue> value = scope_ ? scope_->read(kLastFolderValue) : std::nullopt;
    if (!value || value->type != StoredValue::Type::Text)
        return {};
    return value->text;
}

void RecentFiles::add(const std::string& path) {
    if (!scope_ || path.empty())
        return;
    std::vector<std::string> list = files();
    list.erase(std::remove(list.begin(), list.end(), path), list.end());
    list.insert(list.begin(), path);
    if (list.size() > kMaxFiles)
        list.resize(kMaxFiles);
    store(list);
    // The list and the folder are conveniences: a user's store that refuses them is no reason to
    // interrupt the file that was just opened or saved.
    if (scope_->isWritable())
        (void)scope_->write(kLastFolderValue, QFileInfo(q(path)).absolutePath().toStdString());
}

void RecentFiles::remove(const std::string& path) {
    std::vector<std::string> list = files();
    list.erase(std::remove(list.begin(), list.end(), path), list.end());
    store(list);
}

void RecentFiles::store(const std::vector<std::string>& files) {
    if (!scope_ || !scope_->isWritable())
        return;
    std::string text;
    for (const std::string& file : files)
        text += (text.empty() ? "" : std::string(1, kSeparator)) + file;
    (void)scope_->write(kRecentFilesValue, text);
}

} // namespace vorix
