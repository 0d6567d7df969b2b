#include "uilib/core/MWindow.h"

#include <algorithm>

#include "uilib/core/Manager.h"

namespace tumi {

namespace msg = platform::msg;

platform::Rect ToPlatform(const Rect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

Rect FromPlatform(const platform::Rect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

MWindow::MWindow() {
  Manager::AddWnd(this);
}

MWindow::~MWindow() {
  Manager::DeleteWnd(this);
  DestroyWindow();
}

platform::WindowSystem* MWindow::System() {
  return Manager::GetWindowSystem();
}

std::intptr_t MWindow::Handler::OnMessage(const platform::Message& message) {
  return owner_->Route(message);
}

std::intptr_t MWindow::Route(const platform::Message& message) {
  // The window layer sends kCreate before Create returns the id.
  if (message.message == msg::kCreate && window_ == platform::kNoWindow) {
    window_ = message.window;
  }
  if (message.message == msg::kNcDestroy) {
    std::intptr_t result = OnWindowMessage(message.message, message.wparam, message.lparam);
    WindowId gone = window_;
    window_ = platform::kNoWindow;
    OnDestroyMessage(gone);
    return result;
  }
  return OnWindowMessage(message.message, message.wparam, message.lparam);
}

std::intptr_t MWindow::DefaultHandling(std::uint32_t message, std::uintptr_t wparam,
                                       std::intptr_t lparam) {
  platform::WindowSystem* system = System();
  if (!system || window_ == platform::kNoWindow) return 0;
  return system->DefaultHandling(platform::Message{window_, message, wparam, lparam});
}

std::intptr_t MWindow::OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                       std::intptr_t lparam) {
  return DefaultHandling(message, wparam, lparam);
}

int MWindow::ShowWindow(int show_command) {
  platform::WindowSystem* system = System();
  if (!system || !system->IsWindow(window_)) return 0;
  return system->Show(window_, static_cast<platform::ShowCommand>(show_command)) ? 1 : 0;
}

WindowId MWindow::Create(WindowId parent, const Rect& rect) {
  return Create(parent, "TumiClient", WindowStyle(), rect);
}

WindowId MWindow::Create(WindowId parent, const std::string& title, std::uint32_t style,
                         const Rect& rect) {
  platform::WindowSystem* system = System();
  if (system && system->IsWindow(window_)) return window_;
  parent_ = parent;
  if (system) {
    platform::WindowParams params;
    params.title = title;
    params.bounds = ToPlatform(rect);
    params.style = style;
    params.owner = parent;
    params.handler = &handler_;
    WindowId created = system->Create(params);
    if (created == platform::kNoWindow) window_ = platform::kNoWindow;
  }
  OnInitDialog();
  return window_;
}

namespace {
// The modal loop's view: records the close result and asks the window to
// pre-translate; ends once the window is gone.
class ModalHooks : public platform::LoopHooks {
 public:
  ModalHooks(MWindow* window, platform::WindowSystem* system, WindowId owner)
      : window_(window), system_(system), id_(window->GetSafeHwnd()), owner_(owner) {}

  bool PreTranslate(const platform::Message& m) override {
    if (m.message == msg::kClose && m.window == id_) {
      result = static_cast<unsigned>(m.wparam);
      ReleaseOwner();
    }
    return system_->IsWindow(id_) && window_->PreTranslateMessage(m) != 0;
  }
  bool AfterDispatch(const platform::Message&) override { return !system_->IsWindow(id_); }

  void ReleaseOwner() {
    if (owner_ == platform::kNoWindow || !system_->IsWindow(owner_)) return;
    system_->Enable(owner_, true);
    system_->SetFocus(owner_);
  }

  unsigned result = 0;

 private:
  MWindow* window_;
  platform::WindowSystem* system_;
  WindowId id_;
  WindowId owner_;
};
}  // namespace

unsigned MWindow::ShowModal(int show_command) {
  platform::WindowSystem* system = System();
  if (!system || !system->IsWindow(window_)) return kNoModal;
  WindowId owner = system->Owner(window_);
  ShowWindow(show_command);
  if (owner != platform::kNoWindow) system->Enable(owner, false);
  ModalHooks hooks(this, system, owner);
  platform::LoopResult end{platform::LoopEnd::kEnded, 0};
  if (system->IsWindow(window_)) end = system->RunLoop(&hooks);
  hooks.ReleaseOwner();
  // An outer loop learns of the quit too; the window layer re-posts it for
  // nested loops only.
  if (end.end == platform::LoopEnd::kQuit && system->LoopDepth() == 0) system->PostQuit(end.code);
  return hooks.result;
}

void MWindow::DestroyWindow() {
  platform::WindowSystem* system = System();
  if (system && system->IsWindow(window_)) system->Destroy(window_);
}

void MWindow::CenterWindow(WindowId other) {
  platform::WindowSystem* system = System();
  if (!system || !system->IsWindow(window_)) return;
  if (other == platform::kNoWindow) other = system->Owner(window_);
  platform::Rect own = system->Bounds(window_);
  bool use_other = other != platform::kNoWindow && system->IsWindow(other) &&
                   system->IsVisible(other) && !system->IsMinimized(other);
  platform::Rect near = use_other ? system->Bounds(other) : own;
  platform::Rect area = platform::NearestMonitor(system->Monitors(), near).work_area;
  platform::Rect centre = use_other ? near : area;
  int width = own.Width();
  int height = own.Height();
  int x = (centre.left + centre.right) / 2 - width / 2;
  int y = (centre.top + centre.bottom) / 2 - height / 2;
  x = std::max(std::min(x, area.right - width), area.left);
  y = std::max(std::min(y, area.bottom - height), area.top);
  system->SetBounds(window_, platform::Rect::FromSize({x, y}, own.GetSize()));
}

void MWindow::BringToTop() {
  platform::WindowSystem* system = System();
  if (!system || !system->IsWindow(window_)) return;
  system->Show(window_, system->IsMinimized(window_) ? platform::ShowCommand::kRestore
                                                     : platform::ShowCommand::kShow);
  system->Raise(window_);
}

Rect MWindow::GetClientRect() const {
  platform::WindowSystem* system = System();
  if (!system || !system->IsWindow(window_)) return {};
  platform::Rect b = system->Bounds(window_);
  return Rect{0, 0, b.Width(), b.Height()};
}

Rect MWindow::GetWindowRect() const {
  platform::WindowSystem* system = System();
  if (!system) return {};
  return FromPlatform(system->Bounds(window_));
}

bool MWindow::SetWindowTextW(const std::string& text) {
  platform::WindowSystem* system = System();
  return system && system->SetTitle(window_, text);
}

std::string MWindow::GetWindowTextW() const {
  platform::WindowSystem* system = System();
  return system ? system->Title(window_) : std::string();
}

bool MWindow::EnableWindow(bool enable) {
  platform::WindowSystem* system = System();
  return system && system->Enable(window_, enable);
}

bool MWindow::IsWindowEnabled() const {
  platform::WindowSystem* system = System();
  return system && system->IsEnabled(window_);
}

bool MWindow::IsWindowVisible() const {
  platform::WindowSystem* system = System();
  return system && system->IsVisible(window_);
}

bool MWindow::IsIconic() const {
  platform::WindowSystem* system = System();
  return system && system->IsMinimized(window_);
}

bool MWindow::IsZoomed() const {
  platform::WindowSystem* system = System();
  return system && system->IsMaximized(window_);
}

void MWindow::InvalidateRect(const Rect* rect) {
  platform::WindowSystem* system = System();
  if (!system || window_ == platform::kNoWindow) return;
  if (rect) {
    system->Invalidate(window_, ToPlatform(*rect));
  } else {
    system->Invalidate(window_);
  }
}

WindowId MWindow::SetCapture() {
  platform::WindowSystem* system = System();
  return system && system->IsWindow(window_) ? system->SetCapture(window_) : platform::kNoWindow;
}

bool MWindow::ReleaseCapture() {
  platform::WindowSystem* system = System();
  return system && system->Capture() == window_ && system->ReleaseCapture();
}

WindowId MWindow::SetFocus() {
  platform::WindowSystem* system = System();
  return system && system->IsWindow(window_) ? system->SetFocus(window_) : platform::kNoWindow;
}

bool MWindow::SetTimer(std::uintptr_t id, int period_ms) {
  platform::WindowSystem* system = System();
  return system && system->SetTimer(window_, id, platform::Milliseconds{period_ms});
}

bool MWindow::KillTimer(std::uintptr_t id) {
  platform::WindowSystem* system = System();
  return system && system->KillTimer(window_, id);
}

Point MWindow::ClientToScreen(Point p) const {
  platform::WindowSystem* system = System();
  if (!system) return p;
  platform::Point s = system->ClientToScreen(window_, {p.x, p.y});
  return {s.x, s.y};
}

Rect MWindow::ClientToScreen(const Rect& r) const {
  Point tl = ClientToScreen(Point{r.left, r.top});
  return r.Offset(tl.x - r.left, tl.y - r.top);
}

Point MWindow::ScreenToClient(Point p) const {
  platform::WindowSystem* system = System();
  if (!system) return p;
  platform::Point c = system->ScreenToClient(window_, {p.x, p.y});
  return {c.x, c.y};
}

Rect MWindow::ScreenToClient(const Rect& r) const {
  Point tl = ScreenToClient(Point{r.left, r.top});
  return r.Offset(tl.x - r.left, tl.y - r.top);
}

bool MWindow::MoveWindow(int x, int y, int width, int height) {
  return MoveWindow(Rect::FromSize(x, y, width, height));
}

bool MWindow::MoveWindow(const Rect& rect) {
  platform::WindowSystem* system = System();
  return system && system->SetBounds(window_, ToPlatform(rect));
}

std::intptr_t MWindow::SendMessageW(std::uint32_t message, std::uintptr_t wparam,
                                    std::intptr_t lparam) {
  platform::WindowSystem* system = System();
  return system ? system->Send(window_, message, wparam, lparam) : 0;
}

bool MWindow::PostMessageW(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  platform::WindowSystem* system = System();
  return system && system->Post(window_, message, wparam, lparam);
}

}  // namespace tumi
