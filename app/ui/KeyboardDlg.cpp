#include "app/ui/KeyboardDlg.h"

#include <cstdarg>

#include "app/shell/Application.h"
#include "app/shell/DeviceChangeRouter.h"
#include "app/shell/DeviceWorker.h"
#include "app/shell/Language.h"
#include "app/ui/CUIMessageBox.h"
#include "app/ui/CloseWindowTipDlg.h"
#include "app/ui/ControlAccess.h"
#include "app/ui/FrameDispatch.h"
#include "app/ui/FrameIds.h"
#include "app/ui/FrameLayout.h"
#include "app/ui/WaitDlg.h"
#include "uilib/controls/MPanel.h"
#include "uilib/controls/MTabCtrl.h"
#include "uilib/core/CArea.h"
#include "uilib/core/MControlFont.h"
#include "uilib/core/Manager.h"
#include "uilib/core/TextStyle.h"
#include "uilib/keyboard/BatteryCtrl.h"
#include "uilib/keyboard/CDeviceCtrl.h"

namespace tessaro {

namespace msg = platform::msg;

// What the device worker asks of the window, on the worker's thread: the
// window's controls are only touched through posts to the UI thread.
class KeyboardDlg::WorkerSide final : public DeviceWorkerHost {
 public:
  explicit WorkerSide(KeyboardDlg& dlg) : dlg_(dlg) {}

  void DetectAndUpdatePages() override { dlg_.DetectAndUpdatePages(); }
  void StartEndpointWatch() override {}
  void CheckSoftwareVersion() override {}
  bool DeviceReady() override { return dlg_.DeviceReady(); }
  void EnableWindow(bool enable) override {
    KeyboardDlg& dlg = dlg_;
    dlg_.ui_.Post([&dlg, enable] { dlg.EnableWindow(enable); });
  }
  void RunTask(DeviceTask task) override { dlg_.RunTask(task); }
  void WriteTaskFinished(uint64_t ticket) override {
    KeyboardDlg& dlg = dlg_;
    dlg_.ui_.Post([&dlg, ticket] {
      if (dlg.busy_ && dlg.busy_ticket_ == ticket) dlg.busy_->DoOK();
    });
  }
  void IdleTick() override {}
  void HandleFilterEvent(int) override {}

 private:
  KeyboardDlg& dlg_;
};

// What loading the device description shows, on the UI thread during start.
class KeyboardDlg::DescriptionSide final : public DeviceDescriptionView {
 public:
  explicit DescriptionSide(KeyboardDlg& dlg) : dlg_(dlg) {}

  void AddDevice(const std::string& name, int device_type) override {
    if (auto* list = dynamic_cast<tumi::CDeviceCtrl*>(dlg_.GetControl(frame::kDeviceList))) {
      list->AddDevice(name, 0, 0, device_type, true);
    }
    dlg_.listed_types_.push_back(device_type);
  }
  void ShowVersion(const std::string& text) override {
    SetControlText(dlg_.GetControl(frame::kVersion), text);
  }
  void ShowNotice(const std::string& text) override {
    SetControlText(dlg_.GetControl(frame::kNotice), text);
  }
  void ShowPageTabs(bool key_page, bool macro_page, bool light_page) override {
    dlg_.layout_tabs_ = {true, key_page, macro_page, light_page, true};
    dlg_.Apply(dlg_.shown_);
  }
  void ShowFirmwareButton(bool) override {}
  void SetLightSliderMaxima(int, int) override {}
  void ClearKeys(KeyboardPicture) override {}
  void PlacePicture(KeyboardPicture, const KeyRect&) override {}
  void SetKeyboardImage(KeyboardPicture, const std::string&) override {}
  void SetWidthAndHeight(KeyboardPicture, int, int) override {}
  void AddKeyItem(KeyboardPicture, const KeyItem&) override {}
  void WatchDeviceChanges() override {}

