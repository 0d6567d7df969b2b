#pragma once
// The key tip: a 190 x 100 card with a title and two lines whose bottom edge
// is centred on a screen point (above the key under the pointer). Its owner
// shows and hides it; it never hides itself on a timer.
#include <string>

#include "uilib/core/TextStyle.h"
#include "uilib/keyboard/MTipWindow.h"

namespace tumi {

class CKeyboardTips : public MTipWindow {
 public:
  static constexpr int kWidth = 190;
  static constexpr int kHeight = 100;
  static constexpr Argb kTitleColor = 0xFFC8C8C8;
  static constexpr Argb kLineColor = 0xFFFFFFFF;

  CKeyboardTips() = default;
  ~CKeyboardTips() override = default;

  const char* GetWindowClassName() const override { return "CKeyboardTips"; }

  // Stores the texts and the point and, unless the title is empty, moves the
  // card over the point and repaints it. The same texts and point again
  // change nothing. Always 1.
  int SetAirBladderMsg(const std::string& title, const std::string& line1, const std::string& line2,
                       Point point);
  void AutoFit();

  const std::string& GetTitle() const { return title_; }
  const std::string& GetLine1() const { return line1_; }
  const std::string& GetLine2() const { return line2_; }
  Point GetPoint() const { return point_; }
  // The card's rectangle for a point (screen coordinates).
  static Rect CardRect(Point point) {
    return Rect::FromSize(point.x - kWidth / 2, point.y - kHeight, kWidth, kHeight);
  }

 protected:
  void DrawText(cairo_t* cr, int width, int height) override;

 private:
  std::string title_;
  std::string line1_;
  std::string line2_;
  Point point_;
};

}  // namespace tumi
