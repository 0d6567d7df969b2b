#include "uilib/core/PaintManager.h"

#include <algorithm>

#include "uilib/core/ControlFactory.h"
#include "uilib/core/FontRegistry.h"
#include "uilib/core/MShadow.h"
#include "uilib/core/Manager.h"
#include "uilib/core/TooltipWnd.h"
#include "uilib/keyboard/MAirBladder.h"

namespace tumi {

PaintManager::PaintManager()
    : shadow_(std::make_unique<MShadow>()),
      images_(std::make_unique<ImageCache>(Manager::GetSkinFolder())) {}

PaintManager::~PaintManager() {
  message_filter_.reset();
  DestroyData();
  dispatch_depth_ = 0;
  FreeGraveyard();
  tooltip_.reset();
  bubble_window_.reset();
}

void PaintManager::FreeGraveyard() {
  while (!graveyard_.empty()) {
    MControl* c = graveyard_.back();
    graveyard_.pop_back();
    delete c;
  }
}

platform::WindowSystem* PaintManager::System() const {
  return Manager::GetWindowSystem();
}

void PaintManager::Init(WindowId window, MWindow* owner, MObject* owner_object) {
  platform::WindowSystem* system = System();
  if (!system || !system->IsWindow(window)) return;
  window_ = window;
  owner_ = owner;
  owner_object_ = owner_object;
  // The skin folder may have been set after the manager was built.
  if (images_->SkinFolder() != Manager::GetSkinFolder() && images_->Count() == 0) {
    images_ = std::make_unique<ImageCache>(Manager::GetSkinFolder());
  }
  FontRegistry::AddProgramFonts(Manager::GetProgramFolder());
  initialised_ = 1;
  scroll_v_ = 102;
  scroll_h_ = 101;
}

void PaintManager::DestroyData() {
  if (!initialised_) return;
  back_image_.reset();
  KillMTimer();
  ClearTimers();
  ClearTooltip();
  // Controls are freed once the input dispatch running now has returned.
  ClearAllControls();
  if (dispatch_depth_ == 0) FreeGraveyard();
  {
    std::lock_guard lock(pending_lock_);
    pending_.clear();
  }
  images_->Clear();
  tooltip_.reset();
  bubble_window_.reset();
  initialised_ = 0;
}

void PaintManager::Invalidate() {
  if (platform::WindowSystem* system = System()) {
    if (window_ != platform::kNoWindow) system->Invalidate(window_);
  }
}

void PaintManager::InvalidateRect(const Rect& rect) {
  platform::WindowSystem* system = System();
  if (!system || window_ == platform::kNoWindow) return;
  if (layered_) {
    system->Invalidate(window_);
  } else {
    system->Invalidate(window_, ToPlatform(rect));
  }
}

std::intptr_t PaintManager::SendMessageW(std::uint32_t message, std::uintptr_t wparam,
                                         std::intptr_t lparam) {
  platform::WindowSystem* system = System();
  return system ? system->Send(window_, message, wparam, lparam) : 0;
}

bool PaintManager::PostMessageW(std::uint32_t message, std::uintptr_t wparam,
                                std::intptr_t lparam) {
  platform::WindowSystem* system = System();
  return system && system->Post(window_, message, wparam, lparam);
}

Rect PaintManager::GetClientRect() const {
  Size s = GetClientSize();
  return Rect{0, 0, s.cx, s.cy};
}

Rect PaintManager::GetWindowRect() const {
  platform::WindowSystem* system = System();
  return system ? FromPlatform(system->Bounds(window_)) : Rect{};
}

Size PaintManager::GetClientSize() const {
  Rect r = GetWindowRect();
  return {r.Width(), r.Height()};
}

void PaintManager::SetCapture() {
  platform::WindowSystem* system = System();
  if (!system || !system->IsWindow(window_)) return;
  system->SetCapture(window_);
  captured_ = 1;
}

void PaintManager::ReleaseCapture() {
  platform::WindowSystem* system = System();
  if (system && system->Capture() == window_) system->ReleaseCapture();
  captured_ = 0;
}

int PaintManager::LoadBKImage(const std::string& name) {
  const ImgResInfo* info = images_->Add(name, 1);
  if (!info) return 0;
  back_image_ = info->image;
  return 1;
}

MControl* PaintManager::Adopt(std::unique_ptr<MControl> control, bool area) {
  if (!control) return nullptr;
  MControl* raw = control.release();
  raw->SetManager(this);
  if (area) {
    std::lock_guard lock(areas_lock_);
    areas_.push_back(raw);
  } else {
    std::lock_guard lock(controls_lock_);
    controls_.push_back(raw);
  }
  return raw;
}

MControl* PaintManager::CreateArea(MObject* parent, const std::string& class_name, unsigned id,
                                   const Rect& rect, const std::string& title, int visible,
                                   int enabled) {
  return Adopt(ControlFactory::Create(FactoryKind::kDialog, class_name,
                                      {parent, id, rect, title, visible, enabled}),
               true);
}

MControl* PaintManager::CreateControl(MObject* parent, const std::string& class_name, unsigned id,
                                      const Rect& rect, const std::string& title, int visible,
                                      int enabled) {
  return Adopt(ControlFactory::Create(FactoryKind::kDialog, class_name,
                                      {parent, id, rect, title, visible, enabled}),
               false);
}

MControl* PaintManager::AddArea(std::unique_ptr<MControl> control) {
  return Adopt(std::move(control), true);
}

MControl* PaintManager::AddControl(std::unique_ptr<MControl> control) {
  return Adopt(std::move(control), false);
}

std::vector<MControl*> PaintManager::ControlsSnapshot() const {
  std::lock_guard lock(controls_lock_);
  return controls_;
}

std::vector<MControl*> PaintManager::AreasSnapshot() const {
  std::lock_guard lock(areas_lock_);
  return areas_;
}

MControl* PaintManager::GetControl(unsigned id) {
  for (const auto& list : {ControlsSnapshot(), AreasSnapshot()}) {
    for (MControl* c : list) {
      if (c->GetControlID() == id) return c;
      if (MControl* found = c->GetControl(id)) return found;
    }
  }
  return nullptr;
}

int PaintManager::RemoveControl(MControl* control) {
  bool found = false;
  {
    std::lock_guard lock(controls_lock_);
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it != controls_.end()) {
      controls_.erase(it);
      found = true;
    }
  }
  if (!found) return 0;
  Retire(control);
  return 1;
}

