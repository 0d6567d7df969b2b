// The label and the edit field on a real X server with the real skin: typing
// goes through the X server, the window system's text input and the field.
// Saved as a screenshot in the build folder. Skipped without Xvfb.
#include <gtest/gtest.h>

#include "uilib/controls/MEdit.h"
#include "uilib/controls/MText.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/XvfbUi.h"

namespace tumi {
namespace {

using testing::RecordingDialog;
using testing::XvfbUi;
using Codes = std::vector<unsigned>;

TEST(TextDisplayTest, TypingIntoAnEditOnTheRealDisplay) {
  if (!XvfbUi::Available()) GTEST_SKIP() << "Xvfb is not installed";
  XvfbUi ui(XvfbUi::Skin::kProgram);
  ASSERT_TRUE(ui.Started()) << ui.Why();

  RecordingDialog dialog;
  ASSERT_NE(dialog.Create(platform::kNoWindow, Rect{0, 0, 400, 200}), platform::kNoWindow);
  ASSERT_EQ(dialog.LoadBKImage("main_bkg.png"), 1);
  auto* label = static_cast<MText*>(dialog.GetPaintManager().AddControl(
      std::make_unique<MText>(&dialog, 1, Rect{20, 20, 380, 44}, "Press Fn to switch")));
  label->SetMarkText("Fn");
  auto* edit = static_cast<MEdit*>(dialog.GetPaintManager().AddControl(
      std::make_unique<MEdit>(&dialog, 2, Rect{20, 60, 140, 92}, "")));
  ASSERT_EQ(edit->SetImage("img_edit.png", 4), 1);
  edit->SetTipInfo("Red");
  edit->SetNumberOnly(1);
  edit->SetLimitText(3);
  dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
  const WindowId window = dialog.GetSafeHwnd();
  ui.PumpUntil([&] { return ui.System().IsVisible(window); });

  ASSERT_TRUE(ui.Click(window, {80, 76}));
  ASSERT_TRUE(ui.PumpUntil([&] { return edit->IsEditFocused(); }));
  for (const char* key : {"1", "a", "2", "5", "5"}) ASSERT_TRUE(ui.TapKey(key));
  ASSERT_TRUE(ui.PumpUntil([&] { return edit->GetEditText() == "125"; })) << edit->GetEditText();
  // The editing frame's fill (#061835) lies behind the typed digits.
  EXPECT_EQ(ui.WaitForPixel(window, {130, 66}, 0x061835), 0x061835u);
  EXPECT_FALSE(ui.SaveScreenshot(window, "text_controls").empty());
  ASSERT_TRUE(ui.Click(window, {300, 150}));
  ASSERT_TRUE(ui.PumpUntil([&] { return !edit->IsEditFocused(); }));
  EXPECT_EQ(dialog.CodesFrom(2),
            (Codes{kNotifyEditStarted, kNotifyPressed, kNotifyActivated, kNotifyTextChanged,
                   kNotifyTextChanged, kNotifyTextChanged, kNotifyEditEnded}));
}

}  // namespace
}  // namespace tumi
