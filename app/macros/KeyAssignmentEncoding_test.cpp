// The stored form of every way of assigning a key, and its tip.
#include "app/macros/KeyAssignmentEncoding.h"

#include <gtest/gtest.h>

#include "app/macros/MacroType.h"

namespace tessaro {
namespace {

// Language texts as "T<number>", so a test sees which text was asked for.
std::string Text(int number) {
  return "T" + std::to_string(number);
}

struct Stored {
  int32_t type;
  int32_t value;
  int32_t value2;
  int32_t value3;
  std::string desc;

  bool operator==(const Stored&) const = default;
};

Stored StoredForm(const KeyAssignment& row) {
  return {row.macro_type, row.macro_value, row.macro_value2, row.macro_value3, row.macro_desc};
}

void PrintTo(const Stored& s, std::ostream* os) {
  *os << "{" << s.type << ", " << s.value << ", " << s.value2 << ", " << s.value3 << ", \""
      << s.desc << "\"}";
}

TEST(KeyAssignmentEncoding, StoredForms) {
  using namespace macro_type;
  constexpr int32_t kShiftAlt = kShiftBit | kAltBit;
  constexpr int32_t kAll = kCtrlBit | kShiftBit | kAltBit | kWinBit;
  struct Case {
    const char* what;
    KeyAssignment row;
    Stored stored;
  };
  const Case cases[] = {
      {"default", DefaultAssignment(), {0, 0, 0, 0, ""}},
      {"disabled", DisabledAssignment(Text), {1, 1, 0, 0, "T202"}},
      {"list key", KeyFunctionAssignment(4, 0, 0, "A"), {2, 4, 0, 0, "A"}},
      {"list media", KeyFunctionAssignment(234, 0, 0, "Vol+"), {2, 234, 0, 0, "Vol+"}},
      {"list 499", KeyFunctionAssignment(499, 1, 2, "x"), {2, 499, 1, 2, "x"}},
      {"list 500", KeyFunctionAssignment(500, 1, 2, "y"), {12, 500, 1, 2, "y"}},
      // The combination's key is stored as the usage it plays: C is usage 6,
      // not virtual-key 67.
      {"Shift + Ctrl + C",
       *KeyCombinationAssignment(67, kShiftBit | kCtrlBit),
       {2, 6, kShiftBit | kCtrlBit, 0, "Shift + Ctrl + C"}},
      {"Shift + Alt + A",
       *KeyCombinationAssignment(65, kShiftAlt),
       {2, 4, kShiftAlt, 0, "Shift + Alt + A"}},
      {"all modifiers, F19",
       *KeyCombinationAssignment(130, kAll),
       {2, 110, kAll, 0, "Shift + Ctrl + Win + Alt + F19"}},
      {"key alone", *KeyCombinationAssignment(220, 0), {2, 49, 0, 0, "\\|"}},
      {"media key", *KeyCombinationAssignment(175, 0), {2, 234, 0, 0, "Vol Up"}},
      {"modifiers alone", *KeyCombinationAssignment(0, kCtrlBit), {2, 0, kCtrlBit, 0, "Ctrl"}},
      {"stray bits dropped",
       *KeyCombinationAssignment(65, 0x30 | kWinBit),
       {2, 4, kWinBit, 0, "Win + A"}},
      {"macro", MacroAssignment(7, "Combo"), {3, 7, 0, 0, "Combo"}},
      {"mouse", ListEntryAssignment(kMouse, 3, "Right"), {5, 3, 0, 0, "Right"}},
      {"list value", ListEntryAssignment(kListValue, 9, "Nine"), {6, 9, 0, 0, "Nine"}},
      {"shortcut", ListEntryAssignment(kShortcut, 15, "T715"), {7, 15, 0, 0, "T715"}},
      {"program",
       *SoftwareFunctionAssignment(*ProgramData("/usr/bin/gimp"), 21),
       {8, 21, 0, 0, "gimp"}},
      {"web page",
       *SoftwareFunctionAssignment(*WebPageData("example.com"), 22),
       {9, 22, 0, 0, "example.com"}},
      {"text", *SoftwareFunctionAssignment(*TextData("Hello"), 23), {10, 23, 0, 0, "Hello"}},
      {"profile",
       *SoftwareFunctionAssignment(*ProfileSwitchData(2, "Games"), 24),
       {11, 24, 0, 0, "Games"}},
  };
  for (const Case& c : cases) EXPECT_EQ(StoredForm(c.row), c.stored) << c.what;
}

// An extra row as "type|macro_desc|param".
std::string Row(const std::optional<KeyOtherData>& data) {
  if (!data) return "none";
  return std::to_string(data->type) + "|" + data->macro_desc + "|" + data->param;
}

TEST(KeyAssignmentEncoding, ExtraRowsOfSoftwareFunctions) {
  EXPECT_EQ(Row(ProgramData("/opt/Tool Box/run")), "8|run|/opt/Tool Box/run");
  EXPECT_EQ(Row(ProgramData("run")), "8|run|run");
  EXPECT_EQ(Row(WebPageData("https://example.com")), "9|https://example.com|");
  EXPECT_EQ(Row(TextData("配置方案 1")), "10|配置方案 1|");
  EXPECT_EQ(Row(ProfileSwitchData(12, "Work")), "11|Work|12");
}

TEST(KeyAssignmentEncoding, RefusesWhatWouldPlayNothing) {
  EXPECT_FALSE(KeyCombinationAssignment(0, 0));   // no key pressed, no box ticked
  EXPECT_FALSE(KeyCombinationAssignment(12, 0));  // Clear has no usage
  EXPECT_FALSE(KeyCombinationAssignment(1, 1));   // a mouse button is no key
  EXPECT_FALSE(ProgramData(""));
  EXPECT_FALSE(ProgramData("/usr/bin/"));
  EXPECT_FALSE(WebPageData(""));
  EXPECT_FALSE(TextData(""));
  EXPECT_FALSE(ProfileSwitchData(0, "None"));
  const KeyOtherData data{"Hello", "", 10};
  EXPECT_FALSE(SoftwareFunctionAssignment(data, 0));  // the extra row was not stored
  EXPECT_FALSE(SoftwareFunctionAssignment(data, -1));
}

TEST(KeyAssignmentEncoding, Tips) {
  struct Case {
    int32_t type;
    KeyTip tip;
  };
  for (const Case& c : {
           Case{0, {"", "desc"}},
           Case{1, {"T202", ""}},
           Case{2, {"T205", "desc"}},
           Case{3, {"T206", "desc"}},
           Case{5, {"T207", "desc"}},
           Case{6, {"T208", "desc"}},
           Case{7, {"T209", "desc"}},
           Case{8, {"T210", "desc"}},
           Case{9, {"T211", "desc"}},
           Case{10, {"T212", "desc"}},
           Case{11, {"", "desc"}},
           Case{12, {"T205", "desc"}},
           Case{4, {"", "desc"}},
       }) {
    KeyAssignment row;
    row.macro_type = c.type;
    row.macro_desc = "desc";
    EXPECT_EQ(TipFor(row, Text), c.tip) << c.type;
  }
}

}  // namespace
}  // namespace tessaro
