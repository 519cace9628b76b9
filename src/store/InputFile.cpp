#include "store/InputFile.h"

#include <algorithm>

namespace vorix {

namespace {

InputRead refused(FileKind kind) {
    return Failure{std::string("it is ") + FileKindName(kind) + ", not a regular file"};
}

InputRead failed(std::error_code error) {
    return Failure{error.message()};
}

} // namespace

InputRead ReadInputFile(FileSystem& files, const std::string& path, std::size_t limit) {
    const FileStatus status = files.status(path);
    if (status.error)
        return failed(status.error);
    if (status.kind == FileKind::Missing)
        return failed(std::make_error_code(std::errc::no_such_file_or_directory));
    if (status.kind != FileKind::Regular)
        return refused(status.kind);
    const OpenedFile file = files.openForReading(path);
    if (file.error)
        return failed(file.error);
    // The name may have been given to something else since it was looked at.
    const FileStatus opened = files.statusOf(file.handle);
    InputRead read = opened.error                       ? failed(opened.error)
                     : opened.kind != FileKind::Regular ? refused(opened.kind)
                                                        : ReadOpenFile(files, file.handle, limit);
    // Nothing was written to it, so a failing close loses nothing that was read.
    files.close(file.handle);
    return read;
}

InputRead ReadOpenFile(FileSystem& files, int handle, std::size_t limit) {
    std::vector<unsigned char> content;
    unsigned char buffer[4096];
    // One byte past the cap tells a longer input from one that fits exactly.
    while (content.size() <= limit) {
        const ReadChunk chunk =
            files.read(handle, buffer, std::min(sizeof buffer, limit + 1 - content.size()));
        if (chunk.error)
            return failed(chunk.error);
        if (chunk.size == 0)
            break;
        content.insert(content.end(), buffer, buffer + chunk.size);
    }
    const bool longer = content.size() > limit;
    if (longer)
        content.resize(limit);
    return InputContent{std::move(content), longer};
}

} // namespace vorix
