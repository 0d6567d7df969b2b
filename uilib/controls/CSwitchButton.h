#pragma once
// A two-picture switch: the on strip while checked, the off strip otherwise.
// A click flips it and reports 2 with the new check as lparam.
#include <string>

#include "uilib/controls/ButtonBase.h"

namespace tumi {

class CSwitchButton : public ButtonBase {
 public:
  CSwitchButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "CSwitchButton"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;

  using ButtonBase::SetImage;
  // Both strips through the window's image cache; 1 when both loaded.
  int SetImage(const std::string& on, const std::string& off, int frame_count);
  int GetCheck() const { return check_; }
  int SetCheck(int check);

 protected:
  void DrawSlot(cairo_t* cr, int slot, const Rect& box) override;

 private:
  const ImgResInfo* on_ = nullptr;
  const ImgResInfo* off_ = nullptr;
  int check_ = 0;
  bool pressed_ = false;
};

}  // namespace tumi