void PaintManager::ClearList(std::vector<MControl*>& list, std::recursive_mutex& lock) {
  std::vector<MControl*> gone;
  {
    std::lock_guard guard(lock);
    gone.swap(list);
  }
  for (MControl* c : gone) Retire(c);
}

void PaintManager::ClearAreaControls() {
  ClearList(areas_, areas_lock_);
}

void PaintManager::ClearControls() {
  ClearList(controls_, controls_lock_);
}

void PaintManager::ClearAllControls() {
  ClearAreaControls();
  ClearControls();
}

void PaintManager::ForgetOne(MControl* control) {
  if (hover_ == control) hover_ = nullptr;
  if (focus_ == control) focus_ = nullptr;
  if (keyboard_owner_ &&
      (keyboard_owner_ == control || keyboard_owner_->GetParantObject() == control)) {
    keyboard_owner_ = nullptr;
  }
  if (tooltip_owner_ == control) {
    tooltip_owner_ = nullptr;
    ClearTooltip();
  }
  if (caret_owner_ == control) {
    caret_owner_ = nullptr;
    ShowCaret(0);
  }
  {
    std::lock_guard lock(timer_controls_lock_);
    std::erase(timer_controls_, control);
  }
  KillTimer(control);
  {
    std::lock_guard lock(pending_lock_);
    std::erase_if(pending_, [control](const PendingUpdate& u) { return u.control == control; });
  }
  if (auto* parent = dynamic_cast<MControl*>(control->GetParantObject())) {
    parent->ForgetChild(control);
  }
}

void PaintManager::Unregister(MControl* control) {
  control->SetDetached(true);
  for (MControl* child : control->ChildrenSnapshot()) Unregister(child);
  for (MControl* area : control->AreaSnapshot()) Unregister(area);
  ForgetOne(control);
}

void PaintManager::ForgetControl(MControl* control) {
  ForgetOne(control);
  std::erase(graveyard_, control);
}

void PaintManager::Retire(MControl* control) {
  if (!control) return;
  // Waits for a dialog timer tick that is walking the control.
  Unregister(control);
  control->SetParent(nullptr);
  if (dispatch_depth_ > 0) {
    graveyard_.push_back(control);
  } else {
    delete control;
  }
}

void PaintManager::SetFocusControl(MControl* control) {
  if (control == focus_) return;
  if (focus_) focus_->SetControlFocus(0);
  if (control) control->SetControlFocus(1);
  focus_ = control;
}

namespace {
bool Qualifies(const MControl* c) {
  return c->IsVisible() && c->IsEnabled() && c->IsTabStop() && !c->IsDetached();
}
}  // namespace

MControl* PaintManager::GetNextFocusableControl() {
  std::lock_guard lock(controls_lock_);
  auto at = std::find(controls_.begin(), controls_.end(), focus_);
  if (at != controls_.end()) {
    for (auto it = std::next(at); it != controls_.end(); ++it) {
      if (Qualifies(*it)) return *it;
    }
  }
  if (at == controls_.end() && focus_ != nullptr) return nullptr;
  if (!hover_ && !controls_.empty()) hover_ = controls_.front();
  for (MControl* c : controls_) {
    if (Qualifies(c)) return c;
  }
  return nullptr;
}