 private:
  KeyboardDlg& dlg_;
};

KeyboardDlg::KeyboardDlg(KeyboardLink& link, platform::Clock& clock,
                         platform::ProgramRunner* runner)
    : link_(link),
      commands_(link, clock),
      runner_(runner),
      worker_side_(std::make_unique<WorkerSide>(*this)),
      description_side_(std::make_unique<DescriptionSide>(*this)),
      ui_([this] {
        platform::WindowSystem* system = System();
        const tumi::WindowId window = posted_window_.load();
        return system && window != platform::kNoWindow && system->Post(window, kMsgRunPosted);
      }) {}

KeyboardDlg::~KeyboardDlg() {
  Destroy();
}

void KeyboardDlg::OpenWindow(const std::string& software_name, const std::string& program_folder) {
  tumi::Manager::SetDeviceName(software_name);
  tumi::Manager::SetProgramFolder(program_folder);
  if (Create(platform::kNoWindow, software_name, platform::kStyleTopLevel,
             tumi::Rect{0, 0, kWidth, kHeight}) == platform::kNoWindow) {
    return;
  }
  CenterWindow();
  tumi::MWindow::ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
  if (Language* language = shell_ ? shell_->CurrentLanguage() : nullptr) {
    language->SetRelabel([this] { PostMessageW(kMsgRelabel); });
  }
  const tumi::Rect bounds = GetWindowRect();
  Trace("window open, %dx%d at %d,%d", bounds.Width(), bounds.Height(), bounds.left, bounds.top);
}

DeviceDescriptionView& KeyboardDlg::DescriptionView() {
  return *description_side_;
}

DeviceWorkerHost& KeyboardDlg::WorkerHost() {
  return *worker_side_;
}

void KeyboardDlg::AttachDeviceWorker(DeviceWorker* worker) {
  std::lock_guard lock(mutex_);
  worker_ = worker;
}

void KeyboardDlg::PostWindowMessage(int message, int first, int second) {
  platform::WindowSystem* system = System();
  const tumi::WindowId window = posted_window_.load();
  if (system && window != platform::kNoWindow) {
    system->Post(window, static_cast<std::uint32_t>(message), static_cast<std::uintptr_t>(first),
                 second);
  }
}

void KeyboardDlg::SetDeviceType(int device_type) {
  std::lock_guard lock(mutex_);
  device_type_ = device_type;
}

int KeyboardDlg::CurrentDeviceType() {
  // The layout is loaded once, before the worker starts, and never again.
  if (shell_) return shell_->Description().device_type;
  std::lock_guard lock(mutex_);
  return device_type_;
}

int KeyboardDlg::OnInitDialog() {
  MDialog::OnInitDialog();
  posted_window_ = GetSafeHwnd();
  UISize(client_);
  // A press that no control takes drags the window.
  EnableWndDrag(1);
  dialog_timer_ = SetMTimer(kDialogTimerPeriod);
  return 1;
}

void KeyboardDlg::InitUI(const tumi::Rect& /*client*/) {
  CreateFrameControls();
  CreatePages();
  LetPressesThrough();
  Apply(shown_);
}

void KeyboardDlg::CreateFrameControls() {
  const tumi::Rect none;
  auto picture = [&](unsigned id, const char* image) {
    SetControlImage(CreateControl("MPicture", id, none), image);
  };
  auto area = [&](unsigned id, int start_alpha, int end_alpha, tumi::ColorRef color) {
    if (auto* a = dynamic_cast<tumi::CArea*>(CreateArea("CArea", id, none))) {
      a->SetTransparent(start_alpha, end_alpha, color);
    }
  };
  auto text = [&](unsigned id, const std::string& title, tumi::Argb color) {
    tumi::MControl* control = CreateControl("MText", id, none, title);
    if (color != 0) SetControlTextColor(control, color);
    return control;
  };
  auto image_button = [&](unsigned id, const char* image, const std::string& tip) {
    tumi::MControl* button = CreateControl("CImageButton", id, none);
    if (auto* b = dynamic_cast<tumi::MControlFont*>(button)) b->SetImage(image, 4);
    if (button) button->SetTooltip(tip);
  };

  // The borders are a veil over the background: at alpha 50 this fill lands
  // on the skin's teal edge colour.
  constexpr tumi::ColorRef kBorderFill = 0xFFFFA7;
  constexpr int kBorderAlpha = 50;
  picture(frame::kBackground, "main_bkg.png");
  for (unsigned id :
       {frame::kBorderLeft, frame::kBorderRight, frame::kBorderTop, frame::kBorderBottom}) {
    area(id, kBorderAlpha, kBorderAlpha, kBorderFill);
  }
  area(frame::kHeaderArea, 230, 0, 0x1D150E);
  picture(frame::kCaption, "pic_caption.png");
  picture(frame::kLogo, "logo\\logo.png");
  if (auto* caption =
          dynamic_cast<tumi::MControlFont*>(text(frame::kCaptionText, kCaptionText, 0))) {
    caption->SetAlignment(tumi::kAlignCenter, tumi::kAlignVCenter);
    caption->SetFont(tumi::Manager::GetFontName(), 14, tumi::kFontBold);
    caption->SetTextColor(0xFFE8EDF2);
  }
  if (auto* title = dynamic_cast<tumi::MControlFont*>(text(frame::kPageTitle, "", 0))) {
    title->SetVAlignment(tumi::kAlignVCenter);
    title->SetFont(tumi::Manager::GetFontName(), 18, tumi::kFontBold);
    title->SetTextColor(0xFFE8EDF2);
  }
  picture(frame::kPageIcon, "logo\\logo.png");
  if (auto* battery =
          dynamic_cast<tumi::BatteryCtrl*>(CreateControl("BatteryCtrl", frame::kBattery, none))) {
    battery->SetImage("icon\\icon_battery_bkg.png", 1);
    battery->SetFont(tumi::Manager::GetFontName(), 11, tumi::kFontBold);
    battery->SetBatteryIcon("icon\\icon_batteryvalue.png", "icon\\icon_charge.png");
  }
  picture(frame::kConnectionIcon, "icon\\mode_usb.png");
  image_button(frame::kCloseButton, "main_sysbtn_close.png", GetText(CloseBehaviour::kTipHide));
  image_button(frame::kMinimizeButton, "main_sysbtn_min.png", GetText(kMinimizeTip));
  image_button(frame::kWebsiteButton, "main_sysbtn_website.png", GetText(kWebsiteTip));
  for (unsigned page = frame::kHomePage; page <= frame::kSettingsPage; ++page) {
    CreateControl("MTabLayout", page, none, "", 0);
  }
  if (auto* rail = dynamic_cast<tumi::CArea*>(CreateArea("CArea", frame::kTabBacking, none))) {
    rail->SetTransparent(0, 0, 0x150F0A);
    rail->SetFrame(1, 0xFF151E27);
  }
  CreateTabStrip();
  if (auto* status = dynamic_cast<tumi::MControlFont*>(
          text(frame::kStatusText, GetText(FrameView::kConnected), 0xFFFF0000))) {
    status->SetAlignment(tumi::kAlignCenter, tumi::kAlignVCenter);
    status->SetFont(tumi::Manager::GetFontName(), 16, tumi::kFontBold);
  }
  if (auto* list = dynamic_cast<tumi::MControlFont*>(
          CreateControl("CDeviceCtrl", frame::kDeviceList, none))) {
    list->SetImage("img_device_state.png", 2);
  }
  for (unsigned id : {frame::kVersion, frame::kNotice}) {
    if (auto* line = dynamic_cast<tumi::MControlFont*>(text(id, "", 0xFF969696))) {
      line->SetVAlignment(tumi::kAlignVCenter);
      line->SetFontWidth(12);
    }
  }
  if (auto* notice = dynamic_cast<tumi::MControlFont*>(GetControl(frame::kNotice))) {
    notice->SetAlignment(tumi::kAlignCenter, tumi::kAlignVCenter);
  }
}

void KeyboardDlg::CreateTabStrip() {
  auto* strip =
      dynamic_cast<tumi::MTabCtrl*>(CreateControl("MTabCtrl", frame::kTabStrip, {}, "", 0));
  if (!strip) return;
  constexpr int kTabSize = 80;
  constexpr int kIconFrames = 4;
  strip->SetTextColor(0xFFADADAD);
  strip->SetTabCtrlWidth(kTabSize);
  strip->SetTabCtrlHeight(kTabSize);
  strip->SetLeftRightPading(0, kTabSize);
  strip->SetTopBottomPading(0, 400);
  strip->SetTabType(tumi::MTabCtrl::kVertical);
  for (int position = 0; position < frame::kTabCount; ++position) {
    const TabInfo* tab = TabAt(position);
    strip->InsertItem(static_cast<unsigned>(tab->tab_id), GetText(tab->title), tab->tab_icon,
                      GetControl(tab->page), kIconFrames, 0);
  }
}

void KeyboardDlg::LetPressesThrough() {
  // Decoration takes no presses: a press on it drags the window.
  for (unsigned id :
       {frame::kBackground, frame::kBorderLeft, frame::kBorderRight, frame::kBorderTop,
        frame::kBorderBottom, frame::kHeaderArea, frame::kCaption, frame::kLogo,
        frame::kCaptionText, frame::kPageTitle, frame::kPageIcon, frame::kConnectionIcon,
        frame::kBattery, frame::kTabBacking, frame::kStatusText, frame::kNotice, frame::kVersion}) {
    if (tumi::MControl* control = GetControl(id)) control->SetRresponse(0);
  }
}

void KeyboardDlg::CreatePages() {
  // The pages' own controls come with their pages; until then each page
  // shows its title.
  for (int position = 1; position < frame::kTabCount; ++position) {
    const TabInfo* tab = TabAt(position);
    auto* page = dynamic_cast<tumi::MPanel*>(GetControl(tab->page));
    if (!page) continue;
    tumi::MControl* title =
        page->CreateControl("MText", kPageTitleBase + tab->page, {}, GetText(tab->title));
    if (auto* t = dynamic_cast<tumi::MControlFont*>(title)) {
      t->SetAlignment(tumi::kAlignCenter, tumi::kAlignVCenter);
      t->SetFont(tumi::Manager::GetFontName(), 18, tumi::kFontRegular);
      t->SetTextColor(0xFF7D8996);
    }
    if (title) title->SetRresponse(0);
  }
}

void KeyboardDlg::UISize(const tumi::Rect& client) {
  for (const ControlPlace& place : FrameLayout(client.Width(), client.Height())) {
    if (tumi::MControl* control = GetControl(place.id)) control->SetRect(place.rect);
  }
  for (int position = 1; position < frame::kTabCount; ++position) {
    const unsigned page_id = TabAt(position)->page;
    tumi::MControl* page = GetControl(page_id);
    if (!page) continue;
    if (tumi::MControl* title = page->GetControl(kPageTitleBase + page_id)) {
      const tumi::Rect area = page->GetRect();
      const int cx = (area.left + area.right) / 2;
      const int cy = (area.top + area.bottom) / 2;
      title->SetRect({cx - 200, cy - 20, cx + 200, cy + 20});
    }
  }
  if (auto* strip = dynamic_cast<tumi::MTabCtrl*>(GetControl(frame::kTabStrip))) {
    strip->RefreshItems();
    PinSettingsTab(client.Height());
  }
}

void KeyboardDlg::PinSettingsTab(int height) {
  auto* strip = dynamic_cast<tumi::MTabCtrl*>(GetControl(frame::kTabStrip));
  if (!strip) return;
  if (tumi::TabItemInfo* settings = strip->GetItemInfo(frame::kSettingsPosition)) {
    const TabSpan span = PinnedSettingsTab(height);
    settings->rect.top = span.top;
    settings->rect.bottom = span.bottom;
  }
}

void KeyboardDlg::Apply(const Shown& next) {
  if (auto* strip = dynamic_cast<tumi::MTabCtrl*>(GetControl(frame::kTabStrip))) {
    // Our own selection comes back as the strip's notification: not a click.
    applying_ = true;
    for (int position = 1; position < frame::kTabCount; ++position) {
      const bool visible = next.page_tabs_visible && layout_tabs_[position];
      if ((strip->GetItemVisible(position) != 0) != visible) {
        strip->SetItemVisible(position, visible ? 1 : 0);
        if (position == frame::kSettingsPosition && visible) PinSettingsTab(client_.Height());
      }
    }
    strip->SetSelectItem(next.selected_position);
    applying_ = false;
  }
  ShowControl(GetControl(frame::kTabStrip), next.tabs_shown);
  ShowControl(GetControl(frame::kTabBacking), next.tabs_shown);
  ShowControl(GetControl(frame::kHeaderArea), next.header_shown);
  SetControlText(GetControl(frame::kStatusText), GetText(next.status_text));
  SetControlText(GetControl(frame::kPageTitle),
                 next.heading.title != 0 ? GetText(next.heading.title) : std::string());
  tumi::MControl* icon = GetControl(frame::kPageIcon);
  if (!next.heading.icon.empty()) SetControlImage(icon, next.heading.icon);
  ShowControl(icon, !next.heading.icon.empty());

  // The home content belongs to the home page; the other pages cover it.
  const bool home = next.selected_position == frame::kHomePosition;
  ShowControl(GetControl(frame::kStatusText), home);
  ShowControl(GetControl(frame::kDeviceList), home);
  // The strip shows the selected page whether or not it is shown itself.
  const TabInfo* selected = TabAt(next.selected_position);
  for (int position = 0; position < frame::kTabCount; ++position) {
    const unsigned page = TabAt(position)->page;
    ShowControl(GetControl(page), next.tabs_shown && selected && selected->page == page);
  }
  const bool connected = next.status_text == FrameView::kConnected;
  ShowControl(GetControl(frame::kConnectionIcon), connected && !next.wireless);
  ShowControl(GetControl(frame::kBattery), connected && next.wireless);

  const bool changed = !(next == shown_);
  shown_ = next;
  if (changed) {
    Trace("window shows status T%d, tab %d, tabs %s", shown_.status_text, shown_.selected_position,
          shown_.tabs_shown ? "shown" : "hidden");
  }
}

void KeyboardDlg::Relabel() {
  if (auto* strip = dynamic_cast<tumi::MTabCtrl*>(GetControl(frame::kTabStrip))) {
    for (int position = 0; position < frame::kTabCount; ++position) {
      strip->SetItemText(position, GetText(TabAt(position)->title));
    }
  }
  for (int position = 1; position < frame::kTabCount; ++position) {
    const TabInfo* tab = TabAt(position);
    if (tumi::MControl* page = GetControl(tab->page)) {
      SetControlText(page->GetControl(kPageTitleBase + tab->page), GetText(tab->title));
    }
  }
  if (tumi::MControl* minimize = GetControl(frame::kMinimizeButton)) {
    minimize->SetTooltip(GetText(kMinimizeTip));
  }
  if (tumi::MControl* website = GetControl(frame::kWebsiteButton)) {
    website->SetTooltip(GetText(kWebsiteTip));
  }
  if (Registry* settings = shell_ ? shell_->Settings() : nullptr) {
    SetCloseButtonTip(GetText(CloseBehaviour(*settings).CloseButtonTip()));
  }
  // The status line and the page heading come from what the frame shows.
  Apply(shown_);
}

void KeyboardDlg::SwitchTab(int position) {
  const TabInfo* tab = TabAt(position);
  if (!tab) return;
  Shown next = shown_;
  next.selected_position = position;
  if (tab->tab_id == 0) next.tabs_shown = false;
  next.heading = tab->heading;
  Apply(next);
}

void KeyboardDlg::ShowDetection(const DetectionResult& found, const FrameView& view) {
  CloseStrayPopups();
  if (auto* list = dynamic_cast<tumi::CDeviceCtrl*>(GetControl(frame::kDeviceList))) {
    list->ResetAllState();
    // The models stay listed; the ones found show as connected.
    for (int type : listed_types_) list->SetDeviceState(type, tumi::DeviceListItem::kListed);
    for (int type : found.connected_types) {
      list->SetDeviceState(type, tumi::DeviceListItem::kConnected);
    }
  }
  Shown next = shown_;
  next.wireless = view.connection_mode == 1 || view.connection_mode == 2;
  next.status_text = view.status_text;
  next.selected_position = view.selected_position;
  next.tabs_shown = view.tabs_shown;
  if (view.header_shown) next.header_shown = *view.header_shown;
  if (view.page_tabs_visible) next.page_tabs_visible = *view.page_tabs_visible;
  next.heading = view.heading;
  if (view.menu_flags) menu_flags_ = *view.menu_flags;
  if (view.reset_button_visible) reset_button_visible_ = true;
  Apply(next);
}

long KeyboardDlg::OnDeviceChosen() {
  Shown next = shown_;
  next.tabs_shown = true;
  next.header_shown = true;
  next.selected_position = frame::kKeyPosition;
  next.heading = TabAt(frame::kKeyPosition)->heading;
  Apply(next);
  auto* list = dynamic_cast<tumi::CDeviceCtrl*>(GetControl(frame::kDeviceList));
  const int chosen = list ? list->GetCurDeviceType() : 0;
  if (chosen == 0) return 0;
  // One layout is served per run: choosing another model loads nothing.
  if (chosen == CurrentDeviceType()) return 1;
  DeviceWorker* worker = nullptr;
  {
    std::lock_guard lock(mutex_);
    worker = worker_;
  }
  if (worker) worker->Queue(DeviceTask::kDeviceChosen);
  return 1;
}

long KeyboardDlg::OnMessage(unsigned id, unsigned code, std::uintptr_t wparam,
                            std::intptr_t /*lparam*/) {
  switch (RouteNotification(id, code)) {
    case FrameRoute::kUnhandled:
      return 0;
    case FrameRoute::kTabSwitch:
      if (!applying_) SwitchTab(static_cast<int>(wparam));
      return 1;
    case FrameRoute::kDeviceChosen:
      return OnDeviceChosen();
    case FrameRoute::kCloseButton:
      // After the click's dispatch: the close may end the program and take
      // the window, and its button, with it.
      ui_.Post([this] { OnCloseButton(); });
      return 1;
    case FrameRoute::kMinimize:
      OnMinimize();
      return 1;
    case FrameRoute::kWebsite:
      OpenAddress(shell_ ? shell_->Description().software.website_url : std::string());
      return 1;
    case FrameRoute::kStore:
      OpenAddress(shell_ ? shell_->Description().software.store_url : std::string());
      return 1;
    case FrameRoute::kAccepted:
    case FrameRoute::kKeyPage:
    case FrameRoute::kLightPage:
    case FrameRoute::kMacroPage:
    case FrameRoute::kSettingsPage:
      return 1;
  }
  return 0;
}

std::intptr_t KeyboardDlg::OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                           std::intptr_t lparam) {
  if (message == kMsgRunPosted) {
    ui_.RunAll();
    return 1;
  }
  if (message == kMsgRelabel) {
    Relabel();
    return 1;
  }
  if (message == Application::kExitMessage) {
    // Any program may ask us to exit; the shell checks the parameter.
    ui_.Post([this, wparam] {
      if (shell_) shell_->OnExitRequest(Application::kExitMessage, static_cast<int>(wparam));
    });
    return 1;
  }
  if (message == msg::kSysCommand && wparam == msg::kScClose) {
    // The desktop's close button (or its shortcut) does what ours does.
    ui_.Post([this] { OnCloseButton(); });
    return 1;
  }
  return MDialog::OnWindowMessage(message, wparam, lparam);
}

