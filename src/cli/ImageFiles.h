#pragma once
// Radio data files and other outputs for the commands: one clear line for every file that cannot be
// used.

#include <string>
#include <string_view>
#include <vector>

#include "cli/CliFiles.h"
#include "image/RadioImage.h"
#include "image/Result.h"

namespace vorix::cli {

/// What every command's help says about its outputs and inputs.
inline constexpr std::string_view kOutputHelp =
    "Outputs are written as the window's Save writes them: an existing file is replaced in one\n"
    "step and keeps its permissions, a link is written through, a device or named pipe is written\n"
    "as it is, a directory is refused; - is stdout. An output that names an input is refused.\n"
    "Inputs must be regular files (or links to one); - is stdin.\n";

/// Reads the image of a radio data file: its first 128 bytes, as the window's Load does. A failure is
/// the line "A.rdat: ..." that says why there is none.
Result<RadioImage> LoadImageFile(CliFiles& files, const std::string& path);

/// Writes the 128 bytes of the image as the window's Save does; a failure is the line of
/// DescribeOutputFailure.
Result<void> SaveImageFile(CliFiles& files, const std::string& path, const RadioImage& image);

/// "OUT.rdat: The file was not saved: reason", or the window's text for a file that may be incomplete.
std::string DescribeOutputFailure(const std::string& path, const OutputFailure& failure);

/// Checked before a command does anything: every output may be written, none names an input and no
/// two name the same file (compared as files, so a link or a second name counts). A failure is the
/// line for the first problem.
Result<void> CheckOutputs(CliFiles& files, const std::vector<std::string>& outputs,
                          const std::vector<std::string>& inputs);

} // namespace vorix::cli
