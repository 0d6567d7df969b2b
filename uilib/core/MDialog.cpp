#include "uilib/core/MDialog.h"

#include <algorithm>

namespace tumi {

namespace msg = platform::msg;

namespace {
Point PointOf(std::intptr_t lparam) {
  platform::Point p = platform::UnpackPoint(lparam);
  return {p.x, p.y};
}
}  // namespace

MDialog::MDialog() = default;

MDialog::~MDialog() {
  // While the dialog's own handlers still exist.
  DestroyWindow();
}

std::intptr_t MDialog::OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                       std::intptr_t lparam) {
  auto flags = static_cast<unsigned>(wparam);
  switch (message) {
    case msg::kCreate:
      OnCreate();
      break;
    case msg::kDestroy:
      OnDestroy();
      break;
    case msg::kSize:
      OnSize(static_cast<int>(wparam), static_cast<std::int16_t>(lparam & 0xFFFF),
             static_cast<std::int16_t>((lparam >> 16) & 0xFFFF));
      break;
    case msg::kPaint:
      OnPaint();
      break;
    case msg::kClose:
      OnClose();
      break;
    case msg::kMove:
      OnWindowPosChanged();
      break;
    case msg::kNcActivate:
      OnNcActivate(static_cast<int>(wparam));
      break;
    case msg::kTimer:
      OnTimer(wparam);
      break;
    case msg::kMouseMove:
      OnMouseMove(flags, PointOf(lparam));
      break;
    case msg::kLButtonDown:
      OnLButtonDown(flags, PointOf(lparam));
      break;
    case msg::kLButtonUp:
      OnLButtonUp(flags, PointOf(lparam));
      break;
    case msg::kLButtonDblClk:
      OnLButtonDblClk(flags, PointOf(lparam));
      break;
    case msg::kRButtonDown:
      OnRButtonDown(flags, PointOf(lparam));
      break;
    case msg::kRButtonUp:
      OnRButtonUp(flags, PointOf(lparam));
      break;
    case msg::kRButtonDblClk:
      OnRButtonDblClk(flags, PointOf(lparam));
      break;
    case msg::kMouseHover:
      OnMouseHover(wparam, lparam);
      break;
    case msg::kMouseLeave:
      OnMouseLeave(wparam, lparam);
      break;
    case msg::kEraseBackground:
      return 1;  // the paint covers every pixel; erasing would only flicker
    case msg::kSysCommand:
      // The desktop's close shortcut (Alt+F4) never closes a dialog: it
      // closes through its own buttons and their results.
      if (wparam == msg::kScClose) return 1;
      break;
    case kMsgCloseRequest:
      return OnUserCloseWindow(wparam, lparam);
    default:
      break;
  }
  if (std::intptr_t result = pm_.OnWindowMessage(message, wparam, lparam)) return result;
  return DefaultHandling(message, wparam, lparam);
}

int MDialog::PreTranslateMessage(const platform::Message& message) {
  return pm_.PreTranslateMessage(message) ? 1 : 0;
}

int MDialog::OnInitDialog() {
  pm_.Init(GetSafeHwnd(), this, this);
  if (System() && System()->IsWindow(GetSafeHwnd())) client_ = GetClientRect();
  InitUI(client_);
  return 1;
}

void MDialog::OnDestroyMessage(WindowId window) {
  pm_.OnDestroyMessage(window);
  PostNcDestroy();
}

long MDialog::OnUserCloseWindow(std::uintptr_t wparam, std::intptr_t lparam) {
  PostMessageW(msg::kClose, wparam, lparam);
  return 1;
}

int MDialog::OnSize(int type, int /*width*/, int /*height*/) {
  if (static_cast<std::uintptr_t>(type) != msg::kSizeMinimized) SetupBackTranslucent();
  client_ = GetClientRect();
  if (client_.Width() > 1 && client_.Height() > 1) UISize(client_);
  InvalidateRect();
  return 0;
}

Point MDialog::GetAirBladderPoint(MControl* control, int type) {
  if (!control) return {0, 0};
  const Rect& r = control->GetRect();
  int x = r.left;
  if (type == kBubbleCentre) x = r.left + (r.right - r.left) / 2;
  if (type == kBubbleRight) x = r.right;
  return ClientToScreen(Point{x, r.bottom});
}

void MDialog::OnMinimize() {
  ShowWindow(static_cast<int>(platform::ShowCommand::kMinimize));
}

void MDialog::OnMaximize() {
  ShowWindow(static_cast<int>(IsZoomed() ? platform::ShowCommand::kRestore
                                         : platform::ShowCommand::kMaximize));
}

MControl* MDialog::CreateControl(const std::string& class_name, unsigned id, const Rect& rect,
                                 const std::string& title, int visible, int enabled) {
  return pm_.CreateControl(this, class_name, id, rect, title, visible, enabled);
}

MControl* MDialog::CreateArea(const std::string& class_name, unsigned id, const Rect& rect,
                              const std::string& title, int visible, int enabled) {
  return pm_.CreateArea(this, class_name, id, rect, title, visible, enabled);
}

Rect MDialog::DefaultMessageBox() const {
  Rect client = GetClientRect();
  int half = client.Width() / 2;
  Rect box{half - 100, client.bottom - 60, half + 100, client.bottom - 2};
  return box.Offset(0, message_offset_);
}

void MDialog::SetMessage(const std::string& text, const Rect& box, MsgLevel level) {
  pm_.SetMessage(text, box.IsEmpty() ? DefaultMessageBox() : box, level);
}

void MDialog::SetProgress(int percent, const std::string& text, const Rect& box) {
  pm_.SetProgress(percent, text, box);
}

int MDialog::SetAirBladderMsg(const std::string& text, Point screen, int type) {
  if (screen.x == 0 || screen.y == 0) return 0;
  pm_.SetAirBladderMsg(text, screen, type, 3);
  pm_.ShowAirBladder(1, 0);
  return 1;
}

void MDialog::SetupBackTranslucent() {
  // A whole-window alpha is the one translucency the window layer offers for
  // opaque windows; colour keys are drawn as per-pixel alpha instead.
  if (alpha_ != 255 && System()) {
    System()->SetOpacity(GetSafeHwnd(), static_cast<std::uint8_t>(std::clamp(alpha_, 0, 255)));
  }
}

}  // namespace tumi
