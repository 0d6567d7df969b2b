#include "uilib/controls/CEditWindow.h"

#include <gtest/gtest.h>

#include "uilib/core/PaintManager.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/StateButton.h"

namespace tumi {
namespace {

namespace vk = platform::vk;
using testing::HeadlessUi;
using testing::RecordingDialog;
using Codes = std::vector<unsigned>;

// A list-like owner that edits its title in place, as the list controls do.
class Owner : public testing::StateButton {
 public:
  using StateButton::StateButton;
  void Edit() {
    editor = std::make_unique<CEditWindow>(this, Rect{}, &editing);
    editor->Start();
  }
  int SetControlFocus(int focus) override {
    if (!focus && editor && editor->EndEdit()) {
      editor.reset();
      SendMessageW(kNotifyEditEnded);
    }
    return 0;
  }
  void DrawControl(cairo_t* cr, const Rect& clip) override {
    StateButton::DrawControl(cr, clip);
    if (editor) editor->DrawControl(cr, clip);
  }
  std::unique_ptr<CEditWindow> editor;
  int editing = 0;
};

class CEditWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog.on_init = [this](RecordingDialog& d, const Rect&) {
      owner = static_cast<Owner*>(d.GetPaintManager().AddControl(
          std::make_unique<Owner>(&d, 4, Rect{10, 10, 210, 40}, "Profile 1")));
    };
    dialog.Create(platform::kNoWindow, Rect{0, 0, 300, 200});
    dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ui.System().SetFocus(dialog.GetSafeHwnd());
    ui.Pump();
  }
  void Key(int key) {
    ui.System().PressKey(key);
    ui.System().ReleaseKey(key);
    ui.Pump();
  }

  HeadlessUi ui;
  RecordingDialog dialog;
  Owner* owner = nullptr;
};

TEST_F(CEditWindowTest, TypingRenamesTheOwnerAndEnterEndsThroughItsFocus) {
  owner->Edit();
  EXPECT_EQ(owner->editing, 1);
  // One line of the owner's font, 6 pixels in at the sides, centred.
  const Rect& r = owner->editor->GetRect();
  EXPECT_EQ(r.left, 16);
  EXPECT_EQ(r.right, 204);
  EXPECT_GE(r.Height(), owner->GetFontWidth() + 2);
  EXPECT_EQ(owner->editor->Model().SelectedText(), "Profile 1");
  ui.System().TypeText("Work");
  ui.Pump();
  EXPECT_EQ(owner->GetTitle(), "Work");
  Key(vk::kReturn);
  EXPECT_EQ(owner->editor, nullptr);
  EXPECT_EQ(owner->editing, 0);
  EXPECT_EQ(dialog.CodesFrom(4), (Codes{kNotifyTextChanged, kNotifyTextChanged, kNotifyTextChanged,
                                        kNotifyTextChanged, kNotifyEditEnded}));
  EXPECT_EQ(dialog.GetPaintManager().GetKeyboardOwner(), nullptr);
}

TEST_F(CEditWindowTest, EscapePutsTheTitleBack) {
  owner->Edit();
  ui.System().TypeText("x");
  ui.Pump();
  Key(vk::kEscape);
  EXPECT_EQ(owner->GetTitle(), "Profile 1");
  EXPECT_EQ(owner->editor, nullptr);
}

}  // namespace
}  // namespace tumi
