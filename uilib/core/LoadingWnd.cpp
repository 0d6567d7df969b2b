#include "uilib/core/LoadingWnd.h"

#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"
#include "uilib/core/SkinPath.h"

namespace tumi {

namespace msg = platform::msg;

LoadingWnd::~LoadingWnd() {
  DestroyWindow();
}

std::shared_ptr<const Image> LoadingWnd::LoadSkin(const std::string& name) {
  return MRender::LoadImageFromFile(
      SkinPath::ResolveCase(SkinPath::Join(Manager::GetSkinFolder(), name)));
}

WindowId LoadingWnd::CreateDlg(WindowId owner, const Rect& rect) {
  LoadGifImage("loading\\loading.gif");
  logo_ = LoadSkin("logo\\logo_loading.png");
  return Create(owner, "Loading Window", WindowStyle(), rect);
}

int LoadingWnd::LoadBKImage(const std::string& name) {
  auto image = LoadSkin(name);
  if (!image) return 0;
  back_ = image;
  return 1;
}

int LoadingWnd::LoadAnimateImage(const std::string& name, int slot) {
  auto image = LoadSkin(name);
  if (!image) return 0;
  animation_[slot] = image;
  return 1;
}

int LoadingWnd::LoadGifImage(const std::string& name) {
  auto image = LoadSkin(name);
  if (!image || image->TimeFrameCount() < 1) {
    gif_.reset();
    frame_count_ = 0;
    return 0;
  }
  gif_ = image;
  frame_count_ = image->TimeFrameCount();
  frame_ = 0;
  return 1;
}

int LoadingWnd::OnInitDialog() {
  if (!System() || !System()->IsWindow(GetSafeHwnd())) return 1;
  SetTimer(kAnimationTimer, kAnimationPeriodMs);
  running_ = true;
  close_image_ = LoadSkin("img_sys_close.png");
  if (close_image_) {
    int w = close_image_->Width() / 4;
    close_rect_ = Rect::FromSize(GetClientRect().Width() - 39, 10, w, close_image_->Height());
  }
  return 1;
}

void LoadingWnd::OnAnimationTick() {
  if (!running_) return;
  if (++ticks_ % kTicksPerFrame != 0) return;
  if (frame_count_ > 0) frame_ = (frame_ + 1) % frame_count_;
  InvalidateRect();
}

void LoadingWnd::SetCloseState(int state) {
  if (state == close_state_) return;
  close_state_ = state;
  InvalidateRect(&close_rect_);
}

void LoadingWnd::Draw() {
  platform::PaintContext ctx = System()->BeginPaint(GetSafeHwnd());
  if (!ctx.surface) return;
  Rect client = GetClientRect();
  cairo_t* cr = cairo_create(ctx.surface);
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr);
  cairo_restore(cr);
  if (back_) {
    MRender::DrawImageFrame(cr, *back_, client, Rect{0, 0, back_->Width(), back_->Height()}, 10);
  } else {
    MRender::DrawColor(cr, client, 0xF0FFFFFF);
  }
  Rect box = Rect::FromSize((client.Width() - kBoxWidth) / 2, (client.Height() - kBoxHeight) / 2,
                            kBoxWidth, kBoxHeight);
  if (logo_) {
    Rect logo = Rect::FromSize((client.Width() - logo_->Width()) / 2,
                               box.top - 20 - logo_->Height(), logo_->Width(), logo_->Height());
    MRender::DrawImage(cr, *logo_, logo, Rect{0, 0, logo_->Width(), logo_->Height()});
  }
  if (gif_ && frame_count_ > 1) {
    MRender::DrawImage(cr, *gif_, box, Rect{0, 0, gif_->Width(), gif_->Height()}, frame_);
  }
  if (close_image_) {
    int w = close_image_->Width() / 4;
    MRender::DrawImage(cr, *close_image_, close_rect_,
                       Rect::FromSize(close_state_ * w, 0, w, close_image_->Height()));
  }
  cairo_destroy(cr);
  cairo_surface_flush(ctx.surface);
}

std::intptr_t LoadingWnd::OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                          std::intptr_t lparam) {
  platform::Point pp = platform::UnpackPoint(lparam);
  Point p{pp.x, pp.y};
  switch (message) {
    case msg::kPaint:
      if (!IsIconic()) Draw();
      return 0;
    case msg::kTimer:
      if (wparam == kAnimationTimer) OnAnimationTick();
      return 0;
    case msg::kMouseMove:
      if (!tracking_ && System()) {
        tracking_ =
            System()->TrackMouse(GetSafeHwnd(), platform::kTrackLeave | platform::kTrackHover);
      }
      if (close_state_ != 2) SetCloseState(close_rect_.Contains(p) ? 1 : 0);
      return 0;
    case msg::kMouseLeave:
      tracking_ = false;
      SetCloseState(0);
      return 0;
    case msg::kLButtonDown:
      if (close_rect_.Contains(p)) SetCloseState(2);
      return 0;
    case msg::kLButtonUp: {
      bool pressed = close_state_ == 2;
      SetCloseState(close_rect_.Contains(p) ? 1 : 0);
      if (pressed && close_rect_.Contains(p) && System()) {
        System()->Post(GetParentHwnd(), kMsgLoadingClosed, 0, 0);
      }
      return 0;
    }
    case msg::kClose:
      running_ = false;
      break;
    case msg::kEraseBackground:
      return 1;
    default:
      break;
  }
  return MWindow::OnWindowMessage(message, wparam, lparam);
}

}  // namespace tumi
