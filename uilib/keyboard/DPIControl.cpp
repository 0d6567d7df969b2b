#include "uilib/keyboard/DPIControl.h"

#include "uilib/controls/CCheckButton.h"
#include "uilib/controls/CColorButton.h"
#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"
#include "uilib/core/PaintManager.h"
#include "uilib/keyboard/CentredText.h"

namespace tumi {

namespace {
constexpr char kCheckImage[] = "btn_checkbox.png";
}  // namespace

DPIControl::DPIControl(MObject* parent, unsigned id, const Rect& rect, int visible)
    : MPanel(parent, id, rect, visible) {}

void DPIControl::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  // The children are made once, when the stage first joins a window.
  if (!manager || check_box_) return;
  check_box_ = static_cast<CCheckButton*>(
      AddControl(std::make_unique<CCheckButton>(this, kCheckBoxId, Rect{}, "", 1, 1)));
  check_box_->SetImage(kCheckImage, 8);
  check_box_->SetCheck(1);
  swatch_ = static_cast<CColorButton*>(
      AddControl(std::make_unique<CColorButton>(this, kSwatchId, Rect{}, "", 1, 1)));
  swatch_->SetImage(kCheckImage, 4);
  swatch_->SetColor(color_);
  swatch_->SetCheck(1);
  SetControlRect(rect_);
}

void DPIControl::SetControlRect(const Rect& rect) {
  MPanel::SetControlRect(rect);
  if (check_box_) {
    check_box_->SetControlRect({rect.left, rect.top + 30, rect.left + 24, rect.bottom});
  }
  if (swatch_)
    swatch_->SetControlRect({rect.right - 20, rect.top + 35, rect.right, rect.bottom - 5});
}

long DPIControl::OnMessage(unsigned id, unsigned code, std::uintptr_t wparam,
                           std::intptr_t lparam) {
  if (parent_ && id == kCheckBoxId) parent_->OnBaseMessage(id_, code, 0, 1);
  if (parent_ && id == kSwatchId) parent_->OnBaseMessage(id_, code, 0, 2);
  return MPanel::OnMessage(id, code, wparam, lparam);
}

void DPIControl::DrawHalf(cairo_t* cr, int half, int width, int height) {
  cairo_save(cr);
  cairo_translate(cr, half * width, 0);
  if (image_ && image_->image) {
    Rect source = Rect::FromSize(half * frame_width_, 0, frame_width_, frame_height_);
    MRender::DrawImageFrame(cr, *image_->image, Rect{22, 35, width - 22, height - 5}, source,
                            kBoxCorner);
  }
  if (!title_.empty()) {
    FontSpec font = GetFontSpec();
    font.pixel_size -= 2;
    MRender::DrawString(cr, title_, Rect::FromSize(0, 10, width, 20), font,
                        CentredText(rendering_hint_), text_color_);
  }
  MRender::DrawString(cr, std::to_string(dpi_), Rect::FromSize(22, 35, width - 44, 20),
                      GetFontSpec(), CentredText(rendering_hint_),
                      half == 0 ? text_color_ : kSelectedValueColor);
  cairo_restore(cr);
}

void DPIControl::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, 2 * w, h);
    if (!cache) return;
    Graphics g(*cache);
    DrawHalf(g, 0, w, h);
    DrawHalf(g, 1, w, h);
  }
  PaintSlot(cr, check_ ? 1 : 0);
}

int DPIControl::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  check_ = 1;
  ResetGroupCheck();
  UpdateControl(0, 0);
  return 0;
}

void DPIControl::SetDPIValue(int value) {
  if (value == dpi_) return;
  dpi_ = value;
  UpdateControl(1, 0);
}

void DPIControl::SetColor(ColorRef color) {
  color_ = color;
  if (swatch_ && swatch_->GetColor() != color) {
    swatch_->SetColor(color);
    swatch_->UpdateControl(1, 0);
  }
}

int DPIControl::SetCheck(int check) {
  if (check != check_) {
    check_ = check;
    UpdateControl(0, 0);
  }
  return 1;
}

int DPIControl::ResetGroupCheck() {
  if (!parent_) return 0;
  // Snapshots: clearing a sibling repaints it, which must not happen under
  // the list's lock.
  std::vector<MControl*> siblings;
  if (parent_->IsClass("MDialog")) {
    if (manager_) siblings = manager_->ControlsSnapshot();
  } else if (auto* parent = dynamic_cast<MControl*>(parent_)) {
    siblings = parent->ChildrenSnapshot();
  }
  for (MControl* sibling : siblings) {
    auto* stage = dynamic_cast<DPIControl*>(sibling);
    if (!stage || stage == this || stage->group_ != group_ || !stage->check_) continue;
    stage->SetCheck(0);
  }
  return 1;
}

}  // namespace tumi
