#include "platform/window/WindowCore.h"

#include <algorithm>

#include "platform/window/MessageIds.h"

namespace platform {

WindowCore::WindowCore(std::unique_ptr<WindowBackend> backend,
                       std::unique_ptr<DialogTimer> dialog_timer, std::unique_ptr<Clock> clock)
    : backend_(std::move(backend)),
      dialog_timer_(std::move(dialog_timer)),
      clock_(std::move(clock)),
      ui_thread_(std::this_thread::get_id()),
      queue_([this] { backend_->Wake(); }) {}

WindowCore::~WindowCore() {
  // Ticks may post to windows; they stop before the windows go.
  dialog_timer_->StopAll();
  queue_.Shutdown();
  // Handlers may be gone by now: what is left goes without messages.
  for (auto& [id, w] : windows_) w->params.handler = nullptr;
  std::vector<WindowId> ids = AllWindows();
  for (auto it = ids.rbegin(); it != ids.rend(); ++it) Destroy(*it);
}

WindowCore::Window* WindowCore::Find(WindowId window) {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second.get();
}

const WindowCore::Window* WindowCore::Find(WindowId window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second.get();
}

WindowId WindowCore::Create(const WindowParams& params) {
  if (params.owner != kNoWindow && !Find(params.owner)) return kNoWindow;
  WindowId id = next_id_++;
  if (!backend_->CreateNativeWindow(id, params)) return kNoWindow;
  auto w = std::make_unique<Window>();
  w->id = id;
  w->params = params;
  w->restore_bounds = params.bounds;
  ResizeSurface(*w);
  windows_[id] = std::move(w);
  {
    std::lock_guard lock(shared_mutex_);
    live_.insert(id);
    damage_[id].AddAll();
  }
  Deliver(Message{id, msg::kCreate, 0, 0});
  return IsWindow(id) ? id : kNoWindow;
}

bool WindowCore::Destroy(WindowId window) {
  Window* w = Find(window);
  if (!w || w->destroying) return false;
  w->destroying = true;
  for (WindowId id : AllWindows()) {
    const Window* other = Find(id);
    if (other && other->params.owner == window) Destroy(id);
  }
  Deliver(Message{window, msg::kDestroy, 0, 0});
  {
    std::lock_guard lock(shared_mutex_);
    live_.erase(window);
    damage_.erase(window);
  }
  queue_.DropWindow(window);
  timers_.DropWindow(window);
  if (capture_ == window) {
    capture_ = kNoWindow;
    backend_->CaptureMouse(false);
  }
  if (tracking_.window == window) tracking_ = {};
  if (pointer_window_ == window) pointer_window_ = kNoWindow;
  if (text_input_ == window) StopTextInput();
  if (last_press_.window == window) last_press_ = {};
  if (move_drag_.window == window) {
    move_drag_ = {};
    if (capture_ == kNoWindow) backend_->CaptureMouse(false);
  }
  WindowId owner = Find(window)->params.owner;
  if (focus_ == window) {
    focus_ = kNoWindow;
    if (owner != kNoWindow && IsVisible(owner) && IsEnabled(owner)) Activate(owner, false);
  }
  MessageHandler* handler = Find(window)->params.handler;
  if (handler) handler->OnMessage(Message{window, msg::kNcDestroy, 0, 0});
  backend_->DestroyNativeWindow(window);
  windows_.erase(window);
  return true;
}

bool WindowCore::IsWindow(WindowId window) const {
  std::lock_guard lock(shared_mutex_);
  return live_.contains(window);
}

bool WindowCore::Show(WindowId window, ShowCommand command) {
  Window* w = Find(window);
  if (!w) return false;
  bool was_visible = w->visible;
  switch (command) {
    case ShowCommand::kHide:
      w->visible = false;
      break;
    case ShowCommand::kShowMinimized:
    case ShowCommand::kMinimize:
      w->visible = true;
      break;
    case ShowCommand::kMaximize:
      if (!w->maximized) {
        w->restore_bounds = w->params.bounds;
        w->maximized = true;
        ApplyBounds(*w, NearestMonitor(Monitors(), w->params.bounds).work_area, true);
        w = Find(window);
        if (!w) return was_visible;
      }
      w->visible = true;
      w->minimized = false;
      break;
    case ShowCommand::kRestore:
      w->visible = true;
      if (w->minimized) {
        SetMinimized(*w, false);
        w = Find(window);
        if (!w) return was_visible;
      } else if (w->maximized) {
        w->maximized = false;
        ApplyBounds(*w, w->restore_bounds, true);
        w = Find(window);
        if (!w) return was_visible;
      }
      break;
    default:
      w->visible = true;
      break;
  }
  backend_->ShowNativeWindow(window, command);
  if (command == ShowCommand::kMinimize || command == ShowCommand::kShowMinimized) {
    SetMinimized(*w, true);
    w = Find(window);
    if (!w) return was_visible;
  }
  if (was_visible != w->visible) Deliver(Message{window, msg::kShowWindow, w->visible, 0});
  w = Find(window);
  if (!w) return was_visible;
  if (w->visible) {
    Invalidate(window, std::nullopt);
    bool activate = command != ShowCommand::kShowNoActivate && !w->minimized &&
                    !(w->params.style & kStyleNoActivate);
    if (activate) Activate(window, false);
  } else if (focus_ == window) {
    WindowId owner = w->params.owner;
    Deactivate();
    if (owner != kNoWindow && IsVisible(owner)) Activate(owner, false);
  }
  return was_visible;
}

bool WindowCore::IsVisible(WindowId window) const {
  const Window* w = Find(window);
  return w && w->visible;
}

bool WindowCore::IsMinimized(WindowId window) const {
  const Window* w = Find(window);
  return w && w->minimized;
}

bool WindowCore::IsMaximized(WindowId window) const {
  const Window* w = Find(window);
  return w && w->maximized;
}

void WindowCore::ResizeSurface(Window& w) {
  Size size = w.params.bounds.GetSize();
  w.surface.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(size.width, 0),
                                             std::max(size.height, 0)));
}

