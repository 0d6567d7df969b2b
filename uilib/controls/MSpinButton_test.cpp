#include "uilib/controls/MSpinButton.h"

#include <gtest/gtest.h>

#include "platform/window/VirtualKeys.h"
#include "uilib/controls/CColorButton.h"
#include "uilib/controls/CColorSelect.h"
#include "uilib/controls/ControlTestWindow.h"
#include "uilib/testing/RecordingTextSink.h"

namespace tumi {
namespace {

namespace vk = platform::vk;
using testing::ControlTestWindow;
using testing::Notification;
using testing::RecordingTextSink;

constexpr Rect kSpin{20, 20, 80, 44};

TEST(MSpinButtonTest, ButtonsStepAndWrap) {
  ControlTestWindow w;
  ASSERT_TRUE(w.ui.AddStrip("img_spin_up.png", 16, 12, 4));
  ASSERT_TRUE(w.ui.AddStrip("img_spin_down.png", 16, 12, 4));
  auto* spin = w.Add<MSpinButton>(654, kSpin);
  // At the right edge, 4 pixels in, meeting at the middle.
  EXPECT_EQ(spin->GetControl(MSpinButton::kUpButtonId)->GetRect(), (Rect{60, 20, 76, 32}));
  EXPECT_EQ(spin->GetControl(MSpinButton::kDownButtonId)->GetRect(), (Rect{60, 32, 76, 44}));
  spin->SetCurValue(100);
  w.Click({65, 25});
  EXPECT_EQ(spin->GetCurValue(), 1);
  w.Click({65, 38});
  EXPECT_EQ(spin->GetCurValue(), 100);
  EXPECT_EQ(w.dialog.CodesFrom(654),
            (std::vector<unsigned>{kNotifySpinChanged, kNotifySpinChanged}));
}

TEST(MSpinButtonTest, TypedDigitsAppendWrapAndStartOver) {
  struct Case {
    int minimum;
    int maximum;
    int start;
    std::vector<int> keys;
    int value;
  };
  const Case cases[] = {
      {1, 100, 1, {'2'}, 12},
      {1, 100, 1, {'2', '5'}, 1},             // 125 lies above the maximum
      {1, 9999, 125, {vk::kNumpad0 + 7}, 7},  // "1257" is longer than 3 digits
      {1, 100, 57, {vk::kBack}, 5},
      {1, 100, 5, {vk::kBack}, 0},
      {1, 100, 50, {vk::kUp, vk::kAdd, vk::kSubtract}, 51},
      {1, 100, 1, {vk::kDown}, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.start << " keys " << c.keys.size());
    ControlTestWindow w;
    auto* spin = w.Add<MSpinButton>(654, kSpin);
    spin->SetRange(c.minimum, c.maximum);
    spin->SetCurValue(c.start);
    w.Click({25, 30});  // takes the focus
    for (int key : c.keys) w.Key(key);
    EXPECT_EQ(spin->GetCurValue(), c.value);
    EXPECT_EQ(w.dialog.CodesFrom(654).size(), c.keys.size());
  }
}

TEST(MSpinButtonTest, ShowsTheValueWithABandWhileFocused) {
  RecordingTextSink texts;
  ControlTestWindow w;
  auto* spin = w.Add<MSpinButton>(654, kSpin);
  spin->SetCurValue(42);
  texts.Clear();
  w.Show();
  // Slot 0 in the text colour, ..., slot 3 (disabled) in grey.
  auto drawn = texts.Texts();
  ASSERT_EQ(drawn.size(), 4u);
  EXPECT_EQ(drawn.front().text, "42");
  EXPECT_EQ(drawn.front().color, 0xFE050505u);
  EXPECT_EQ(drawn.back().color, 0xFF808080u);
  Argb before = w.Shown({40, 32});
  w.Click({25, 30});
  EXPECT_NE(w.Shown({26, 26}), before);
  w.Key(vk::kLeft);
  EXPECT_TRUE(w.dialog.notifications.empty());
}

TEST(CColorSelectTest, PickingASwatchReportsItsIndexAndColour) {
  ControlTestWindow w;
  auto* select = w.Add<CColorSelect>(700, Rect{10, 10, 40, 190});
  auto* first = static_cast<CColorButton*>(select->GetControl(631));
  w.Click({25, 20});
  EXPECT_EQ(first->GetCheck(), 1);
  w.dialog.notifications.clear();
  // The third swatch (blue) sits at y 10 + 5 + 50; its siblings in the panel
  // are its group.
  w.Click({25, 70});
  EXPECT_EQ(first->GetCheck(), 0);
  EXPECT_EQ(select->GetSelectColor(), 0xFF0000u);
  EXPECT_EQ(w.dialog.notifications,
            (std::vector<Notification>{{633, kNotifyPressed, 0, 0},
                                       {700, kNotifyColorPicked, 2, 0xFF0000},
                                       {633, kNotifyActivated, 0, 0}}));
  EXPECT_TRUE(select->SetColorIndex(6));
  EXPECT_EQ(select->GetSelectColor(), 0xFFFFFFu);
  EXPECT_FALSE(select->SetColorIndex(7));
  EXPECT_EQ(w.Shown({15, 165}), 0xFFEBEBEBu);  // the white swatch's border
}

}  // namespace
}  // namespace tumi
