#include "uilib/controls/WindowDragDrop.h"

#include <cstdlib>
#include <map>

#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"

namespace tumi {

namespace msg = platform::msg;
namespace vk = platform::vk;

namespace {

// Library windows that take drops; UI thread only.
std::map<platform::WindowId, WindowDragDrop*>& Targets() {
  static std::map<platform::WindowId, WindowDragDrop*> targets;
  return targets;
}

Point Unpack(std::intptr_t lparam) {
  platform::Point p = platform::UnpackPoint(lparam);
  return {p.x, p.y};
}

constexpr unsigned kExternalEffects = kDropCopy | kDropMove | kDropLink;
constexpr unsigned kInternalEffects = kDropCopy | kDropMove;

}  // namespace

WindowDragDrop::WindowDragDrop(PaintManager& pm) : pm_(pm), window_(pm.GetPaintWnd()) {
  // The formats a window takes, in the order they are preferred.
  AddSuportedFormat({kFormatBitmap, kAspectContent, -1, kTymedGdi});
  AddSuportedFormat({kFormatDib, kAspectContent, -1, kTymedHGlobal});
  AddSuportedFormat({kFormatHDrop, kAspectContent, -1, kTymedHGlobal});
  AddSuportedFormat({kFormatEnhMetafile, kAspectContent, -1, kTymedEnhMf});
  Targets()[window_] = this;
}

WindowDragDrop::~WindowDragDrop() {
  // A drag in flight over this window forgets it.
  for (auto& [window, target] : Targets()) {
    if (target->over_ == this) target->over_ = nullptr;
  }
  auto it = Targets().find(window_);
  if (it != Targets().end() && it->second == this) Targets().erase(it);
}

WindowDragDrop* WindowDragDrop::ForWindow(platform::WindowId window) {
  auto it = Targets().find(window);
  return it == Targets().end() ? nullptr : it->second;
}

platform::WindowSystem* WindowDragDrop::System() const {
  return Manager::GetWindowSystem();
}

unsigned WindowDragDrop::KeyState() const {
  platform::WindowSystem* system = System();
  if (!system) return 0;
  unsigned state = 0;
  if (system->IsKeyDown(vk::kControl)) state |= msg::kMkControl;
  if (system->IsKeyDown(vk::kShift)) state |= msg::kMkShift;
  return state;
}

bool WindowDragDrop::FilterMessage(std::uint32_t message, std::uintptr_t wparam,
                                   std::intptr_t lparam) {
  switch (message) {
    case msg::kDropFiles: {
      platform::WindowSystem* system = System();
      if (!system) return true;
      StgMedium medium{kTymedHGlobal, nullptr, system->TakeDroppedFiles(wparam)};
      if (medium.files.empty()) return true;
      CIDataObject data;
      FormatEtc format{kFormatHDrop, kAspectContent, -1, kTymedHGlobal};
      data.SetData(&format, &medium, true);
      // The point is already the window's own: no screen point reaches the
      // window as a client one.
      Point at = Unpack(lparam);
      unsigned effect = kExternalEffects;
      DragEnter(&data, KeyState(), at, &effect);
      effect = kExternalEffects;
      Drop(&data, KeyState(), at, &effect);
      return true;
    }
    case msg::kLButtonDown:
      if (!dragging_) OnPress(Unpack(lparam));
      return false;
    case msg::kMouseMove: {
      Point p = Unpack(lparam);
      if (dragging_) {
        Track(p);
        return true;
      }
      if (!pending_) return false;
      if (!(wparam & msg::kMkLButton)) {
        pending_ = false;
        return false;
      }
      if (std::abs(p.x - press_.x) < kDragThreshold && std::abs(p.y - press_.y) < kDragThreshold) {
        return false;
      }
      Start();
      Track(p);
      return true;
    }
    case msg::kLButtonUp:
      // The release still reaches the controls, which end their pressed state.
      if (dragging_) Finish(true, Unpack(lparam));
      pending_ = false;
      return false;
    case msg::kKeyDown:
      if (dragging_ && static_cast<int>(wparam) == vk::kEscape) {
        Finish(false, press_);
        return true;
      }
      return false;
    case msg::kCaptureChanged:
      if (dragging_) Finish(false, press_);
      return false;
    default:
      return false;
  }
}

void WindowDragDrop::OnPress(Point p) {
  pending_ = false;
  MControl* control = pm_.GetHoverControl();
  if (!control || !control->IsDragDrop() || !control->IsEnabled() || !control->PtInRect(p)) return;
  pending_ = true;
  press_ = p;
  picture_ = control->GetDropBitmap();
  if (!picture_) picture_ = GetDropBitmap(pm_, control, Rect{});
}

void WindowDragDrop::Start() {
  pending_ = false;
  dragging_ = true;
  pm_.SetCapture();
  source_ = std::make_unique<CIDropSource>();
  data_ = std::make_unique<CIDataObject>(source_.get());
  if (picture_) {
    StgMedium medium{kTymedGdi, picture_, {}};
    FormatEtc bitmap{kFormatBitmap, kAspectContent, -1, kTymedGdi};
    data_->SetData(&bitmap, &medium, false);
    medium.tymed = kTymedEnhMf;
    FormatEtc metafile{kFormatEnhMetafile, kAspectContent, -1, kTymedEnhMf};
    data_->SetData(&metafile, &medium, true);
    // The pointer holds the picture at its centre.
    Rect whole{0, 0, picture_->Width(), picture_->Height()};
    helper_.InitializeFromBitmap(picture_, Point{whole.right / 2, whole.bottom / 2}, whole,
                                 data_.get(), pm_.GetDefaultEnabledColor());
  }
}

WindowDragDrop* WindowDragDrop::TargetAt(platform::Point screen, Point* client) const {
  platform::WindowSystem* system = System();
  if (!system) return nullptr;
  WindowDragDrop* found = nullptr;
  // The most recently made window that holds the point is taken as the top.
  for (platform::WindowId window : system->AllWindows()) {
    WindowDragDrop* target = ForWindow(window);
    if (!target || !system->IsVisible(window)) continue;
    if (!system->Bounds(window).Contains(screen)) continue;
    found = target;
    platform::Point local = system->ScreenToClient(window, screen);
    *client = {local.x, local.y};
  }
  return found;
}

void WindowDragDrop::Track(Point p) {
  platform::WindowSystem* system = System();
  if (!system) return;
  platform::Point screen = system->ClientToScreen(window_, {p.x, p.y});
  helper_.MoveTo(screen);
  Point client;
  WindowDragDrop* target = TargetAt(screen, &client);
  if (target != over_) {
    if (over_) over_->DragLeave();
    over_ = target;
    effect_ = kInternalEffects;
    if (over_) {
      over_->DragEnter(data_.get(), KeyState(), client, &effect_);
    } else {
      effect_ = kDropNone;
    }
  } else if (over_) {
    effect_ = kInternalEffects;
    over_->DragOver(KeyState(), client, &effect_);
  }
  if (source_) source_->GiveFeedback(effect_);
  system->SetCursor(effect_ == kDropNone ? platform::CursorShape::kNo
                                         : platform::CursorShape::kArrow);
}

void WindowDragDrop::Finish(bool drop, Point p) {
  platform::WindowSystem* system = System();
  bool escape = !drop || (system && system->IsKeyDown(vk::kEscape));
  DragStatus status =
      source_ ? source_->QueryContinueDrag(escape, false, false) : DragStatus::kCancel;
  WindowDragDrop* target = over_;
  over_ = nullptr;
  dragging_ = false;
  pending_ = false;
  helper_.Hide();
  if (target) {
    if (status == DragStatus::kDrop && system) {
      platform::Point screen = system->ClientToScreen(window_, {p.x, p.y});
      Point client;
      if (TargetAt(screen, &client) == target) {
        unsigned effect = kInternalEffects;
        target->Drop(data_.get(), KeyState(), client, &effect);
      } else {
        target->DragLeave();
      }
    } else {
      target->DragLeave();
    }
  }
  data_.reset();
  source_.reset();
  picture_.reset();
  effect_ = kDropNone;
  pm_.ReleaseCapture();
  if (system) system->SetCursor(platform::CursorShape::kArrow);
}

bool WindowDragDrop::OnDrop(const FormatEtc& format, const StgMedium& medium, unsigned /*effect*/,
                            Point client) {
  platform::WindowSystem* system = System();
  if (!system) return true;
  // Whatever was pressed in the window is released where the drop landed.
  system->Send(window_, msg::kLButtonUp, 0, platform::PackPoint({client.x, client.y}));
  std::shared_ptr<const Image> picture;
  switch (format.format) {
    case kFormatBitmap:
    case kFormatDib:
    case kFormatEnhMetafile:
      picture = medium.picture;
      break;
    case kFormatHDrop:
      for (const std::string& path : medium.files) {
        if ((picture = MRender::LoadImageFromFile(path))) break;
      }
      break;
    default:
      break;
  }
  if (picture && system->IsWindow(window_)) {
    system->Send(window_, kMsgSetImage, 0, reinterpret_cast<std::intptr_t>(&picture));
  }
  return true;
}

int InitDragDrop(PaintManager& pm) {
  platform::WindowSystem* system = Manager::GetWindowSystem();
  if (!system || !system->IsWindow(pm.GetPaintWnd())) return 0;
  system->AcceptFiles(pm.GetPaintWnd(), true);
  pm.SetMessageFilter(std::make_unique<WindowDragDrop>(pm));
  return 1;
}

std::shared_ptr<Image> GetDropBitmap(PaintManager& /*pm*/, MControl* control, const Rect& rect,
                                     unsigned /*flags*/) {
  if (!control) return nullptr;
  const Rect& at = control->GetRect();
  Rect part = rect.IsEmpty() ? Rect{0, 0, at.Width(), at.Height()} : rect;
  if (part.IsEmpty()) return nullptr;
  std::shared_ptr<Image> window = Image::Create(at.right, at.bottom);
  std::shared_ptr<Image> out = Image::Create(part.Width(), part.Height());
  if (!window || !out) return nullptr;
  bool was_valid = control->GetUpdate() != 0;
  {
    Graphics g(*window);
    control->Draw(g, at);
  }
  // A picture rebuilt here took its background from this scratch surface,
  // not from the window: the window rebuilds it again.
  if (!was_valid) control->SetUpdate(0, 0);
  Graphics g(*out);
  MRender::BitBlt(g, Rect{0, 0, part.Width(), part.Height()}, window->Surface(),
                  {at.left + part.left, at.top + part.top});
  return out;
}

}  // namespace tumi
