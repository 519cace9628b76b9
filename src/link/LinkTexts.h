#pragma once
// The words for what the link session reports, shared by the programming dialog and the command line.

#include <string>
#include <string_view>

#include "image/Language.h"
#include "link/LinkDisplay.h"
#include "link/LinkInterfaces.h"

namespace vorix {

/// The prompt's text: its question, and beneath it the detail lines when there are any.
std::string PromptText(const link::PromptQuestion& question, Language language);

/// The dialog's caption once a run has started ("Read data from radio").
std::string_view CaptionText(link::LinkCaption caption, Language language);

/// The result field's text ("Read Data OK").
std::string_view ResultText(link::LinkResult result, Language language);

/// The label beside the progress bar: "Complete:" (or its Chinese form) followed by PercentText(p).
std::string CompleteLabel(double p, Language language);

} // namespace vorix