void WindowCore::ApplyBounds(Window& w, const Rect& screen, bool tell_backend) {
  Rect old = w.params.bounds;
  if (old == screen) return;
  WindowId id = w.id;
  w.params.bounds = screen;
  if (old.GetSize() != screen.GetSize()) ResizeSurface(w);
  if (tell_backend) backend_->SetNativeBounds(id, screen);
  if (old.TopLeft() != screen.TopLeft()) {
    Deliver(Message{id, msg::kMove, 0, PackPoint(screen.TopLeft())});
  }
  if (old.GetSize() != screen.GetSize()) {
    Window* still = Find(id);
    std::uintptr_t kind = still && still->maximized ? msg::kSizeMaximized : msg::kSizeRestored;
    Invalidate(id, std::nullopt);
    Deliver(Message{id, msg::kSize, kind,
                    static_cast<std::intptr_t>(PackWords(screen.Width(), screen.Height()))});
  }
}

void WindowCore::SetMinimized(Window& w, bool minimized) {
  if (w.minimized == minimized) return;
  w.minimized = minimized;
  WindowId id = w.id;
  if (minimized) {
    if (move_drag_.window == id) EndMoveDrag();
    Deliver(Message{id, msg::kSize, msg::kSizeMinimized, 0});
    return;
  }
  Size size = w.params.bounds.GetSize();
  std::uintptr_t kind = w.maximized ? msg::kSizeMaximized : msg::kSizeRestored;
  Invalidate(id, std::nullopt);
  Deliver(Message{id, msg::kSize, kind,
                  static_cast<std::intptr_t>(PackWords(size.width, size.height))});
}

bool WindowCore::SetBounds(WindowId window, const Rect& screen) {
  Window* w = Find(window);
  if (!w) return false;
  ApplyBounds(*w, screen, true);
  return true;
}

Rect WindowCore::Bounds(WindowId window) const {
  const Window* w = Find(window);
  return w ? w->params.bounds : Rect{};
}

Point WindowCore::ClientToScreen(WindowId window, Point client) const {
  Rect b = Bounds(window);
  return {client.x + b.left, client.y + b.top};
}

Point WindowCore::ScreenToClient(WindowId window, Point screen) const {
  Rect b = Bounds(window);
  return {screen.x - b.left, screen.y - b.top};
}

bool WindowCore::SetTitle(WindowId window, const std::string& title) {
  Window* w = Find(window);
  if (!w) return false;
  w->params.title = title;
  backend_->SetNativeTitle(window, title);
  return true;
}

std::string WindowCore::Title(WindowId window) const {
  const Window* w = Find(window);
  return w ? w->params.title : std::string();
}

