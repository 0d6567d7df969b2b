#include "uilib/keyboard/KeyFuncButton.h"

#include <iterator>

namespace tumi {

namespace {

constexpr int H = kKeyFuncButtonHeight;
constexpr int kTall = 61;  // numeric-pad "+" and "Enter" span two rows

constexpr KeyFuncButton Icon(const char* file, int code, int left) {
  return {"", file, code, left, left + 43, 0, H};
}
constexpr KeyFuncButton Key(const char* label, int code, int left, int right, int top,
                            int height = H) {
  return {label, nullptr, code, left, right, top, height};
}

constexpr KeyFuncButton kButtons[] = {
    // Functions: my computer, calculator, e-mail, media player, play/pause,
    // stop, previous, next, volume down, up, mute, web home, refresh, stop,
    // back, forward, favourites, search.
    Icon("icon//icon_pc.png", 249, 0),
    Icon("icon//icon_cal.png", 242, 50),
    Icon("icon//icon_email.png", 240, 100),
    Icon("icon//icon_multimedia.png", 232, 150),
    Icon("icon//icon_playpause.png", 238, 200),
    Icon("icon//icon_stop.png", 236, 250),
    Icon("icon//icon_pre.png", 237, 300),
    Icon("icon//icon_next.png", 239, 350),
    Icon("icon//icon_vol_down.png", 233, 400),
    Icon("icon//icon_vol_up.png", 234, 450),
    Icon("icon//icon_vol_mute.png", 235, 500),
    Icon("icon//icon_home.png", 241, 550),
    Icon("icon//icon_web_refresh.png", 246, 600),
    Icon("icon//icon_web_stop.png", 245, 650),
    Icon("icon//icon_web_backward.png", 243, 700),
    Icon("icon//icon_web_foreward.png", 244, 750),
    Icon("icon//icon_favorites.png", 248, 800),
    Icon("icon//icon_web_search.png", 247, 850),

    Key("Esc", 41, 0, 36, 38),
    Key("F1", 58, 78, 114, 38),
    Key("F2", 59, 117, 153, 38),
    Key("F3", 60, 156, 192, 38),
    Key("F4", 61, 195, 231, 38),
    Key("F5", 62, 260, 296, 38),
    Key("F6", 63, 299, 335, 38),
    Key("F7", 64, 338, 374, 38),
    Key("F8", 65, 377, 413, 38),
    Key("F9", 66, 442, 478, 38),
    Key("F10", 67, 481, 517, 38),
    Key("F11", 68, 520, 556, 38),
    Key("F12", 69, 559, 595, 38),
    Key("Print", 70, 616, 652, 38),
    Key("Scroll Lock", 71, 655, 691, 38),
    Key("Pause", 72, 694, 730, 38),

    Key("~", 53, 0, 36, 76),
    Key("1", 30, 39, 75, 76),
    Key("2", 31, 78, 114, 76),
    Key("3", 32, 117, 153, 76),
    Key("4", 33, 156, 192, 76),
    Key("5", 34, 195, 231, 76),
    Key("6", 35, 234, 270, 76),
    Key("7", 36, 273, 309, 76),
    Key("8", 37, 312, 348, 76),
    Key("9", 38, 351, 387, 76),
    Key("0", 39, 390, 426, 76),
    Key("-", 45, 429, 465, 76),
    Key("=", 46, 468, 504, 76),
    Key("Back", 42, 507, 595, 76),
    Key("Ins", 73, 616, 652, 76),
    Key("Home", 74, 655, 691, 76),
    Key("PgUp", 75, 694, 730, 76),
    Key("NumLock", 83, 750, 786, 76),
    Key("/", 84, 789, 825, 76),
    Key("*", 85, 828, 864, 76),
    Key("-", 86, 867, 903, 76),

    Key("Tab", 43, 0, 75, 109),
    Key("Q", 20, 78, 114, 109),
    Key("W", 26, 117, 153, 109),
    Key("E", 8, 156, 192, 109),
    Key("R", 21, 195, 231, 109),
    Key("T", 23, 234, 270, 109),
    Key("Y", 28, 273, 309, 109),
    Key("U", 24, 312, 348, 109),
    Key("I", 12, 351, 387, 109),
    Key("O", 18, 390, 426, 109),
    Key("P", 19, 429, 465, 109),
    Key("[", 47, 468, 503, 109),
    Key("]", 48, 507, 542, 109),
    Key("\\", 49, 546, 595, 109),
    Key("Del", 76, 616, 652, 109),
    Key("End", 77, 655, 691, 109),
    Key("PgDn", 78, 694, 730, 109),
    Key("7", 95, 750, 786, 109),
    Key("8", 96, 789, 825, 109),
    Key("9", 97, 828, 864, 109),
    Key("+", 87, 867, 903, 109, kTall),

    Key("Caps", 57, 0, 85, 142),
    Key("A", 4, 88, 124, 142),
    Key("S", 22, 127, 163, 142),
    Key("D", 7, 166, 202, 142),
    Key("F", 9, 205, 241, 142),
    Key("G", 10, 244, 280, 142),
    Key("H", 11, 283, 319, 142),
    Key("J", 13, 322, 358, 142),
    Key("K", 14, 361, 397, 142),
    Key("L", 15, 400, 436, 142),
    Key(";", 51, 439, 475, 142),
    Key("'", 52, 478, 514, 142),
    Key("Enter", 40, 517, 595, 142),
    Key("4", 92, 750, 786, 142),
    Key("5", 93, 789, 825, 142),
    Key("6", 94, 828, 864, 142),

    Key("Shift", 225, 0, 101, 175),
    Key("Z", 29, 104, 140, 175),
    Key("X", 27, 143, 179, 175),
    Key("C", 6, 182, 218, 175),
    Key("V", 25, 221, 257, 175),
    Key("B", 5, 260, 296, 175),
    Key("N", 17, 299, 335, 175),
    Key("M", 16, 338, 374, 175),
    Key(",<", 54, 377, 413, 175),
    Key(".>", 55, 416, 452, 175),
    Key("/?", 56, 455, 491, 175),
    Key("Shift", 229, 494, 595, 175),
    Key("Up", 82, 655, 691, 175),
    Key("1", 89, 750, 786, 175),
    Key("2", 90, 789, 825, 175),
    Key("3", 91, 828, 864, 175),
    Key("Enter", 88, 867, 903, 175, kTall),

    Key("Ctrl", 224, 0, 50, 208),
    Key("Win", 227, 53, 103, 208),
    Key("Alt", 226, 106, 156, 208),
    Key("Space", 44, 159, 383, 208),
    Key("Alt", 230, 386, 436, 208),
    Key("Win", 231, 439, 489, 208),
    Key("App", 101, 492, 542, 208),
    Key("Ctrl", 228, 545, 595, 208),
    Key("Left", 80, 616, 652, 208),
    Key("Down", 81, 655, 691, 208),
    Key("Right", 79, 694, 730, 208),
    Key("0", 98, 750, 786, 208),
    Key(".", 99, 789, 864, 208),
};

static_assert(std::size(kButtons) == 122);

}  // namespace

std::span<const KeyFuncButton> KeyFuncButtons() {
  return kButtons;
}

}  // namespace tumi
