// Key names as the combination dialog, macro recording and key capture show
// them, and how recording normalises what the input layer reports.
#include "app/device/KeyNames.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(KeyNames, KeyComboName) {
  struct Case {
    uint32_t code;
    const char* name;
  };
  for (const Case& c : {
           Case{65, "A"},
           Case{48, "0"},
           Case{13, "Enter"},
           Case{124, "F13"},
           Case{130, "F19"},
           Case{135, "F24"},
           Case{186, ";:"},
           Case{191, "?/"},
           Case{220, "\\|"},
           Case{222, "'\""},
           Case{39, "Right"},  // the arrow key, not numeric-pad 6
           Case{45, "Insert"},
           Case{103, "Num 7"},
           Case{19, "Pause"},
           Case{44, "Print Screen"},
           Case{91, "Windows"},
           Case{92, "RWindows"},
           Case{144, "Num Lock"},
           Case{16, "Shift"},
           Case{161, "Right Shift"},  // the side names are recording's, not the dialog's
           Case{173, "Vol Mute"},
           Case{1, ""},  // a mouse button has no key name
           Case{0, ""},
           Case{255, ""},
           Case{1000, ""},
       }) {
    EXPECT_EQ(KeyComboName(c.code), c.name) << c.code;
  }
}

TEST(KeyNames, HookKeyNameNormalisesAndNames) {
  struct Case {
    const char* what;
    KeyInput input;
    std::optional<NamedKey> expected;
  };
  const Case cases[] = {
      {"pad 7, Num Lock off", {36, 71, false, false}, NamedKey{103, "Num 7", false}},
      {"pad 7 release", {36, 71, false, true}, NamedKey{103, "Num 7", true}},
      {"pad decimal, Num Lock off", {46, 83, false, false}, NamedKey{110, "Num Del", false}},
      {"pad 0, Num Lock on", {96, 82, false, false}, NamedKey{96, "Num 0", false}},
      {"pad 5 without Num Lock", {12, 76, false, false}, NamedKey{101, "Num 5", false}},
      {"Home key", {36, 71, true, false}, NamedKey{36, "Home", false}},
      {"right arrow", {39, 77, true, false}, NamedKey{39, "Right", false}},
      {"pad Enter", {13, 28, true, false}, NamedKey{108, "Num Enter", false}},
      {"main Enter", {13, 28, false, false}, NamedKey{13, "Enter", false}},
      {"left Shift", {160, 42, false, false}, NamedKey{160, "Shift", false}},
      {"right Shift", {161, 54, false, false}, NamedKey{161, "RShift", false}},
      {"right Ctrl", {163, 29, true, true}, NamedKey{163, "RCtrl", true}},
      {"generic Ctrl", {17, 29, false, false}, NamedKey{162, "Ctrl", false}},
      {"generic Alt", {18, 56, false, false}, NamedKey{164, "Alt", false}},
      {"left Windows", {91, 91, true, false}, NamedKey{91, "Windows", false}},
      {"volume up", {175, 48, true, false}, NamedKey{175, "Vol Up", false}},
      {"letter", {65, 30, false, false}, NamedKey{65, "A", false}},
      {"key without a code", {0, 100, false, false}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(HookKeyName(c.input), c.expected) << c.what;
}

TEST(KeyNames, RawKeyNameNamesButtonsAndKeys) {
  using Kind = RawKeyEvent::Kind;
  auto mouse = [](uint16_t flags) {
    RawInput input;
    input.device = RawInput::Device::kMouse;
    input.mouse_buttons = flags;
    return input;
  };
  auto key = [](uint32_t vk, bool release) {
    RawInput input;
    input.device = RawInput::Device::kKeyboard;
    input.key = {vk, 0, false, release};
    return input;
  };
  struct Case {
    const char* what;
    RawInput input;
    RawKeyEvent expected;
  };
  const Case cases[] = {
      {"left down", mouse(RawInput::kLeftDown), {Kind::kMouse, 1, "mouse_left", false}},
      {"right up", mouse(RawInput::kRightUp), {Kind::kMouse, 3, "mouse_right", true}},
      {"middle beats right",
       mouse(RawInput::kRightDown | RawInput::kMiddleDown),
       {Kind::kMouse, 2, "mouse_middle", false}},
      {"a press beats a release",
       mouse(RawInput::kLeftUp | RawInput::kRightDown),
       {Kind::kMouse, 3, "mouse_right", false}},
      {"side button", mouse(RawInput::kButton5Up), {Kind::kMouse, 5, "mouse_button5", true}},
      {"motion only", mouse(0), {Kind::kMouse, 0, "", false}},
      {"either Ctrl", key(17, false), {Kind::kKey, 162, "Ctrl", false}},
      {"Shift release", key(16, true), {Kind::kKey, 160, "Shift", true}},
      {"Num Lock", key(144, false), {Kind::kKey, 144, "Num Lock", false}},
      {"volume keeps its own name", key(174, false), {Kind::kKey, 174, "Vol Down", false}},
      {"other device", RawInput{}, {Kind::kOther, 0, "", false}},
  };
  for (const Case& c : cases) EXPECT_EQ(RawKeyName(c.input), c.expected) << c.what;
}

}  // namespace
}  // namespace tessaro
