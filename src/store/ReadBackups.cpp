#include "store/ReadBackups.h"

#include <cstdio>
#include <string_view>
#include <system_error>

#include "store/OutputFile.h"

namespace vorix {

namespace {

constexpr std::string_view kPrefix = "read-";
constexpr std::string_view kSuffix = ".rdat";
constexpr std::string_view kStampShape = "read-0000-00-00_000000"; // 0 stands for any digit
constexpr int kMostInOneSecond = 99;                               // the name alone, then -2 to -99
constexpr int kFirstYear = 1970;
constexpr auto kKeepFor = std::chrono::hours(24 * 365);

std::tm localTimeOf(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    // Single-threaded tool: the shared buffer of std::localtime is safe here.
    return *std::localtime(&t);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int number(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

int daysIn(int month, int year) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// "" or "-N" with N from 2 to 99, written without a leading zero.
bool isCollisionSuffix(std::string_view tail) {
    if (tail.empty())
        return true;
    if (tail.size() < 2 || tail.size() > 3 || tail[0] != '-' || tail[1] == '0')
        return false;
    for (std::size_t i = 1; i < tail.size(); ++i)
        if (!isDigit(tail[i]))
            return false;
    return number(tail, 1, tail.size() - 1) >= 2;
}

std::string nameInSecond(const std::string& name, int n) {
    if (n == 1)
        return name;
    return name.substr(0, name.size() - kSuffix.size()) + "-" + std::to_string(n) + std::string(kSuffix);
}

} // namespace

std::string BackupFileName(const std::tm& localTime) {
    char text[64];
    std::snprintf(text, sizeof text, "read-%04d-%02d-%02d_%02d%02d%02d.rdat", localTime.tm_year + 1900,
                  localTime.tm_mon + 1, localTime.tm_mday, localTime.tm_hour, localTime.tm_min,
                  localTime.tm_sec);
    return text;
}

std::optional<std::tm> BackupTimeFromName(const std::string& fileName) {
    const std::string_view name(fileName);
    if (name.size() < kStampShape.size() + kSuffix.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kSuffix))
        return std::nullopt;
    for (std::size_t i = 0; i < kStampShape.size(); ++i)
        if (kStampShape[i] == '0' ? !isDigit(name[i]) : name[i] != kStampShape[i])
            return std::nullopt;
    if (!isCollisionSuffix(
            name.substr(kStampShape.size(), name.size() - kStampShape.size() - kSuffix.size())))
        return std::nullopt;
    const int year = number(name, 5, 4), month = number(name, 10, 2), day = number(name, 13, 2);
    const int hour = number(name, 16, 2), minute = number(name, 18, 2), second = number(name, 20, 2);
    if (year < kFirstYear || month < 1 || month > 12 || day < 1 || day > daysIn(month, year) || hour > 23 ||
        minute > 59 || second > 59)
        return std::nullopt;
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return t;
}

Result<std::filesystem::path> SaveReadBackup(FileSystem& files, const std::filesystem::path& folder,
                                             const ImageBytes& bytes,
                                             std::chrono::system_clock::time_point now) {
    try {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error)
            return Failure{error.message()};
        const auto copy = WriteTemporaryCopy(files, folder.string(), bytes, std::nullopt);
        if (!copy.ok())
            return Failure{copy.error().reason};
        const std::string name = BackupFileName(localTimeOf(now));
        std::optional<std::filesystem::path> saved;
        std::error_code linked = std::make_error_code(std::errc::file_exists);
        // A second name for the finished file claims a name in one step and fails when it is taken.
        for (int n = 1; n <= kMostInOneSecond && !saved; ++n) {
            const std::filesystem::path target = folder / nameInSecond(name, n);
            linked = files.link(copy.value(), target.string());
            if (!linked)
                saved = target;
            else if (linked != std::errc::file_exists)
                break;
        }
        // The backup has its own name now, or the reason it has none is the one to tell.
        files.remove(copy.value());
        if (!saved)
            return Failure{linked.message()};
        files.syncFolder(folder.string());
        PruneReadBackups(folder, now);
        return *saved;
    } catch (const std::exception& exception) {
        return Failure{std::string(exception.what())};
    }
}

int PruneReadBackups(const std::filesystem::path& folder, std::chrono::system_clock::time_point now) {
    int removed = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        // The entry itself, not what a link points at: a link is never the tool's own backup.
        if (entry.symlink_status(error).type() != std::filesystem::file_type::regular)
            continue;
        auto taken = BackupTimeFromName(entry.path().filename().string());
        if (!taken)
            continue;
        const std::time_t when = std::mktime(&*taken);
        if (when == static_cast<std::time_t>(-1))
            continue;
        // A backup that cannot be removed now is tried again after the next read.
        if (now - std::chrono::system_clock::from_time_t(when) > kKeepFor &&
            std::filesystem::remove(entry.path(), error))
            ++removed;
    }
    return removed;
}

} // namespace vorix