MControl* PaintManager::GetPrevFocusableControl() {
  std::lock_guard lock(controls_lock_);
  auto at = std::find(controls_.rbegin(), controls_.rend(), focus_);
  if (at != controls_.rend()) {
    for (auto it = std::next(at); it != controls_.rend(); ++it) {
      if (Qualifies(*it)) return *it;
    }
  }
  if (at == controls_.rend() && focus_ != nullptr) return nullptr;
  if (!hover_ && !controls_.empty()) hover_ = controls_.front();
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    if (Qualifies(*it)) return *it;
  }
  return nullptr;
}

long PaintManager::OnControlUpdate(const Rect& rect, int redraw, MControl* control) {
  if (!control) return 0;
  platform::WindowSystem* system = System();
  if (system && !system->IsUiThread()) {
    // Another thread (the dialog timer, a worker): the UI thread rebuilds
    // caches and invalidates, so no control is touched from here.
    bool post = false;
    {
      std::lock_guard lock(pending_lock_);
      // One entry per control until the UI thread takes them.
      auto same = std::find_if(pending_.begin(), pending_.end(),
                               [control](const PendingUpdate& u) { return u.control == control; });
      if (same != pending_.end()) {
        same->rect = same->rect.Union(rect);
        same->redraw |= redraw;
      } else {
        pending_.push_back({rect, redraw, control});
      }
      post = !pending_posted_;
      pending_posted_ = true;
    }
    if (post) system->Post(window_, kMsgPendingUpdates, 0, 0);
    return 0;
  }
  ApplyUpdate(rect, redraw, control);
  return 0;
}

void PaintManager::RunPendingUpdates() {
  std::vector<PendingUpdate> updates;
  {
    std::lock_guard lock(pending_lock_);
    updates.swap(pending_);
    pending_posted_ = false;
  }
  for (const PendingUpdate& u : updates) ApplyUpdate(u.rect, u.redraw, u.control);
}

void PaintManager::ApplyUpdate(const Rect& rect, int redraw, MControl* control) {
  if (redraw) control->SetUpdate(0, back_inner_);
  if (!initialised_) return;
  // A child control stands in the lists by its top-level ancestor.
  MControl* top = control;
  while (auto* parent = dynamic_cast<MControl*>(top->GetParantObject())) top = parent;
  Rect area = rect;
  bool met = false;
  auto walk = [&](const std::vector<MControl*>& list) {
    for (MControl* c : list) {
      if (c == top) {
        met = true;
        continue;
      }
      if (met && c->IsVisible() && c->GetRect().Intersects(rect)) {
        c->SetUpdate(0, back_inner_);
        area = area.Union(c->GetRect());
      }
    }
  };
  {
    std::lock_guard lock(areas_lock_);
    walk(areas_);
  }
  {
    std::lock_guard lock(controls_lock_);
    walk(controls_);
  }
  InvalidateRect(area);
}

const ImgResInfo* PaintManager::AddImgResInfo(const std::string& name, int frame_count) {
  return images_->Add(name, frame_count);
}

void PaintManager::ClearImgResInfo() {
  images_->Clear();
}

std::string PaintManager::FindTempFont(const std::string& /*name*/) const {
  return FontRegistry::ResolveFamily(Manager::GetFontName());
}

bool PaintManager::CreateShadow(bool show) {
  shadow_->ShowShadow(show);
  return shadow_->Create(this);
}

int PaintManager::SetAirBladderMsg(const std::string& text, Point point, int type, int mode) {
  bubble_ = {text, point, type, mode};
  platform::WindowSystem* system = System();
  const bool has_window = system && system->IsWindow(window_);
  // Made on first use, and made afresh after something closed it.
  if (!bubble_window_ || (has_window && !system->IsWindow(bubble_window_->GetSafeHwnd()))) {
    bubble_window_ = std::make_unique<MAirBladder>();
    if (has_window) bubble_window_->CreateTip(window_, "AirBladder Window");
    bubble_window_->LoadBKImage("img_tip_bk.png");
    bubble_window_->LoadArrowLImage("img_tip_arrow_left.png");
    bubble_window_->LoadArrowRImage("img_tip_arrow_right.png");
    bubble_window_->LoadArrowTImage("img_tip_arrow_top.png");
  }
  return bubble_window_->SetAirBladderMsg(text, point, type, mode);
}

int PaintManager::ShowAirBladder(int show, int owner_key) {
  if (!bubble_window_) return 0;
  if (owner_key != 0) {
    if (!show && owner_key != bubble_owner_) return 0;
    bubble_owner_ = owner_key;
  }
  bubble_window_->ShowWindow(show);
  return 1;
}

}  // namespace tumi