void KeyboardDlg::OnCloseButton() {
  if (shell_) shell_->OnCloseButton();
}

void KeyboardDlg::OpenAddress(const std::string& address) {
  if (runner_ && !address.empty()) runner_->Spawn(kOpener, {address});
}

void KeyboardDlg::ShowWindow() {
  Trace("asked to show the window");
  tumi::MWindow::ShowWindow(static_cast<int>(platform::ShowCommand::kShowNormal));
  BringToTop();
}

void KeyboardDlg::HideWindow() {
  tumi::MWindow::ShowWindow(static_cast<int>(platform::ShowCommand::kHide));
}

void KeyboardDlg::MinimizeWindow() {
  tumi::MWindow::ShowWindow(static_cast<int>(platform::ShowCommand::kMinimize));
}

void KeyboardDlg::CloseStrayPopups() {
  platform::WindowSystem* system = System();
  if (!system) return;
  struct Popup {
    const char* title;
    std::uintptr_t close_parameter;  // the close result of a modal dialog
  };
  // A message box closed this way ends with Cancel, never with a yes.
  static constexpr Popup kClosed[] = {{"CloseWindowTipDlg", 0},
                                      {"CustomKeyDlg", 0},
                                      {"MessageBox", tumi::kResultCancel},
                                      {"WaitDlg", 0},
                                      {"Menu Window", 0}};
  static constexpr const char* kHidden[] = {"KeyboardTip Window", "ComboWnd"};
  for (platform::WindowId window : system->AllWindows()) {
    if (window == GetSafeHwnd()) continue;
    const std::string title = system->Title(window);
    for (const Popup& popup : kClosed) {
      if (title == popup.title) system->Post(window, msg::kClose, popup.close_parameter);
    }
    for (const char* hidden : kHidden) {
      if (title == hidden) system->Show(window, platform::ShowCommand::kHide);
    }
  }
}

