#include "uilib/core/TooltipWnd.h"

#include <algorithm>

#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"

namespace tumi {

namespace {
FontSpec TooltipFont() {
  return FontSpec{Manager::GetFontName(), 12, kFontRegular};
}
TextFormat TooltipFormat() {
  TextFormat f;
  f.single_line = true;
  f.ellipsis = true;
  return f;
}
}  // namespace

TooltipWnd::~TooltipWnd() {
  DestroyWindow();
}

Size TooltipWnd::Measure() const {
  Size s = MRender::GetTextBounds(TooltipFont(), text_, TooltipFormat());
  s.cx = std::min(s.cx, kMaxWidth);
  return {s.cx + 2 * kPadding, s.cy + 2 * kPadding};
}

void TooltipWnd::ShowAt(WindowId owner, const std::string& text, Point screen) {
  text_ = text;
  at_ = screen;
  Size size = Measure();
  Rect bounds = Rect::FromSize(screen.x, screen.y, size.cx, size.cy);
  if (!System() || !System()->IsWindow(GetSafeHwnd())) {
    Create(owner, "Tooltip", WindowStyle(), bounds);
  } else {
    MoveWindow(bounds);
  }
  InvalidateRect();
  ShowWindow(static_cast<int>(platform::ShowCommand::kShowNoActivate));
}

void TooltipWnd::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  Size size = Measure();
  MoveWindow(Rect::FromSize(at_.x, at_.y, size.cx, size.cy));
  InvalidateRect();
}

void TooltipWnd::Hide() {
  if (IsShown()) ShowWindow(static_cast<int>(platform::ShowCommand::kHide));
}

bool TooltipWnd::IsShown() const {
  return IsWindowVisible();
}

void TooltipWnd::Draw() {
  platform::PaintContext ctx = System()->BeginPaint(GetSafeHwnd());
  if (!ctx.surface) return;
  cairo_t* cr = cairo_create(ctx.surface);
  Rect client = GetClientRect();
  MRender::FillSolidRect(cr, client, 0x767676);
  MRender::FillSolidRect(cr, client.Inset(1, 1), 0xFFFFFF);
  MRender::DrawString(cr, text_, client.Inset(kPadding, kPadding), TooltipFont(), TooltipFormat(),
                      0xFF202020);
  cairo_destroy(cr);
  cairo_surface_flush(ctx.surface);
}

std::intptr_t TooltipWnd::OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                          std::intptr_t lparam) {
  if (message == platform::msg::kPaint) {
    Draw();
    return 0;
  }
  return MWindow::OnWindowMessage(message, wparam, lparam);
}

}  // namespace tumi
