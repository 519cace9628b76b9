#include "store/FileSystem.h"

namespace vorix {

const char* FileKindName(FileKind kind) {
    switch (kind) {
    case FileKind::Missing:
        return "a missing file";
    case FileKind::Regular:
        return "a regular file";
    case FileKind::Directory:
        return "a directory";
    case FileKind::CharacterDevice:
        return "a character device";
    case FileKind::Pipe:
        return "a named pipe";
    case FileKind::Socket:
        return "a socket";
    case FileKind::BlockDevice:
        return "a block device";
    case FileKind::Other:
        break;
    }
    return "not a file";
}

} // namespace vorix
