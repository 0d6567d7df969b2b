#include "uilib/core/MShadow.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "uilib/core/Graphics.h"
#include "uilib/core/Manager.h"
#include "uilib/core/PaintManager.h"
#include "uilib/core/SkinPath.h"

namespace tumi {

namespace msg = platform::msg;

MShadow::~MShadow() {
  DestroyWindow();
}

bool MShadow::Create(PaintManager* manager) {
  if (!show_ || !manager || !System()) return false;
  parent_ = manager->GetPaintWnd();
  if (!System()->IsWindow(parent_)) return false;
  if (!System()->IsWindow(GetSafeHwnd())) {
    MWindow::Create(parent_, "ShadowWnd", WindowStyle(), ShadowRect(manager->GetWindowRect()));
  }
  if (System()->IsVisible(parent_) && !System()->IsMinimized(parent_)) Update();
  return System()->IsWindow(GetSafeHwnd());
}

int MShadow::SetSize(int size) {
  if (size < -35 || size > 35) return 0;
  size_ = size;
  Redraw();
  return 1;
}

int MShadow::SetSharpness(int sharpness) {
  if (sharpness < 0 || sharpness > 35) return 0;
  sharpness_ = sharpness;
  Redraw();
  return 1;
}

int MShadow::SetDarkness(int darkness) {
  if (darkness < 0 || darkness > 255) return 0;
  darkness_ = darkness;
  Redraw();
  return 1;
}

int MShadow::SetPosition(int x, int y) {
  if (x < -35 || x > 35 || y < -35 || y > 35) return 0;
  x_offset_ = x;
  y_offset_ = y;
  Redraw();
  return 1;
}

int MShadow::SetColor(ColorRef color) {
  color_ = color;
  Redraw();
  return 1;
}

int MShadow::SetImage(const std::string& skin_name) {
  auto image = MRender::LoadImageFromFile(
      SkinPath::ResolveCase(SkinPath::Join(Manager::GetSkinFolder(), skin_name)));
  if (!image) return 0;
  image_ = image;
  Redraw();
  return 1;
}

int MShadow::SetShadowCorner(Margins corner) {
  if (corner.left < 0 || corner.top < 0 || corner.right < 0 || corner.bottom < 0) return 0;
  corner_ = corner;
  Redraw();
  return 1;
}

void MShadow::Redraw() {
  if (show_ && System() && System()->IsVisible(GetSafeHwnd())) Update();
}

Rect MShadow::ShadowRect(const Rect& parent) const {
  if (ImageMode()) {
    return Rect{parent.left - corner_.left, parent.top - corner_.top, parent.right + corner_.right,
                parent.bottom + corner_.bottom};
  }
  return Rect{parent.left - size_ + x_offset_, parent.top - size_ + y_offset_,
              parent.right + size_ + x_offset_, parent.bottom + size_ + y_offset_};
}

void MShadow::OnParentMessage(std::uint32_t message, std::uintptr_t wparam,
                              std::intptr_t /*lparam*/) {
  if (disabled_ || !System() || !System()->IsWindow(GetSafeHwnd())) return;
  switch (message) {
    case msg::kMove:
    case msg::kExitSizeMove:
      Update();
      break;
    case msg::kSize:
      if (wparam == msg::kSizeMinimized || wparam == msg::kSizeMaximized) {
        ShowWindow(static_cast<int>(platform::ShowCommand::kHide));
      } else {
        Update();
      }
      break;
    case msg::kShowWindow:
      if (wparam) {
        Update();
      } else {
        ShowWindow(static_cast<int>(platform::ShowCommand::kHide));
      }
      break;
    case msg::kDestroy:
      DestroyWindow();
      break;
    default:
      break;
  }
}

void MShadow::Update() {
  if (!System() || !System()->IsWindow(GetSafeHwnd()) || !System()->IsWindow(parent_)) return;
  Rect parent = FromPlatform(System()->Bounds(parent_));
  Rect bounds = ShadowRect(parent);
  if (bounds.IsEmpty() || (size_ == 0 && !ImageMode() && sharpness_ == 0)) return;
  MoveWindow(bounds);
  InvalidateRect();
  ShowWindow(static_cast<int>(platform::ShowCommand::kShowNoActivate));
}

void MShadow::Paint() {
  platform::PaintContext ctx = System()->BeginPaint(GetSafeHwnd());
  if (!ctx.surface) return;
  Rect client = GetClientRect();
  cairo_t* cr = cairo_create(ctx.surface);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  if (ImageMode()) {
    MRender::DrawImageFrameMID(cr, *image_, client, Rect{0, 0, image_->Width(), image_->Height()},
                               corner_);
  } else {
    // A rectangle the parent's size, its edges faded over the sharpness in
    // steps: each inset ring adds a little more of the darkness.
    int steps = std::max(sharpness_, 1);
    double per_step = darkness_ / 255.0 / steps;
    Argb colour = ArgbFromColorRef(color_, 255);
    for (int i = 0; i < steps; ++i) {
      Rect ring = client.Inset(i, i);
      if (ring.IsEmpty()) break;
      cairo_set_source_rgba(cr, RedOf(colour) / 255.0, GreenOf(colour) / 255.0,
                            BlueOf(colour) / 255.0, per_step);
      cairo_rectangle(cr, ring.left, ring.top, ring.Width(), ring.Height());
      cairo_fill(cr);
    }
  }
  cairo_destroy(cr);
  cairo_surface_flush(ctx.surface);
}

std::intptr_t MShadow::OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                       std::intptr_t lparam) {
  if (message == msg::kPaint) {
    Paint();
    return 0;
  }
  return MWindow::OnWindowMessage(message, wparam, lparam);
}

}  // namespace tumi