void KeyboardDlg::ShowInstallFailure() {
  ShowMessageBox(GetSafeHwnd(), kInstallTitle, kInstallText, 0);
}

std::optional<int> KeyboardDlg::RunCloseWindowTip() {
  Registry* settings = shell_ ? shell_->Settings() : nullptr;
  if (!settings) return std::nullopt;
  return tessaro::RunCloseWindowTip(GetSafeHwnd(), *settings);
}

void KeyboardDlg::SetCloseButtonTip(const std::string& text) {
  if (tumi::MControl* close = GetControl(frame::kCloseButton)) close->SetTooltip(text);
}

void KeyboardDlg::Destroy() {
  if (shell_ && GetSafeHwnd() != platform::kNoWindow) {
    Trace("window closed, tray icon %s", shell_->TrayPresent() ? "still there" : "removed");
  }
  if (busy_) busy_->DestroyWindow();
  posted_window_ = platform::kNoWindow;
  if (dialog_timer_ != 0) {
    KillMTimer(dialog_timer_);
    dialog_timer_ = 0;
  }
  DestroyWindow();
}

void KeyboardDlg::QueueWriteTask(DeviceTask task) {
  DeviceWorker* worker = nullptr;
  {
    std::lock_guard lock(mutex_);
    worker = worker_;
  }
  if (!worker) return;
  const uint64_t ticket = worker->Queue(task);
  // A busy dialog still up belongs to an earlier task; its own call frees it.
  if (busy_) busy_->DestroyWindow();
  WaitDlg dialog;
  busy_ = &dialog;
  busy_ticket_ = ticket;
  dialog.CreateOver(GetSafeHwnd());
  // The worker may have finished before the dialog existed.
  if (worker->IsFinished(ticket)) dialog.DoOK();
  dialog.ShowModal(static_cast<int>(platform::ShowCommand::kShow));
  if (busy_ == &dialog) busy_ = nullptr;
}

