#pragma once
// How each way of assigning a key fills its row, and how an assigned key is
// captioned on the keyboard picture. Only macro_type, the three values and
// macro_desc are filled; the page adds profile, key code and layer.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/store/Records.h"

namespace tessaro {

// A text of the current language by its number in section "KB.DIALOG".
using TextLookup = std::function<std::string(int text_number)>;

// Restores the key's own function; saving it removes the key's row.
KeyAssignment DefaultAssignment();

KeyAssignment DisabledAssignment(const TextLookup& text);

// An item of the key function list: a keyboard usage or function code, with the
// item's second and third value and its text.
KeyAssignment KeyFunctionAssignment(int32_t code, int32_t value2, int32_t value3, std::string text);

// "Shift + Ctrl + C": the modifiers in the order Shift, Ctrl, Win, Alt, then the
// key's name; either part may be missing.
std::string CombinationDescription(int32_t modifiers, std::string_view key_name);

// A key of the combination dialog (a virtual-key code, 0 when none was
// pressed) with modifier bits. The key is stored as the HID usage it plays.
// Nothing when the combination would play nothing: no key and no modifier, or
// a key the virtual keyboard has no usage for.
std::optional<KeyAssignment> KeyCombinationAssignment(uint32_t vk, int32_t modifiers);

KeyAssignment MacroAssignment(int32_t macro_id, std::string macro_name);

// An entry of the combination dialog's mouse (5), list (6) or shortcut (7)
// list.
KeyAssignment ListEntryAssignment(int32_t kind, int32_t value, std::string text);

// The extra row of a software function; nothing for an empty path, address or
// text, or for a profile id below 1.
std::optional<KeyOtherData> ProgramData(std::string_view path);
std::optional<KeyOtherData> WebPageData(std::string_view address);
std::optional<KeyOtherData> TextData(std::string_view text);
std::optional<KeyOtherData> ProfileSwitchData(int32_t profile_id, std::string_view profile_name);

// The key's row once its extra row is stored under other_data_id; nothing when
// storing it failed (an id below 1).
std::optional<KeyAssignment> SoftwareFunctionAssignment(const KeyOtherData& data,
                                                        int32_t other_data_id);

// The two lines of an assigned key's tip: the kind's caption (empty for kinds
// without one) and the description (empty for a disabled key).
struct KeyTip {
  std::string caption;
  std::string description;

  bool operator==(const KeyTip&) const = default;
};

KeyTip TipFor(const KeyAssignment& assignment, const TextLookup& text);

}  // namespace tessaro
