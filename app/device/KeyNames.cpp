#include "app/device/KeyNames.h"

#include <array>
#include <string_view>

namespace tessaro {
namespace {

using NameTable = std::array<std::string_view, 256>;

// What the US-English layout calls each key. Navigation keys carry the names of
// the separate keys, not of their numeric-pad twins, and the numeric pad's
// Enter and slash are told apart from the main keys.
constexpr NameTable MakeSystemNames() {
  NameTable names{};
  constexpr std::string_view kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
  constexpr std::string_view kLetters[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                           "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                           "S", "T", "U", "V", "W", "X", "Y", "Z"};
  constexpr std::string_view kPad[] = {"Num 0", "Num 1", "Num 2", "Num 3", "Num 4",
                                       "Num 5", "Num 6", "Num 7", "Num 8", "Num 9"};
  constexpr std::string_view kFunction[] = {"F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",
                                            "F9",  "F10", "F11", "F12", "F13", "F14", "F15", "F16",
                                            "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"};
  for (int i = 0; i < 10; ++i) names[48 + i] = kDigits[i];
  for (int i = 0; i < 26; ++i) names[65 + i] = kLetters[i];
  for (int i = 0; i < 10; ++i) names[96 + i] = kPad[i];
  for (int i = 0; i < 24; ++i) names[112 + i] = kFunction[i];
  names[8] = "Backspace";
  names[9] = "Tab";
  names[12] = "Num 5";  // Clear: numeric-pad 5 with Num Lock off
  names[13] = "Enter";
  names[16] = "Shift";
  names[17] = "Ctrl";
  names[18] = "Alt";
  names[19] = "Pause";
  names[20] = "Caps Lock";
  names[27] = "Esc";
  names[32] = "Space";
  names[33] = "Page Up";
  names[34] = "Page Down";
  names[35] = "End";
  names[36] = "Home";
  names[37] = "Left";
  names[38] = "Up";
  names[39] = "Right";
  names[40] = "Down";
  names[44] = "Print Screen";
  names[45] = "Insert";
  names[46] = "Delete";
  names[91] = "Left Windows";
  names[92] = "Right Windows";
  names[93] = "Application";
  names[106] = "Num *";
  names[107] = "Num +";
  names[108] = "Num Enter";
  names[109] = "Num -";
  names[110] = "Num Del";
  names[111] = "Num /";
  names[144] = "Num Lock";
  names[145] = "Scroll Lock";
  names[160] = "Shift";
  names[161] = "Right Shift";
  names[162] = "Ctrl";
  names[163] = "Right Ctrl";
  names[164] = "Alt";
  names[165] = "Right Alt";
  // Browser and media keys have no name in the layout; they get the names the
  // recording table uses, so every operation names them alike.
  names[166] = "Web-Backward";
  names[167] = "Web-Forward";
  names[168] = "Web-Refresh";
  names[169] = "Web-Stop";
  names[170] = "Web-Search";
  names[171] = "Web-Favorites";
  names[172] = "Web-Home";
  names[173] = "Vol Mute";
  names[174] = "Vol Down";
  names[175] = "Vol Up";
  names[176] = "Next Track";
  names[177] = "Prev Track";
  names[178] = "Stop";
  names[179] = "Play/Pause";
  names[180] = "EMail";
  names[181] = "Multimedia";
  names[182] = "My Computer";
  names[183] = "Calculator";
  names[186] = ";";
  names[187] = "=";
  names[188] = ",";
  names[189] = "-";
  names[190] = ".";
  names[191] = "/";
  names[192] = "`";
  names[219] = "[";
  names[220] = "\\";
  names[221] = "]";
  names[222] = "'";
  names[226] = "\\";  // the extra key of ISO boards, a backslash in the US layout
  return names;
}

constexpr NameTable kSystemNames = MakeSystemNames();

// Which operations lay a fixed name over the system name.
enum Use : uint8_t { kCombo = 1, kHook = 2, kRaw = 4 };

struct FixedName {
  uint32_t code;
  std::string_view name;
  uint8_t uses;
};

constexpr FixedName kFixedNames[] = {
    {16, "Shift", kHook | kRaw},
    {17, "Ctrl", kHook | kRaw},
    {18, "Alt", kHook | kRaw},
    {19, "Pause", kCombo | kHook | kRaw},
    {44, "Print Screen", kCombo | kHook | kRaw},
    {91, "Windows", kCombo | kHook | kRaw},
    {92, "RWindows", kCombo | kHook | kRaw},
    {93, "Application", kCombo | kHook | kRaw},
    {144, "Num Lock", kCombo | kHook | kRaw},
    {160, "Shift", kHook | kRaw},
    {161, "RShift", kHook | kRaw},
    {162, "Ctrl", kHook | kRaw},
    {163, "RCtrl", kHook | kRaw},
    {164, "Alt", kHook | kRaw},
    {165, "RAlt", kHook | kRaw},
    {166, "Web-Backward", kHook},
    {167, "Web-Forward", kHook},
    {168, "Web-Refresh", kHook},
    {169, "Web-Stop", kHook},
    {170, "Web-Search", kHook},
    {171, "Web-Favorites", kHook},
    {172, "Web-Home", kHook},
    {173, "Vol Mute", kHook},
    {174, "Vol Down", kHook},
    {175, "Vol Up", kHook},
    {176, "Next Track", kHook},
    {177, "Prev Track", kHook},
    {178, "Stop", kHook},
    {179, "Play/Pause", kHook},
    {180, "EMail", kHook},
    {181, "Multimedia", kHook},
    {182, "My Computer", kHook},
    {183, "Calculator", kHook},
};

// The punctuation keys as the combination dialog shows them: both characters.
struct PairName {
  uint32_t code;
  std::string_view name;
};

constexpr PairName kPairNames[] = {
    {186, ";:"}, {187, "=+"}, {188, "<,"},  {189, "-_"}, {190, ">."},  {191, "?/"},
    {192, "`~"}, {219, "[{"}, {220, "\\|"}, {221, "]}"}, {222, "'\""},
};

// Scan codes of the numeric pad without the E0 prefix, and the code each one
// stands for with Num Lock on.
struct PadKey {
  uint32_t scan_code;
  uint32_t code;
};

constexpr PadKey kPadKeys[] = {
    {71, 103}, {72, 104}, {73, 105}, {75, 100}, {76, 101}, {77, 102},
    {79, 97},  {80, 98},  {81, 99},  {82, 96},  {83, 110},
};
constexpr uint32_t kPadEnterScanCode = 28;
constexpr uint32_t kPadEnterCode = 108;

struct MouseButton {
  uint16_t flag;
  std::string_view name;
  uint32_t number;
  bool release;
};

// Tested in this order; the first flag present names the record.
constexpr MouseButton kMouseButtons[] = {
    {RawInput::kLeftDown, "mouse_left", 1, false},
    {RawInput::kMiddleDown, "mouse_middle", 2, false},
    {RawInput::kRightDown, "mouse_right", 3, false},
    {RawInput::kLeftUp, "mouse_left", 1, true},
    {RawInput::kMiddleUp, "mouse_middle", 2, true},
    {RawInput::kRightUp, "mouse_right", 3, true},
    {RawInput::kButton4Down, "mouse_button4", 4, false},
    {RawInput::kButton4Up, "mouse_button4", 4, true},
    {RawInput::kButton5Down, "mouse_button5", 5, false},
    {RawInput::kButton5Up, "mouse_button5", 5, true},
};

std::string NameFor(uint32_t code, Use use) {
  for (const FixedName& fixed : kFixedNames) {
    if (fixed.code == code && (fixed.uses & use) != 0) return std::string(fixed.name);
  }
  return SystemKeyName(code);
}

// Recording and capture keep the side of a modifier: the generic codes become
// the left-hand ones.
uint32_t SidedCode(uint32_t code) {
  switch (code) {
    case 16:
      return 160;
    case 17:
      return 162;
    case 18:
      return 164;
    default:
      return code;
  }
}

}  // namespace

std::string SystemKeyName(uint32_t code) {
  return code < kSystemNames.size() ? std::string(kSystemNames[code]) : std::string();
}

std::string KeyComboName(uint32_t code) {
  for (const PairName& pair : kPairNames) {
    if (pair.code == code) return std::string(pair.name);
  }
  return NameFor(code, kCombo);  // F13 to F24 are in the system table already
}

std::optional<NamedKey> HookKeyName(const KeyInput& input) {
  uint32_t code = input.vk;
  if (!input.extended) {
    for (const PadKey& pad : kPadKeys) {
      if (pad.scan_code == input.scan_code) code = pad.code;
    }
  } else if (input.scan_code == kPadEnterScanCode) {
    code = kPadEnterCode;
  }
  if (code == 0) return std::nullopt;
  code = SidedCode(code);
  return NamedKey{code, NameFor(code, kHook), input.release};
}

RawKeyEvent RawKeyName(const RawInput& input) {
  switch (input.device) {
    case RawInput::Device::kMouse:
      for (const MouseButton& button : kMouseButtons) {
        if ((input.mouse_buttons & button.flag) != 0) {
          return {RawKeyEvent::Kind::kMouse, button.number, std::string(button.name),
                  button.release};
        }
      }
      return {RawKeyEvent::Kind::kMouse, 0, {}, false};
    case RawInput::Device::kKeyboard: {
      const uint32_t code = SidedCode(input.key.vk);
      return {RawKeyEvent::Kind::kKey, code, NameFor(code, kRaw), input.key.release};
    }
    case RawInput::Device::kOther:
      break;
  }
  return {};
}

}  // namespace tessaro
