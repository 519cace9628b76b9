#include "store/ReadBackups.h"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <system_error>

namespace vorix {

namespace {

constexpr const char* kPrefix = "read-";
constexpr const char* kSuffix = ".rdat";
constexpr auto kKeepFor = std::chrono::hours(24 * 365);

std::tm localTimeOf(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    // Single-threaded tool: the shared buffer of std::localtime is safe here.
    return *std::localtime(&t);
}

bool writeFile(const std::filesystem::path& path, const ImageBytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace

std::string BackupFileName(const std::tm& localTime) {
    char text[64];
    std::snprintf(text, sizeof text, "%s%04d-%02d-%02d_%02d%02d%02d%s", kPrefix, localTime.tm_year + 1900,
                  localTime.tm_mon + 1, localTime.tm_mday, localTime.tm_hour, localTime.tm_min, localTime.tm_sec,
                  kSuffix);
    return text;
}

std::optional<std::tm> BackupTimeFromName(const std::string& fileName) {
    std::tm t{};
    char tail[8] = {};
    // The name carries the whole date; anything after the seconds (a "-2" of a second backup in the same
    // second) is allowed before the suffix.
    if (std::sscanf(fileName.c_str(), "read-%4d-%2d-%2d_%2d%2d%2d%7s", &t.tm_year, &t.tm_mon, &t.tm_mday, &t.tm_hour,
                    &t.tm_min, &t.tm_sec, tail) != 7)
        return std::nullopt;
    if (fileName.size() < 5 || fileName.compare(fileName.size() - 5, 5, kSuffix) != 0)
        return std::nullopt;
    if (t.tm_mon < 1 || t.tm_mon > 12 || t.tm_mday < 1 || t.tm_mday > 31)
        return std::nullopt;
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    t.tm_isdst = -1;
    return t;
}

std::optional<std::filesystem::path> SaveReadBackup(const std::filesystem::path& folder, const ImageBytes& bytes,
                                                    std::chrono::system_clock::time_point now) {
    try {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error)
            return std::nullopt;
        const std::string name = BackupFileName(localTimeOf(now));
        std::filesystem::path target = folder / name;
        // Two reads within one second keep both backups.
        for (int n = 2; std::filesystem::exists(target) && n < 100; ++n)
            target = folder / (name.substr(0, name.size() - 5) + "-" + std::to_string(n) + kSuffix);
        const std::filesystem::path temporary = target.string() + ".part";
        if (!writeFile(temporary, bytes)) {
            std::filesystem::remove(temporary, error);
            return std::nullopt;
        }
        std::filesystem::rename(temporary, target, error);
        if (error) {
            std::filesystem::remove(temporary, error);
            return std::nullopt;
        }
        PruneReadBackups(folder, now);
        return target;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

int PruneReadBackups(const std::filesystem::path& folder, std::chrono::system_clock::time_point now) {
    int removed = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (!entry.is_regular_file(error))
            continue;
        auto taken = BackupTimeFromName(entry.path().filename().string());
        if (!taken)
            continue;
        const std::time_t when = std::mktime(&*taken);
        if (when == static_cast<std::time_t>(-1))
            continue;
        if (now - std::chrono::system_clock::from_time_t(when) > kKeepFor && std::filesystem::remove(entry.path(), error))
            ++removed;
    }
    return removed;
}

} // namespace vorix
