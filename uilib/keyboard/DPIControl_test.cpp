#include "uilib/keyboard/DPIControl.h"

#include <gtest/gtest.h>

#include "uilib/controls/CCheckButton.h"
#include "uilib/controls/CColorButton.h"
#include "uilib/core/PaintManager.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/RecordingTextSink.h"

namespace tumi {
namespace {

using testing::HeadlessUi;
using testing::Notification;
using testing::RecordingDialog;
using testing::RecordingTextSink;

class DPIControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog.on_init = [this](RecordingDialog& d, const Rect&) {
      for (int i = 0; i < 3; ++i) {
        stages[i] =
            static_cast<DPIControl*>(d.GetPaintManager().AddControl(std::make_unique<DPIControl>(
                &d, 40 + i, Rect::FromSize(10 + i * 110, 10, 100, 70), 1)));
      }
      stages[2]->SetGroupName("other");
    };
    dialog.Create(platform::kNoWindow, Rect{0, 0, 360, 100});
    window = dialog.GetSafeHwnd();
    dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ui.Pump();
  }

  HeadlessUi ui;
  RecordingTextSink texts;
  RecordingDialog dialog;
  WindowId window = platform::kNoWindow;
  DPIControl* stages[3] = {};
};

TEST_F(DPIControlTest, APressSelectsTheStageAndClearsItsGroup) {
  for (DPIControl* stage : stages) stage->SetCheck(1);
  ui.Pump();
  ui.System().MovePointer(window, {60, 20});
  ui.System().Click(window, {60, 20});
  ui.Pump();
  EXPECT_EQ(stages[0]->GetCheck(), 1);
  EXPECT_EQ(stages[1]->GetCheck(), 0);
  EXPECT_EQ(stages[2]->GetCheck(), 1);
  EXPECT_TRUE(dialog.notifications.empty());
  DPIControl orphan(nullptr, 1, Rect{}, 1);
  EXPECT_EQ(orphan.ResetGroupCheck(), 0);
}

TEST_F(DPIControlTest, ChildrenAndTheirNotifications) {
  DPIControl& stage = *stages[0];
  ASSERT_NE(stage.CheckBox(), nullptr);
  ASSERT_NE(stage.Swatch(), nullptr);
  EXPECT_EQ(stage.CheckBox()->GetRect(), (Rect{10, 40, 34, 80}));
  EXPECT_EQ(stage.Swatch()->GetRect(), (Rect{90, 45, 110, 75}));
  EXPECT_EQ(stage.CheckBox()->GetCheck(), 1);
  stage.SetColor(0x00FF00);
  EXPECT_EQ(stage.Swatch()->GetColor(), 0x00FF00u);
  stage.OnBaseMessage(DPIControl::kCheckBoxId, kNotifyActivated, 5, 6);
  stage.OnBaseMessage(DPIControl::kSwatchId, kNotifyPressed, 7, 8);
  stage.OnBaseMessage(1, kNotifyScrolled, 9, 0);
  EXPECT_EQ(dialog.notifications, (std::vector<Notification>{{40, kNotifyActivated, 0, 1},
                                                             {30, kNotifyActivated, 5, 6},
                                                             {40, kNotifyPressed, 0, 2},
                                                             {31, kNotifyPressed, 7, 8},
                                                             {1, kNotifyScrolled, 9, 0}}));
}

TEST_F(DPIControlTest, BothLooksAreCachedAndSelectingCopiesTheOther) {
  DPIControl& stage = *stages[1];
  stage.SetDPIValue(1600);
  ui.Pump();
  std::vector<Argb> colours;
  for (const DrawnText& t : texts.Texts()) {
    if (t.text == "1600") colours.push_back(t.color);
  }
  EXPECT_EQ(colours, (std::vector<Argb>{0xFFFFFFFF, DPIControl::kSelectedValueColor}));
  const int builds = stage.CacheBuildCount();
  stage.SetCheck(1);
  ui.Pump();
  EXPECT_EQ(stage.CacheBuildCount(), builds);
  EXPECT_EQ(stage.GetDPIValue(), 1600);
}

}  // namespace
}  // namespace tumi
