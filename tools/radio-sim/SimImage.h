#pragma once
// The simulated radio's memory: a built-in demo, or the first 128 bytes of a radio data file, read
// and written by the store as the programming tool reads and writes them.

#include <string>

#include "SimRadio.h"
#include "image/Result.h"
#include "store/FileSystem.h"

namespace vorix::sim {

/// Six channels in both bands with a few tones, the rest empty, and the usual option bytes.
Memory DemoMemory();

/// The first 128 bytes of the file; the failure says why there are none ("cannot open FILE" or
/// "FILE holds fewer than 128 bytes").
Result<Memory> LoadMemory(FileSystem& files, const std::string& path);

/// Writes the 128 bytes as the programming tool saves a file: replaced in one step, so a reader never
/// sees half, and the old file kept whole, with nothing left beside it, when that fails.
Result<void> SaveMemory(FileSystem& files, const std::string& path, const Memory& memory);

} // namespace vorix::sim
