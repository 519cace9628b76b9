#pragma once
// Table rows name the interface language as a flag; the code under test takes a Language.

#include "image/Language.h"

namespace vorix {

inline Language LanguageFor(bool english) { return english ? Language::English : Language::Chinese; }

} // namespace vorix
