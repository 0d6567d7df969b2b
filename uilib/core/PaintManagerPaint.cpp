// The paint manager's drawing: background, controls, caret and the status
// box, painted into the window's surface (its one back buffer; the window
// layer shows the damaged part once the handler returns).
#include <algorithm>

#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"
#include "uilib/core/PaintManager.h"

namespace tumi {

int PaintManager::Paint() {
  platform::WindowSystem* system = System();
  if (!system || !system->IsWindow(window_)) return 0;
  if (system->IsMinimized(window_)) return 1;
  platform::PaintContext ctx = system->BeginPaint(window_);
  if (!ctx.surface || ctx.damage.IsEmpty()) return 0;
  RunPendingUpdates();
  Rect damage = FromPlatform(ctx.damage);
  cairo_t* cr = cairo_create(ctx.surface);
  cairo_rectangle(cr, damage.left, damage.top, damage.Width(), damage.Height());
  cairo_clip(cr);
  if (layered_) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_restore(cr);
  }
  DrawBackground(cr);
  Rect clip = layered_ ? GetClientRect() : damage;
  DrawControls(cr, clip);
  DrawCaret(cr, clip);
  if (message_alpha_ > 10 && !message_text_.empty()) DrawStatus(cr);
  cairo_destroy(cr);
  cairo_surface_flush(ctx.surface);
  return 1;
}

void PaintManager::DrawBackground(cairo_t* cr) {
  Rect client = GetClientRect();
  if (back_image_) {
    Rect whole{0, 0, back_image_->Width(), back_image_->Height()};
    if (back_mode_ == kBackNinePatch) {
      MRender::DrawImageFrame(cr, *back_image_, client, whole, back_corner_);
    } else {
      MRender::DrawImage(cr, *back_image_, whole, whole);
    }
    return;
  }
  MRender::FillSolidRect(cr, client, back_border_);
  MRender::FillSolidRect(cr, client.Inset(1, 1), back_inner_);
}

void PaintManager::DrawControls(cairo_t* cr, const Rect& clip) {
  {
    std::lock_guard lock(areas_lock_);
    for (MControl* c : areas_) c->Draw(cr, clip);
  }
  std::lock_guard lock(controls_lock_);
  for (MControl* c : controls_) c->Draw(cr, clip);
}

void PaintManager::DrawStatus(cairo_t* cr) {
  const Rect& box = message_box_;
  auto a = static_cast<std::uint32_t>(std::clamp(message_alpha_, 0, 255));
  MRender::DrawColor(cr, box, (a << 24) | 0xE6E6E6);
  MRender::DrawColor(cr, box.Inset(2, 2), (a << 24) | 0xFEFEFE);
  FontSpec font{Manager::GetFontName(), 12, kFontRegular};
  Argb text_color = (a << 24) | 0x050505;
  int shown = std::clamp(shown_progress_, 0, 100);
  if (shown <= 0) {
    TextFormat format;
    format.v_align = kAlignVCenter;
    MRender::DrawString(cr, message_text_, Rect::FromSize(box.left + 5, box.top + 5, 190, 50), font,
                        format, text_color);
    return;
  }
  TextFormat format;
  format.h_align = kAlignCenter;
  format.v_align = kAlignVCenter;
  MRender::DrawString(cr, message_text_,
                      Rect::FromSize(box.left + 5, box.top + 5, box.Width() - 10, 30), font, format,
                      text_color);
  MRender::DrawColor(cr, Rect{box.left + 10, box.bottom - 15, box.right - 20, box.bottom - 14},
                     0xC8C8C8C8);
  int width = (box.Width() - 20) * shown / 100;
  MRender::DrawColor(cr, Rect::FromSize(box.left + 10, box.bottom - 16, width, 3), 0xFEFFE100);
}

void PaintManager::CreateCaret(int width, int height) {
  caret_rect_.right = caret_rect_.left + width;
  caret_rect_.bottom = caret_rect_.top + height;
}

void PaintManager::SetCaretPos(MControl* owner, int x, int y, Argb color) {
  InvalidateRect(caret_rect_);
  caret_owner_ = owner;
  caret_color_ = color;
  caret_rect_ = Rect::FromSize(x, y, caret_rect_.Width(), caret_rect_.Height());
  InvalidateRect(caret_rect_);
}

void PaintManager::ShowCaret(int show) {
  if ((show != 0) == (caret_shown_ != 0)) return;
  platform::WindowSystem* system = System();
  if (show) {
    if (system) system->SetTimer(window_, kTimerCaret, platform::Milliseconds{530});
    caret_shown_ = 1;
    caret_phase_ = 1;
    InvalidateRect(caret_rect_);
    return;
  }
  if (system) system->KillTimer(window_, kTimerCaret);
  if (caret_phase_) InvalidateRect(caret_rect_);
  caret_shown_ = 0;
  caret_phase_ = 0;
}

void PaintManager::DrawCaret(cairo_t* cr, const Rect& clip) {
  if (!caret_owner_) return;
  platform::WindowSystem* system = System();
  bool focused = caret_owner_->IsFocused() && system && system->Focus() == window_;
  if (!focused) {
    if (caret_shown_ && system) system->KillTimer(window_, kTimerCaret);
    if (caret_phase_) InvalidateRect(caret_rect_);
    caret_phase_ = 0;
    caret_shown_ = 0;
    return;
  }
  if (!caret_shown_ || !caret_phase_) return;
  Rect part = caret_rect_.Intersect(clip);
  if (!part.IsEmpty()) MRender::DrawColor(cr, part, (caret_color_ & 0xFFFFFF) | 0xFE000000);
}

}  // namespace tumi