bool WindowCore::Enable(WindowId window, bool enable) {
  Window* w = Find(window);
  if (!w) return false;
  bool was = w->enabled;
  w->enabled = enable;
  if (!enable && capture_ == window) ReleaseCapture();
  return was;
}

bool WindowCore::IsEnabled(WindowId window) const {
  const Window* w = Find(window);
  return w && w->enabled;
}

bool WindowCore::SetOpacity(WindowId window, std::uint8_t alpha) {
  return Find(window) && backend_->SetNativeOpacity(window, alpha);
}

bool WindowCore::Raise(WindowId window) {
  Window* w = Find(window);
  if (!w) return false;
  bool activate = !(w->params.style & kStyleNoActivate);
  backend_->RaiseNativeWindow(window, activate);
  if (activate && w->visible) Activate(window, false);
  return true;
}

WindowId WindowCore::Owner(WindowId window) const {
  const Window* w = Find(window);
  return w ? w->params.owner : kNoWindow;
}

std::uint32_t WindowCore::Style(WindowId window) const {
  const Window* w = Find(window);
  return w ? w->params.style : 0;
}

std::vector<WindowId> WindowCore::AllWindows() const {
  std::vector<WindowId> ids;
  for (const auto& [id, w] : windows_) ids.push_back(id);
  return ids;
}

void WindowCore::InvalidateRect(WindowId window, std::optional<Rect> client) {
  {
    std::lock_guard lock(shared_mutex_);
    auto it = damage_.find(window);
    if (it == damage_.end()) return;
    if (client) {
      it->second.Add(*client);
    } else {
      it->second.AddAll();
    }
  }
  if (!IsUiThread()) backend_->Wake();
}

void WindowCore::Validate(WindowId window) {
  std::lock_guard lock(shared_mutex_);
  auto it = damage_.find(window);
  if (it != damage_.end()) it->second.Clear();
}

std::optional<Rect> WindowCore::UpdateRect(WindowId window) const {
  const Window* w = Find(window);
  if (!w) return std::nullopt;
  std::lock_guard lock(shared_mutex_);
  auto it = damage_.find(window);
  if (it == damage_.end()) return std::nullopt;
  return it->second.Bounds(w->params.bounds.GetSize());
}

PaintContext WindowCore::BeginPaint(WindowId window) {
  Window* w = Find(window);
  if (!w) return {};
  return {w->surface.get(), w->painting};
}

void WindowCore::Paint(WindowId window) {
  Window* w = Find(window);
  if (!w) return;
  std::optional<Rect> damage;
  {
    std::lock_guard lock(shared_mutex_);
    auto it = damage_.find(window);
    if (it == damage_.end()) return;
    damage = it->second.Bounds(w->params.bounds.GetSize());
    it->second.Clear();
  }
  if (!damage || !w->visible || w->minimized) return;
  w->painting = *damage;
  cairo_surface_flush(w->surface.get());
  Deliver(Message{window, msg::kPaint, 0, 0});
  w = Find(window);
  if (!w) return;
  w->painting = {};
  cairo_surface_flush(w->surface.get());
  backend_->Present(window, w->surface.get(), *damage);
}

void WindowCore::UpdateWindow(WindowId window) {
  Paint(window);
}

std::intptr_t WindowCore::DefaultHandling(const Message& message) {
  switch (message.message) {
    case msg::kClose:
      Destroy(message.window);
      return 0;
    case msg::kEraseBackground:
      return 1;
    case msg::kSysCommand:
      if ((message.wparam & 0xFFF0) == msg::kScClose) {
        return SendMessage(message.window, msg::kClose, 0, 0);
      }
      return 0;
    default:
      return 0;
  }
}

void WindowCore::AcceptFiles(WindowId window, bool accept) {
  if (Window* w = Find(window)) w->accept_files = accept;
}

std::vector<std::string> WindowCore::TakeDroppedFiles(std::uintptr_t drop_id) {
  auto it = drops_.find(drop_id);
  if (it == drops_.end()) return {};
  std::vector<std::string> paths = std::move(it->second);
  drops_.erase(it);
  return paths;
}

bool WindowCore::SetClipboardText(const std::string& text) {
  return backend_->SetClipboardText(text);
}

std::string WindowCore::ClipboardText() const {
  return backend_->ClipboardText();
}

std::vector<Monitor> WindowCore::Monitors() const {
  return backend_->Monitors();
}

}  // namespace platform