void KeyboardDlg::OnDeviceChange(const platform::DeviceChange& change) {
  DeviceWorker* worker = nullptr;
  std::optional<DeviceTask> task;
  {
    std::lock_guard lock(mutex_);
    task = RouteDeviceChange(change, link_.AcceptedModes(), detection_.connected);
    worker = worker_;
  }
  if (task && worker) worker->Queue(*task);
}

bool KeyboardDlg::DeviceReady() {
  std::lock_guard lock(mutex_);
  return detection_.present && detection_.opened;
}

void KeyboardDlg::DetectAndUpdatePages() {
  DetectionResult found = DetectDevices(link_);
  DetectionState state{found.present, found.opened, CurrentDeviceType(), 0};
  if (found.present) state.connection_mode = SelectCommandFamily(link_);
  const FrameView view = UpdatePages(state);
  {
    std::lock_guard lock(mutex_);
    detection_ = found;
    if (view.reload && worker_) {
      worker_->Queue(DeviceTask::kCheckFirmwareVersion);
      worker_->Queue(DeviceTask::kReloadFromDevice);
    }
  }
  Trace("detection: %s, connection mode %d",
        found.present && found.opened ? "keyboard found" : "no keyboard", state.connection_mode);
  ui_.Post([this, found, view] { ShowDetection(found, view); });
}

void KeyboardDlg::RunTask(DeviceTask task) {
  Trace("task %d", static_cast<int>(task));
  if (task != DeviceTask::kCheckFirmwareVersion) return;
  if (const std::optional<uint16_t> version = commands_.CheckFirmwareVersion()) {
    Trace("firmware version %04X", *version);
  }
}

void KeyboardDlg::Trace(const char* format, ...) {
  if (!trace_) return;
  // One write per line: the worker and the UI thread both trace.
  char line[256];
  std::va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  std::fprintf(trace_, "tessaro: %s\n", line);
}

}  // namespace tessaro
