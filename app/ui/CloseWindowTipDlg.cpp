#include "app/ui/CloseWindowTipDlg.h"

#include "app/shell/Language.h"
#include "app/ui/ControlAccess.h"
#include "app/ui/FrameIds.h"
#include "uilib/controls/CRadioButton.h"
#include "uilib/controls/MButton.h"
#include "uilib/controls/MText.h"
#include "uilib/core/MControlFont.h"
#include "uilib/core/TextStyle.h"

namespace tessaro {

namespace {
constexpr const char* kRadioImage = "btn_radiobox.png";
constexpr const char* kButtonImage = "btn_apply.png";
constexpr int kRadioFrames = 8;
constexpr int kButtonFrames = 4;
constexpr int kButtonCorner = 10;
constexpr const char* kGroup = "exit_mode";
}  // namespace

void CloseWindowTipDlg::InitUI(const tumi::Rect& client) {
  const int w = client.Width() > 0 ? client.Width() : kWidth;
  // The skin's dialog card: slate with a teal edge.
  pm_.SetBackColor(0x1C150E, 0x555028);
  tumi::MControl* question =
      CreateControl("MText", kQuestion, {24, 14, w - 24, 64}, GetText(kQuestionText));
  if (auto* q = dynamic_cast<tumi::MText*>(question)) {
    q->SetAlignment(tumi::kAlignCenter, tumi::kAlignVCenter);
    q->EnableMultiLine(1);
    q->EnableVCenter(1);
  }
  struct Radio {
    unsigned id;
    int text;
    int top;
  };
  for (const Radio& radio : {Radio{CloseWindowTipChoice::kHideButton, CloseBehaviour::kTipHide, 74},
                             Radio{CloseWindowTipChoice::kExitButton, 170, 104}}) {
    tumi::MControl* button = CreateControl(
        "CRadioButton", radio.id, {60, radio.top, w - 40, radio.top + 26}, GetText(radio.text));
    if (auto* b = dynamic_cast<tumi::CRadioButton*>(button)) {
      b->SetImage(kRadioImage, kRadioFrames);
      b->SetGroupName(kGroup);
    }
  }
  tumi::MControl* ok = CreateControl("MButton", CloseWindowTipChoice::kOkButton,
                                     {w / 2 - 50, 144, w / 2 + 50, 180}, GetText(kOkText));
  if (auto* b = dynamic_cast<tumi::MButton*>(ok)) {
    b->SetImage(kButtonImage, kButtonFrames);
    b->SetFrameSize(kButtonCorner);
  }
  ShowSelection();
}

void CloseWindowTipDlg::ShowSelection() {
  for (unsigned id : {CloseWindowTipChoice::kHideButton, CloseWindowTipChoice::kExitButton}) {
    if (auto* radio = dynamic_cast<tumi::CRadioButton*>(GetControl(id))) {
      radio->SetControlCheck(choice_.Selected() == static_cast<int>(id) ? 1 : 0);
    }
  }
}

long CloseWindowTipDlg::OnMessage(unsigned id, unsigned code, std::uintptr_t, std::intptr_t) {
  if (code != frame::kNotifyClick) return 0;
  if (id == CloseWindowTipChoice::kHideButton || id == CloseWindowTipChoice::kExitButton) {
    choice_.Select(static_cast<int>(id));
    ShowSelection();
    return 1;
  }
  if (id == CloseWindowTipChoice::kOkButton) {
    confirmed_ = choice_.Confirm();
    DoOK();
    return 1;
  }
  return 0;
}

std::optional<int> RunCloseWindowTip(tumi::WindowId parent, Registry& registry) {
  CloseWindowTipDlg dialog(registry);
  dialog.Create(parent, CloseWindowTipDlg::kTitle,
                platform::kStyleTopLevel | platform::kStyleTopmost,
                tumi::Rect{0, 0, CloseWindowTipDlg::kWidth, CloseWindowTipDlg::kHeight});
  dialog.CenterWindow();
  dialog.ShowModal(static_cast<int>(platform::ShowCommand::kShow));
  return dialog.Confirmed();
}

}  // namespace tessaro
