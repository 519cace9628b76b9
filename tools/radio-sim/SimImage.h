#pragma once
// The simulated radio's memory: a built-in demo, or the first 128 bytes of a radio data file.

#include <optional>
#include <string>

#include "SimRadio.h"

namespace vorix::sim {

/// Six channels in both bands with a few tones, the rest empty, and the usual option bytes.
Memory DemoMemory();

/// The first 128 bytes of the file; nothing (and a reason in error) when it is shorter or unreadable.
std::optional<Memory> LoadMemory(const std::string& path, std::string& error);

/// Writes the 128 bytes through a temporary file renamed into place, so a reader never sees half.
bool SaveMemory(const std::string& path, const Memory& memory);

} // namespace vorix::sim
