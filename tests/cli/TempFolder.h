#pragma once
// The shared temporary folder, under the name the command tests use.

#include "support/TempFolder.h"

namespace vorix::cli::test {
using vorix::test::TempFolder;
} // namespace vorix::cli::test
