#pragma once
// How a text is drawn: the font (family, size in pixels, style bits) and its
// placement in a layout box.
#include <string>

namespace tumi {

// Style bits, combined with |.
enum FontStyle : int {
  kFontRegular = 0,
  kFontBold = 1,
  kFontItalic = 2,
  kFontUnderline = 4,
  kFontStrikeout = 8,
};

constexpr int kFontWeightRegular = 400;
constexpr int kFontWeightBold = 700;

// Bold is the bold weight itself, never raised beyond it.
constexpr int FontWeightForStyle(int style) {
  return (style & kFontBold) ? kFontWeightBold : kFontWeightRegular;
}

struct FontSpec {
  std::string family = "Arial";
  int pixel_size = 14;
  int style = kFontRegular;
};

// Horizontal alignments 0, 1, 2 and vertical alignments 0, 4, 8 have the
// values of the controls' alignment fields (and of DrawText's flags).
enum TextAlign : int {
  kAlignLeft = 0,
  kAlignCenter = 1,
  kAlignRight = 2,
  kAlignTop = 0,
  kAlignVCenter = 4,
  kAlignBottom = 8,
};

// DrawText format flags the library honours.
enum DrawTextFlags : unsigned {
  kDtCenter = 0x1,
  kDtRight = 0x2,
  kDtVCenter = 0x4,
  kDtBottom = 0x8,
  kDtWordBreak = 0x10,
  kDtSingleLine = 0x20,
  kDtNoClip = 0x100,
  kDtEndEllipsis = 0x8000,
  kDtWordEllipsis = 0x40000,
};

struct TextFormat {
  int h_align = kAlignLeft;
  int v_align = kAlignTop;
  bool wrap = false;         // break lines at words to fit the box width
  bool single_line = false;  // line breaks in the text do not start new lines
  bool ellipsis = false;     // a line too wide for the box ends in "…"
  bool clip = true;          // nothing is drawn outside the box
  // Text rendering hint: 1 and 2 draw without anti-aliasing, the others with
  // grey anti-aliasing (cached control pictures are composed onto other
  // backgrounds, where sub-pixel colour fringes would show).
  int rendering_hint = 5;

  static TextFormat FromDrawTextFlags(unsigned flags);
};

inline TextFormat TextFormat::FromDrawTextFlags(unsigned flags) {
  TextFormat f;
  f.h_align = (flags & kDtRight) ? kAlignRight : (flags & kDtCenter) ? kAlignCenter : kAlignLeft;
  f.v_align = (flags & kDtBottom) ? kAlignBottom : (flags & kDtVCenter) ? kAlignVCenter : kAlignTop;
  f.single_line = (flags & kDtSingleLine) != 0;
  f.wrap = !f.single_line && (flags & kDtWordBreak) != 0;
  f.ellipsis = (flags & (kDtEndEllipsis | kDtWordEllipsis)) != 0;
  f.clip = (flags & kDtNoClip) == 0;
  return f;
}

}  // namespace tumi
