#pragma once
// One sensitivity stage: a caption, the value in a framed box, a check box
// (child 30) and a colour swatch (child 31). One stage of a group is the
// selected one; a press on a stage selects it and clears the others of its
// group. The render cache holds both looks (unselected, selected) side by
// side, so selecting only copies the other half.
#include <string>

#include "uilib/controls/MPanel.h"

namespace tumi {

class CCheckButton;
class CColorButton;

class DPIControl : public MPanel {
 public:
  DPIControl(MObject* parent, unsigned id, const Rect& rect, int visible);

  const char* GetClassNameW() const override { return "DPIControl"; }
  void InitControl(PaintManager* manager) override;
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  // The check box's notifications also reach the parent as this stage's
  // (lparam 1), the swatch's (lparam 2); then every one as it came.
  long OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) override;
  void SetControlRect(const Rect& rect) override;
  int OnControlMouseMove(unsigned /*flags*/, Point /*p*/) override { return 0; }
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned /*flags*/, Point /*p*/) override { return 0; }

  void SetDPIValue(int value);
  int GetDPIValue() const { return dpi_; }
  void SetColor(ColorRef color);
  ColorRef GetColor() const { return color_; }
  int SetCheck(int check);
  int GetCheck() const { return check_; }
  void SetGroupName(const std::string& name) { group_ = name; }
  const std::string& GetGroupName() const { return group_; }
  // Clears the check of the other stages of the group; 0 without a parent.
  int ResetGroupCheck();

  CCheckButton* CheckBox() const { return check_box_; }
  CColorButton* Swatch() const { return swatch_; }

  static constexpr unsigned kCheckBoxId = 30;
  static constexpr unsigned kSwatchId = 31;
  static constexpr Argb kSelectedValueColor = 0xFECA5180;
  static constexpr int kBoxCorner = 4;

 private:
  void DrawHalf(cairo_t* cr, int half, int width, int height);

  CCheckButton* check_box_ = nullptr;  // owned through the child list
  CColorButton* swatch_ = nullptr;
  int check_ = 0;
  int dpi_ = 500;
  ColorRef color_ = 255;
  std::string group_ = "DPIControl";
};

}  // namespace tumi
