#include "uilib/controls/CDragSourceHelper.h"

#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"

namespace tumi {

namespace {
// The picture is drawn at this alpha, so what lies below stays visible.
constexpr int kPictureAlpha = 180;
}  // namespace

CDragSourceHelper::~CDragSourceHelper() {
  platform::WindowSystem* system = Manager::GetWindowSystem();
  if (system && window_ != platform::kNoWindow && system->IsWindow(window_)) {
    system->Destroy(window_);
  }
}

bool CDragSourceHelper::InitializeFromBitmap(std::shared_ptr<const Image> picture, Point point,
                                             const Rect& rect, const CIDataObject* /*data*/,
                                             ColorRef /*color_key*/) {
  platform::WindowSystem* system = Manager::GetWindowSystem();
  if (!system || !picture || picture->Width() <= 0 || picture->Height() <= 0) return false;
  picture_ = std::move(picture);
  offset_ = {point.x - rect.left, point.y - rect.top};
  platform::Point pointer = system->CursorPos();
  platform::Rect bounds{pointer.x - offset_.x, pointer.y - offset_.y,
                        pointer.x - offset_.x + picture_->Width(),
                        pointer.y - offset_.y + picture_->Height()};
  if (window_ == platform::kNoWindow || !system->IsWindow(window_)) {
    platform::WindowParams params;
    params.title = "drag";
    params.bounds = bounds;
    params.style = platform::kStyleTool | platform::kStyleTopmost | platform::kStylePerPixelAlpha |
                   platform::kStyleNoActivate | platform::kStyleInputTransparent;
    params.handler = this;
    window_ = system->Create(params);
    if (window_ == platform::kNoWindow) return false;
  } else {
    system->SetBounds(window_, bounds);
  }
  system->Show(window_, platform::ShowCommand::kShowNoActivate);
  system->Invalidate(window_);
  return true;
}

void CDragSourceHelper::MoveTo(platform::Point screen) {
  platform::WindowSystem* system = Manager::GetWindowSystem();
  if (!system || window_ == platform::kNoWindow || !picture_) return;
  system->SetBounds(window_, platform::Rect{screen.x - offset_.x, screen.y - offset_.y,
                                            screen.x - offset_.x + picture_->Width(),
                                            screen.y - offset_.y + picture_->Height()});
}

void CDragSourceHelper::Hide() {
  platform::WindowSystem* system = Manager::GetWindowSystem();
  if (system && window_ != platform::kNoWindow && system->IsWindow(window_)) {
    system->Show(window_, platform::ShowCommand::kHide);
  }
  picture_.reset();
}

std::intptr_t CDragSourceHelper::OnMessage(const platform::Message& message) {
  platform::WindowSystem* system = Manager::GetWindowSystem();
  if (!system) return 0;
  if (message.message == platform::msg::kPaint) {
    platform::PaintContext paint = system->BeginPaint(message.window);
    if (!paint.surface) return 0;
    cairo_t* cr = cairo_create(paint.surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    if (picture_) {
      Rect whole{0, 0, picture_->Width(), picture_->Height()};
      MRender::AlphaBlend(cr, whole, picture_->Surface(), whole, kPictureAlpha);
    }
    cairo_destroy(cr);
    return 0;
  }
  return system->DefaultHandling(message);
}

}  // namespace tumi
