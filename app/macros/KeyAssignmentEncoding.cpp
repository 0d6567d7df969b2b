#include "app/macros/KeyAssignmentEncoding.h"

#include "app/device/KeyNames.h"
#include "app/macros/HidUsages.h"
#include "app/macros/MacroType.h"

namespace tessaro {
namespace {

// Texts of section KB.DIALOG that name the kinds.
constexpr int kDisabledText = 202;

struct Caption {
  int32_t macro_type;
  int text_number;
};

constexpr Caption kCaptions[] = {
    {macro_type::kDisabled, kDisabledText},
    {macro_type::kKey, 205},
    {macro_type::kListFunction, 205},
    {macro_type::kMacro, 206},
    {macro_type::kMouse, 207},
    {macro_type::kListValue, 208},
    {macro_type::kShortcut, 209},
    {macro_type::kProgram, 210},
    {macro_type::kWebPage, 211},
    {macro_type::kText, 212},
};

constexpr int32_t kModifierMask =
    macro_type::kCtrlBit | macro_type::kShiftBit | macro_type::kAltBit | macro_type::kWinBit;

KeyAssignment Make(int32_t type, int32_t value, std::string desc) {
  KeyAssignment row;
  row.macro_type = type;
  row.macro_value = value;
  row.macro_desc = std::move(desc);
  return row;
}

std::optional<KeyOtherData> OtherData(int32_t type, std::string_view desc, std::string_view param) {
  if (desc.empty()) return std::nullopt;
  return KeyOtherData{std::string(desc), std::string(param), type};
}

}  // namespace

KeyAssignment DefaultAssignment() {
  return {};
}

KeyAssignment DisabledAssignment(const TextLookup& text) {
  return Make(macro_type::kDisabled, 1, text(kDisabledText));
}

KeyAssignment KeyFunctionAssignment(int32_t code, int32_t value2, int32_t value3,
                                    std::string text) {
  const int32_t type =
      code < macro_type::kFirstListFunctionCode ? macro_type::kKey : macro_type::kListFunction;
  KeyAssignment row = Make(type, code, std::move(text));
  row.macro_value2 = value2;
  row.macro_value3 = value3;
  return row;
}

std::string CombinationDescription(int32_t modifiers, std::string_view key_name) {
  struct Part {
    int32_t bit;
    std::string_view name;
  };
  constexpr Part kOrder[] = {{macro_type::kShiftBit, "Shift"},
                             {macro_type::kCtrlBit, "Ctrl"},
                             {macro_type::kWinBit, "Win"},
                             {macro_type::kAltBit, "Alt"}};
  std::string text;
  auto append = [&text](std::string_view part) {
    if (!text.empty()) text += " + ";
    text += part;
  };
  for (const Part& part : kOrder) {
    if ((modifiers & part.bit) != 0) append(part.name);
  }
  if (!key_name.empty()) append(key_name);
  return text;
}

std::optional<KeyAssignment> KeyCombinationAssignment(uint32_t vk, int32_t modifiers) {
  modifiers &= kModifierMask;
  const int usage = vk != 0 ? VirtualKeyToUsage(vk) : 0;
  if ((vk != 0 && usage == 0) || (vk == 0 && modifiers == 0)) return std::nullopt;
  const std::string key_name = vk != 0 ? KeyComboName(vk) : std::string();
  KeyAssignment row = Make(macro_type::kKey, usage, CombinationDescription(modifiers, key_name));
  row.macro_value2 = modifiers;
  return row;
}

KeyAssignment MacroAssignment(int32_t macro_id, std::string macro_name) {
  return Make(macro_type::kMacro, macro_id, std::move(macro_name));
}

KeyAssignment ListEntryAssignment(int32_t kind, int32_t value, std::string text) {
  return Make(kind, value, std::move(text));
}

std::optional<KeyOtherData> ProgramData(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  const std::string_view file_name =
      slash == std::string_view::npos ? path : path.substr(slash + 1);
  return OtherData(macro_type::kProgram, file_name, path);
}

std::optional<KeyOtherData> WebPageData(std::string_view address) {
  return OtherData(macro_type::kWebPage, address, {});
}

std::optional<KeyOtherData> TextData(std::string_view text) {
  return OtherData(macro_type::kText, text, {});
}

std::optional<KeyOtherData> ProfileSwitchData(int32_t profile_id, std::string_view profile_name) {
  if (profile_id < 1) return std::nullopt;
  return KeyOtherData{std::string(profile_name), std::to_string(profile_id), macro_type::kProfile};
}

std::optional<KeyAssignment> SoftwareFunctionAssignment(const KeyOtherData& data,
                                                        int32_t other_data_id) {
  if (other_data_id < 1) return std::nullopt;
  return Make(data.type, other_data_id, data.macro_desc);
}

KeyTip TipFor(const KeyAssignment& assignment, const TextLookup& text) {
  KeyTip tip;
  for (const Caption& caption : kCaptions) {
    if (caption.macro_type == assignment.macro_type) tip.caption = text(caption.text_number);
  }
  if (assignment.macro_type != macro_type::kDisabled) tip.description = assignment.macro_desc;
  return tip;
}

}  // namespace tessaro
