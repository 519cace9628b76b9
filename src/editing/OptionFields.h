#pragma once
// The eight radio option controls as one table: caption, items and what choosing an item writes.
// A check box counts as a list of two items, unchecked then checked, so every option is handled
// the same way by the commands that show, compare and import them.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "editing/OptionControls.h"
#include "image/ChannelView.h"
#include "image/RadioImage.h"
#include "texts/InterfaceTexts.h"

namespace vorix {

enum class OptionKind { List, Check };

struct OptionField {
    TextId caption;
    OptionKind kind;
    OptionList list;                     // for OptionKind::List
    OptionCheck check;                   // for OptionKind::Check
    int OptionSelections::*selectedItem; // for lists
    bool OptionSelections::*checked;     // for check boxes
    int firstByte;                       // the image byte the control edits, for the raw comparison
    std::uint8_t mask;                   // the bits of that byte it edits
};

inline constexpr int kOptionFieldCount = 8;

/// SQL, TOT, Sq Delay, Offset(Wide), Offset(Narrow), Beep, Save, Busy Lock: the order in which
/// the commands list them.
const std::array<OptionField, kOptionFieldCount>& OptionFields();

/// The texts of a check box's two states: "Off"/"On" in English, "关"/"开" in Chinese.
std::array<std::string, 2> CheckStateTexts(Language language);

/// The items of the control in the language, as the window fills them.
std::vector<std::string> OptionFieldItems(const OptionField& field, Language language,
                                          std::string_view separator);

/// The item the view selects for the image (for a check box 0 unchecked, 1 checked).
int SelectedOptionItem(const OptionField& field, const OptionSelections& selections);

/// What choosing item `index` in the control writes into the image, by the window's own rule.
void ApplyOptionFieldItem(RadioImage& image, const OptionField& field, int index);

/// The caption of the control in the language.
std::string_view OptionCaption(const OptionField& field, Language language);

} // namespace vorix
