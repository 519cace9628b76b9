#pragma once
// The interface languages.

namespace vorix {

/// The language every text of the interface is shown in.
enum class Language { English, Chinese };

} // namespace vorix
