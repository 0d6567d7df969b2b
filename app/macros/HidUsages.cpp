#include "app/macros/HidUsages.h"

#include <array>

namespace tessaro {
namespace {

struct Pair {
  uint32_t from;
  int to;
};

// Keys whose usage is not a run of the codes around them, in usage order:
// 0; Enter, Esc, Backspace, Tab, Space; the punctuation keys; Caps Lock; Print
// Screen to Page Down; the arrows; Num Lock and the pad's operators and Enter;
// the pad's 0 and decimal; the eight modifiers; Application, the ISO extra key
// and Clear; four international keys as they are. Usage 50, the non-US hash
// key, has no virtual-key code of its own.
constexpr Pair kSingleKeys[] = {
    {48, 39},   {13, 40},   {27, 41},   {8, 42},    {9, 43},    {32, 44},   {189, 45}, {187, 46},
    {219, 47},  {221, 48},  {220, 49},  {186, 51},  {222, 52},  {192, 53},  {188, 54}, {190, 55},
    {191, 56},  {20, 57},   {44, 70},   {145, 71},  {19, 72},   {45, 73},   {36, 74},  {33, 75},
    {46, 76},   {35, 77},   {34, 78},   {39, 79},   {37, 80},   {40, 81},   {38, 82},  {144, 83},
    {111, 84},  {106, 85},  {109, 86},  {107, 87},  {108, 88},  {96, 98},   {110, 99}, {162, 224},
    {160, 225}, {164, 226}, {91, 227},  {163, 228}, {161, 229}, {165, 230}, {92, 231}, {93, 101},
    {226, 100}, {254, 175}, {136, 136}, {137, 137}, {138, 138}, {139, 139},
};

// Media and browser keys become function codes 232 to 249.
constexpr Pair kFunctionKeys[] = {
    {181, 232}, {174, 233}, {175, 234}, {173, 235}, {178, 236}, {177, 237},
    {179, 238}, {176, 239}, {180, 240}, {172, 241}, {183, 242}, {166, 243},
    {167, 244}, {169, 245}, {168, 246}, {170, 247}, {171, 248}, {182, 249},
};

struct Run {
  uint32_t first;
  uint32_t last;
  int offset;  // usage = code + offset
};

constexpr Run kRuns[] = {
    {65, 90, -61},    // A-Z to 4-29
    {49, 57, -19},    // 1-9 to 30-38
    {112, 123, -54},  // F1-F12 to 58-69
    {124, 135, -20},  // F13-F24 to 104-115
    {97, 105, -8},    // pad 1-9 to 89-97
};

constexpr std::array<uint16_t, kLastFunctionCode - kFirstFunctionCode + 1> kConsumerUsages = {
    0x0183,  // 232 media player
    0x00EA,  // 233 volume down
    0x00E9,  // 234 volume up
    0x00E2,  // 235 mute
    0x00B7,  // 236 stop
    0x00B6,  // 237 previous track
    0x00CD,  // 238 play/pause
    0x00B5,  // 239 next track
    0x018A,  // 240 e-mail
    0x0223,  // 241 browser home
    0x0192,  // 242 calculator
    0x0224,  // 243 browser back
    0x0225,  // 244 browser forward
    0x0226,  // 245 browser stop
    0x0227,  // 246 browser refresh
    0x0221,  // 247 search
    0x022A,  // 248 bookmarks
    0x0194,  // 249 my computer
};

// Usages of the shortcut keys.
constexpr int kCtrl = 224;
constexpr int kAlt = 226;
constexpr int kGui = 227;
constexpr int kSpace = 44;
constexpr int kTab = 43;
constexpr int kF4 = 61;

// Letter usages, A = 4.
constexpr int Letter(char c) {
  return 4 + (c - 'A');
}

}  // namespace

int VirtualKeyToUsage(uint32_t vk) {
  for (const Run& run : kRuns) {
    if (vk >= run.first && vk <= run.last) return static_cast<int>(vk) + run.offset;
  }
  for (const Pair& pair : kSingleKeys) {
    if (pair.from == vk) return pair.to;
  }
  for (const Pair& pair : kFunctionKeys) {
    if (pair.from == vk) return pair.to;
  }
  return 0;
}

uint16_t ConsumerUsage(int function_code) {
  if (function_code < kFirstFunctionCode || function_code > kLastFunctionCode) return 0;
  return kConsumerUsages[function_code - kFirstFunctionCode];
}

std::optional<int> MouseButtonBit(int button_code) {
  switch (button_code) {
    case 1:
      return 0;
    case 2:
      return 2;
    case 3:
      return 1;
    case 7:
      return 4;
    case 8:
      return 3;
    default:
      return std::nullopt;
  }
}

std::vector<ShortcutStep> ShortcutSequence(int value) {
  // A modifier held around one key.
  auto chord = [](int modifier, int key) {
    return std::vector<ShortcutStep>{
        {modifier, true}, {key, true}, {key, false}, {modifier, false}};
  };
  // Alt+Space opens the window menu; the letter then picks its entry.
  auto window_menu = [](int letter) {
    return std::vector<ShortcutStep>{{kAlt, true},    {kSpace, true},  {letter, true},
                                     {letter, false}, {kSpace, false}, {kAlt, false}};
  };
  switch (value) {
    case 1:
      return chord(kCtrl, Letter('A'));
    case 2:
      return chord(kCtrl, Letter('C'));
    case 3:
      return chord(kCtrl, Letter('X'));
    case 4:
      return chord(kCtrl, Letter('V'));
    case 5:
      return chord(kCtrl, Letter('Z'));
    case 6:
      return chord(kCtrl, Letter('S'));
    case 7:
      return chord(kGui, Letter('E'));
    case 8:
      return chord(kGui, Letter('L'));
    case 9:
      return chord(kGui, Letter('D'));
    case 10:
      return chord(kAlt, kTab);
    case 11:
      return chord(kGui, Letter('M'));
    case 12:
      return chord(kCtrl, Letter('W'));
    case 13:
      return window_menu(Letter('X'));
    case 14:
      return window_menu(Letter('N'));
    case 15:
      return chord(kAlt, kF4);
    default:
      return {};
  }
}

}  // namespace tessaro
