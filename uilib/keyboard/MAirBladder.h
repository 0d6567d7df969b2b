#pragma once
// The bubble tip: a text of one or more lines in a bubble sized to the text,
// placed beside a screen point in one of five ways and hidden again after
// five seconds. The paint manager owns one per window.
#include <string>

#include "uilib/core/TextStyle.h"
#include "uilib/keyboard/MTipWindow.h"

namespace tumi {

class MAirBladder : public MTipWindow {
 public:
  // Placements around the point.
  enum Placement : int {
    kRightOf = 1,     // right of the point, centred on it vertically
    kLeftOf = 2,      // left of the point
    kBelow = 3,       // below the point
    kAbove = 4,       // above the point, centred on it
    kRightShort = 5,  // right of the point, two lines fewer drawn; stays on deactivation
  };
  // A bubble of this type stays until it is hidden (no five-second timer).
  static constexpr int kTypeStays = 4;
  static constexpr int kFontPixels = 14;
  static constexpr Argb kTextColor = 0xFEE8EDF2;

  MAirBladder() = default;
  ~MAirBladder() override = default;

  const char* GetWindowClassName() const override { return "MAirBladder"; }

  int LoadArrowLImage(const std::string& name) { return LoadArrow(name, arrow_left_); }
  int LoadArrowRImage(const std::string& name) { return LoadArrow(name, arrow_right_); }
  int LoadArrowTImage(const std::string& name) { return LoadArrow(name, arrow_top_); }

  // Stores the message and fits the window to it, (re)starting the hide
  // timer unless the type stays; showing the window is the caller's
  // business. The same message again changes nothing. Always 1.
  int SetAirBladderMsg(const std::string& text, Point point, int type, int mode);
  // Sizes and places the window for the stored message.
  void AutoFit();

  const std::string& GetText() const { return text_; }
  Point GetPoint() const { return point_; }
  int GetLineCount() const { return line_count_; }
  const TextFormat& GetFormat() const { return format_; }
  // The window rectangle the stored message asks for (screen coordinates).
  const Rect& FitRect() const { return fit_; }

 protected:
  void DrawText(cairo_t* cr, int width, int height) override;

 private:
  int LoadArrow(const std::string& name, std::shared_ptr<const Image>& slot);
  FontSpec Font() { return FontSpec{GetFontFamily(), kFontPixels, kFontRegular}; }
  // The width of the whole text and the height of one line.
  Size MeasureText();

  std::string text_;
  Point point_;
  TextFormat format_;
  int line_count_ = 1;
  int line_height_ = 0;
  Rect fit_;
  std::shared_ptr<const Image> arrow_left_;
  std::shared_ptr<const Image> arrow_right_;
  std::shared_ptr<const Image> arrow_top_;
};

}  // namespace tumi
