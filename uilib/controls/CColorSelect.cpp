#include "uilib/controls/CColorSelect.h"

#include "uilib/controls/CColorButton.h"

namespace tumi {

namespace {
constexpr ColorRef kPresets[CColorSelect::kSwatchCount] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF,
                                                           0xFF00FF, 0xFFFF00, 0xFFFFFF};
constexpr int kSwatchSize = 20;
constexpr int kSwatchPitch = 25;
constexpr int kFirstTop = 5;
constexpr const char* kGroup = "clr_palette_group";
}  // namespace

CColorSelect::CColorSelect(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled)
    : MPanel(parent, id, rect, visible) {
  enabled_ = enabled;
}

void CColorSelect::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  if (swatches_[0]) return;
  for (int i = 0; i < kSwatchCount; ++i) {
    auto* swatch = static_cast<CColorButton*>(AddControl(
        std::make_unique<CColorButton>(this, kFirstSwatchId + i, Rect{}, "", 1, enabled_)));
    swatch->SetColor(kPresets[i]);
    swatch->SetGroupName(kGroup);
    swatches_[i] = swatch;
  }
  // White would vanish on a light background without its border.
  swatches_[kSwatchCount - 1]->SetVisibleBorder(1);
  Layout();
}

void CColorSelect::Layout() {
  int left = rect_.left + (rect_.Width() - kSwatchSize) / 2;
  for (int i = 0; i < kSwatchCount; ++i) {
    if (swatches_[i]) {
      swatches_[i]->SetControlRect(
          Rect::FromSize(left, rect_.top + kFirstTop + i * kSwatchPitch, kSwatchSize, kSwatchSize));
    }
  }
}

void CColorSelect::SetControlRect(const Rect& rect) {
  MPanel::SetControlRect(rect);
  Layout();
}

void CColorSelect::SetSelectColor(ColorRef color) {
  selected_ = color;
  for (CColorButton* swatch : swatches_) {
    if (swatch) swatch->SetControlCheck(swatch->GetColor() == color ? 1 : 0);
  }
  UpdateControl(0, 0);
}

bool CColorSelect::SetColorIndex(int index) {
  if (index < 0 || index >= kSwatchCount || !swatches_[index]) return false;
  SetSelectColor(swatches_[index]->GetColor());
  return true;
}

long CColorSelect::OnMessage(unsigned id, unsigned code, std::uintptr_t wparam,
                             std::intptr_t lparam) {
  long result = MPanel::OnMessage(id, code, wparam, lparam);
  int index = static_cast<int>(id) - static_cast<int>(kFirstSwatchId);
  if (code == kNotifyPressed && index >= 0 && index < kSwatchCount && swatches_[index]) {
    selected_ = swatches_[index]->GetColor();
    SendMessageW(kNotifyColorPicked, static_cast<std::uintptr_t>(index),
                 static_cast<std::intptr_t>(selected_));
  }
  return result;
}

}  // namespace tumi
