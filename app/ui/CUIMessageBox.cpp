#include "app/ui/CUIMessageBox.h"

#include "app/shell/Language.h"
#include "app/ui/ControlAccess.h"
#include "app/ui/FrameIds.h"
#include "uilib/controls/MButton.h"
#include "uilib/core/MControlFont.h"
#include "uilib/core/TextStyle.h"

namespace tessaro {

namespace {
constexpr int kMargin = 20;
constexpr int kTitleTop = 15;
constexpr int kTitleBottom = 40;
constexpr int kButtonHeight = 36;
constexpr int kButtonBottomGap = 20;
constexpr const char* kButtonImage = "btn_apply.png";
constexpr int kButtonFrames = 4;
constexpr int kButtonCorner = 10;
}  // namespace

void CUIMessageBox::InitUI(const tumi::Rect& client) {
  SetLayeredWindow(1);
  const int w = client.Width() > 0 ? client.Width() : kWidth;
  const int h = client.Height() > 0 ? client.Height() : kHeight;
  const int button_top = h - kButtonBottomGap - kButtonHeight;
  const int button_bottom = h - kButtonBottomGap;

  tumi::MControl* title =
      CreateControl("MText", kTitleText, {kMargin, kTitleTop, w - kMargin, kTitleBottom}, title_);
  if (auto* t = dynamic_cast<tumi::MControlFont*>(title)) t->SetAlignment(tumi::kAlignLeft);
  tumi::MControl* message =
      CreateControl("MText", kMessageText, {kMargin, kTitleBottom, w - kMargin, button_top}, text_);
  if (auto* m = dynamic_cast<tumi::MControlFont*>(message)) {
    m->SetAlignment(tumi::kAlignLeft, tumi::kAlignVCenter);
  }

  auto button = [&](unsigned id, const tumi::Rect& rect, int text) {
    if (auto* b = dynamic_cast<tumi::MButton*>(CreateControl("MButton", id, rect, GetText(text)))) {
      b->SetImage(kButtonImage, kButtonFrames);
      b->SetFrameSize(kButtonCorner);
    }
  };
  if (type_ == 0) {
    button(kOkButton, {60, button_top, w - 60, button_bottom}, kTextOkAlone);
  } else {
    button(kOkButton, {w / 2 - 120, button_top, w / 2 - 20, button_bottom}, kTextOk);
    button(kCancelButton, {w / 2 + 20, button_top, w / 2 + 120, button_bottom}, kTextCancel);
  }
}

int CUIMessageBox::OnInitDialog() {
  MDialog::OnInitDialog();
  BringToTop();
  return 1;
}

long CUIMessageBox::OnMessage(unsigned id, unsigned code, std::uintptr_t, std::intptr_t) {
  if (code != frame::kNotifyClick) return 0;
  if (id == kOkButton) {
    DoOK();
    return 1;
  }
  if (id == kCancelButton) {
    DoCancel();
    return 1;
  }
  return 0;
}

unsigned ShowMessageBox(tumi::WindowId parent, const std::string& title, const std::string& text,
                        int type) {
  CUIMessageBox box;
  box.SetTitle(title);
  box.SetText(text);
  box.SetType(type);
  box.LoadBKImage(CUIMessageBox::kBackground);
  box.SetBackMode(tumi::kBackNinePatch, CUIMessageBox::kBackgroundCorner);
  box.Create(parent, CUIMessageBox::kTitle, platform::kStyleTool,
             tumi::Rect{0, 0, CUIMessageBox::kWidth, CUIMessageBox::kHeight});
  box.CenterWindow();
  return box.ShowModal(static_cast<int>(platform::ShowCommand::kShowNormal));
}

}  // namespace tessaro
