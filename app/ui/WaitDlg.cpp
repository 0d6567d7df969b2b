#include "app/ui/WaitDlg.h"

#include "uilib/controls/CGifPicture.h"

namespace tessaro {

void WaitDlg::InitUI(const tumi::Rect& /*client*/) {
  SetLayeredWindow(1);
  auto* animation = dynamic_cast<tumi::CGifPicture*>(
      CreateControl("CGifPicture", kAnimation, tumi::Rect{1, 1, kSize - 1, kSize - 1}));
  if (!animation) return;
  animation->SetImage(kImage, 1);
  animation->SetRunState(1, 0);
  animation->AddMTimer();
}

int WaitDlg::OnInitDialog() {
  MDialog::OnInitDialog();
  pm_.SetBackColor(kBackColor, kBackColor);
  SetMTimer(kAnimationPeriod);
  EnableWndDrag(1);
  return 1;
}

tumi::WindowId WaitDlg::CreateOver(tumi::WindowId parent) {
  platform::WindowSystem* system = System();
  tumi::Rect around{0, 0, kSize, kSize};
  if (system && system->IsWindow(parent)) around = tumi::FromPlatform(system->Bounds(parent));
  const int x = (around.left + around.right) / 2 - kSize / 2;
  const int y = (around.top + around.bottom) / 2 - kSize / 2;
  return Create(parent, kTitle, platform::kStyleTool | platform::kStyleTopmost,
                tumi::Rect::FromSize(x, y, kSize, kSize));
}

unsigned ShowBusy(WaitDlg& dialog, tumi::WindowId parent) {
  dialog.CreateOver(parent);
  return dialog.ShowModal(static_cast<int>(platform::ShowCommand::kShow));
}

}  // namespace tessaro
