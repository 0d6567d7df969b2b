#pragma once
// A column of seven preset colour swatches; picking one reports 27 with its
// index and colour, after the swatch's own notification.
#include <array>

#include "uilib/controls/MPanel.h"

namespace tumi {

class CColorButton;

class CColorSelect : public MPanel {
 public:
  static constexpr unsigned kFirstSwatchId = 631;
  static constexpr int kSwatchCount = 7;

  CColorSelect(MObject* parent, unsigned id, const Rect& rect, int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "CColorSelect"; }
  void InitControl(PaintManager* manager) override;
  void SetControlRect(const Rect& rect) override;
  long OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) override;

  ColorRef GetSelectColor() const { return selected_; }
  // Checks the swatch of that colour when there is one.
  void SetSelectColor(ColorRef color);
  // Checks swatch `index` (0 to 6) and selects its colour; false outside.
  bool SetColorIndex(int index);

 private:
  void Layout();

  std::array<CColorButton*, kSwatchCount> swatches_{};  // owned through the child list
  ColorRef selected_ = 0;
};

}  // namespace tumi
