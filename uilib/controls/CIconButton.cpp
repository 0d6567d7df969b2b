#include "uilib/controls/CIconButton.h"

#include "platform/window/WindowSystem.h"
#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"
#include "uilib/core/PaintManager.h"
#include "uilib/keyboard/CKeyboardTips.h"

namespace tumi {

namespace {
constexpr int kIconCorner = 20;
constexpr Argb kIdleTextColor = 0xFEC8C8C8;
constexpr int kTipDrop = 10;  // the tip points this far below the top edge
}  // namespace

CIconButton::CIconButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                         int visible, int enabled)
    : MButton(parent, id, rect, title, visible, enabled) {
  corner_ = kIconCorner;
}

CIconButton::~CIconButton() = default;

void CIconButton::SetShowTips(int show) {
  show_tips_ = show;
  if (!show && tip_ && tip_->IsWindowVisible()) {
    tip_->ShowWindow(static_cast<int>(platform::ShowCommand::kHide));
  }
}

void CIconButton::OnStateChanged(int old_state, int new_state) {
  if (new_state == kStateHover) {
    platform::WindowSystem* system = Manager::GetWindowSystem();
    if (!show_tips_ || !manager_ || !system) return;
    if (!tip_) {
      tip_ = std::make_unique<CKeyboardTips>();
      tip_->CreateTip(manager_->GetPaintWnd(), "KeyboardTip Window");
      tip_->LoadBKImage("img_tip_bk.png");
    }
    platform::Point at = system->ClientToScreen(
        manager_->GetPaintWnd(), {rect_.left + rect_.Width() / 2, rect_.top + kTipDrop});
    tip_->SetAirBladderMsg(tips_[0], tips_[1], tips_[2], {at.x, at.y});
    tip_->ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
  } else if (old_state == kStateHover && tip_ && tip_->IsWindowVisible()) {
    tip_->ShowWindow(static_cast<int>(platform::ShowCommand::kHide));
  }
}

int CIconButton::SetCheck(int check) {
  if (!enabled_) return check_;
  SetControlCheck(check);
  UpdateControl(0, 0);
  if (check_) ResetGroupCheck();
  return check_;
}

void CIconButton::SetControlCheck(int check) {
  check_ = check ? 1 : 0;
  state_ = enabled_ ? kStateNormal : kStateDisabled;
}

void CIconButton::SetDownState(int down) {
  state_ = down ? kStatePressed : kStateNormal;
  UpdateControl(0, 0);
}

void CIconButton::SetTips(const std::string& first, const std::string& second,
                          const std::string& third) {
  tips_ = {first, second, third};
}

void CIconButton::OnClicked() {
  check_ = 1;
  ResetGroupCheck();
  UpdateControl(0, 0);
  SendMessageW(kNotifyActivated);
}

void CIconButton::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  DrawSlots(cr, 4, check_ ? kStatePressed : state_);
}

void CIconButton::DrawSlot(cairo_t* cr, int slot, const Rect& box) {
  DrawFrameNinePatch(cr, slot, box, corner_);
  if (!icon_.Empty()) {
    int x = box.left + (box.Width() - icon_.FrameWidth()) / 2;
    int y = box.top + (box.Height() - icon_.FrameHeight()) / 2;
    MRender::DrawImage(cr, *icon_.Get(),
                       Rect::FromSize(x, y, icon_.FrameWidth(), icon_.FrameHeight()),
                       icon_.Frame(slot));
  }
  if (title_.empty()) return;
  TextFormat format = GetTextFormat();
  format.single_line = true;
  if (text_rect_.IsEmpty()) {
    format.h_align = kAlignCenter;
    format.v_align = kAlignVCenter;
    MRender::DrawString(cr, title_, box, GetFontSpec(), format,
                        slot == kStateDisabled ? kDisabledTextColor : text_color_);
    return;
  }
  Rect text = text_rect_.Offset(box.left, box.top);
  if (slot == kStatePressed) text = text.Offset(1, 1);
  MRender::DrawString(cr, title_, text, GetFontSpec(), format,
                      slot == kStateHover ? text_color_ : kIdleTextColor);
}

}  // namespace tumi
