#pragma once
// Inputs read with a cap, and only from what can be read without waiting or without end: a regular
// file. A pipe or a device is refused before it is opened.

#include <cstddef>
#include <string>
#include <vector>

#include "image/Result.h"
#include "store/FileSystem.h"

namespace vorix {

struct InputContent {
    std::vector<unsigned char> bytes; // at most the cap
    bool longer = false;              // the input holds more than the cap
};

/// The content, or why there is none.
using InputRead = Result<InputContent>;

/// At most `limit` bytes from the start of a regular file or a link to one. Anything else (a named
/// pipe, a device, a directory) is refused with what it is, before it is opened.
InputRead ReadInputFile(FileSystem& files, const std::string& path, std::size_t limit);

/// At most `limit` bytes from a file that is already open, such as standard input.
InputRead ReadOpenFile(FileSystem& files, int handle, std::size_t limit);

} // namespace vorix
