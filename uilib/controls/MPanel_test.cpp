#include "uilib/controls/MPanel.h"

#include <gtest/gtest.h>

#include <thread>

#include "uilib/controls/CScrollHorizontal.h"
#include "uilib/controls/CScrollVertical.h"
#include "uilib/controls/MTabLayout.h"
#include "uilib/core/PaintManager.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/SkinFixture.h"
#include "uilib/testing/StateButton.h"

namespace tumi {
namespace {

using testing::HeadlessUi;
using testing::Notification;
using testing::RecordingDialog;
using testing::SkinFixture;
using testing::StateButton;

constexpr Rect kPanelRect{20, 30, 220, 130};  // 200 x 100

class MPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ui.AddStrip("btn.png", 40, 20, 4));
    // Skin bar pictures: four columns for the vertical bar, four rows (each
    // three frames wide) for the horizontal one.
    ASSERT_TRUE(SkinFixture::WriteStrip(ui.SkinFile("img_scroll_v.png"), 7, 60, 4));
    ASSERT_TRUE(SkinFixture::WriteStrip(ui.SkinFile("img_scroll_h.png"), 60, 5, 4,
                                        StripOrientation::kVertical));
    dialog.on_init = [this](RecordingDialog& d, const Rect&) {
      if (skin_bars) d.SetScrollResID(0, 0);
      panel = static_cast<MPanel*>(
          d.GetPaintManager().AddControl(std::make_unique<MTabLayout>(&d, 60, kPanelRect, 1)));
      first = AddButton(61, Rect{30, 40, 70, 60});
      second = AddButton(62, Rect{50, 50, 90, 70});  // over `first`
    };
  }

  void Open() {
    dialog.Create(platform::kNoWindow, Rect{0, 0, 300, 200});
    id = dialog.GetSafeHwnd();
    dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ui.Pump();
  }

  StateButton* AddButton(unsigned control_id, const Rect& rect) {
    auto* button = static_cast<StateButton*>(
        panel->AddControl(std::make_unique<StateButton>(panel, control_id, rect, "")));
    button->SetImage("btn.png", 4);
    return button;
  }

  CScrollVertical* VBar() { return panel->VerticalBar(); }
  Argb Shown(Point p) { return ui.System().ShownPixel(id, {p.x, p.y}); }

  HeadlessUi ui;
  RecordingDialog dialog;
  WindowId id = platform::kNoWindow;
  bool skin_bars = false;
  MPanel* panel = nullptr;
  StateButton* first = nullptr;
  StateButton* second = nullptr;
};

TEST_F(MPanelTest, ANewPanelHasHiddenBarsAlongTheRightAndBottomEdges) {
  Open();
  std::vector<MControl*> children = panel->ChildrenSnapshot();
  ASSERT_GE(children.size(), 2u);
  EXPECT_EQ(children[0], panel->GetScrollVertical());
  EXPECT_EQ(children[1], panel->GetScrollHorizontal());
  EXPECT_EQ(children[0]->GetControlID(), 1u);
  EXPECT_EQ(children[1]->GetControlID(), 2u);
  EXPECT_EQ(children[0]->GetRect(), (Rect{213, 30, 220, 130}));
  EXPECT_EQ(children[1]->GetRect(), (Rect{20, 123, 220, 130}));
  EXPECT_EQ(children[0]->IsVisible(), 0);
  EXPECT_EQ(children[1]->IsVisible(), 0);
  EXPECT_EQ(panel->GetControl(62), second);
  EXPECT_EQ(panel->GetControl(999), nullptr);
  EXPECT_EQ(children[0]->GetManager(), &dialog.GetPaintManager());
}

TEST_F(MPanelTest, VirtualSizeShowsTheBarsAndShiftsTheContent) {
  Open();
  panel->SetVirtualHeight(300);
  panel->SetVirtualWidth(500);
  EXPECT_EQ(VBar()->IsVisible(), 1);
  EXPECT_EQ(panel->HorizontalBar()->IsVisible(), 1);
  EXPECT_EQ(VBar()->GetScrollMaxRange(), 300);
  // A wheel notch towards the user: position 10, (300 - 100) x 10 / 300 = 6.
  EXPECT_EQ(panel->OnControlScroll(1, 1, {100, 80}), 1);
  EXPECT_EQ(VBar()->GetScrollCurrentPos(), 10);
  EXPECT_EQ(panel->ContentOffsetY(), 6);
  panel->HorizontalBar()->SetScrollCurrentPos(250);
  EXPECT_EQ(panel->ContentOffsetX(), 150);  // (500 - 200) x 250 / 500
  Point p{100, 80};
  EXPECT_EQ(panel->OnMousePointChange(p), 1);
  EXPECT_EQ(p, (Point{250, 86}));
  // Away from the user, back to the top; at the top the wheel is still taken.
  EXPECT_EQ(panel->OnControlScroll(1, 0, {100, 80}), 1);
  EXPECT_EQ(panel->OnControlScroll(1, 0, {100, 80}), 1);
  EXPECT_EQ(VBar()->GetScrollCurrentPos(), 0);
  // Scrolling off: the points stay as they are.
  panel->SetEnableScroll(0);
  p = {100, 80};
  EXPECT_EQ(panel->OnMousePointChange(p), 0);
  EXPECT_EQ(panel->OnControlScroll(1, 1, {100, 80}), 0);
  panel->SetEnableScroll(1);
  // A move or resize resets the content size: bars hidden, wheel left alone.
  panel->SetRect(Rect{20, 30, 220, 140});
  EXPECT_EQ(panel->GetVirtualHeight(), 0);
  EXPECT_EQ(VBar()->IsVisible(), 0);
  EXPECT_EQ(VBar()->GetRect(), (Rect{213, 30, 220, 140}));
  EXPECT_EQ(panel->OnControlScroll(1, 1, {100, 80}), 0);
  // Content exactly as high as the panel still takes the wheel.
  panel->SetVirtualHeight(110);
  EXPECT_EQ(VBar()->IsVisible(), 0);
  EXPECT_EQ(panel->OnControlScroll(1, 1, {100, 80}), 1);
}

TEST_F(MPanelTest, OffsetsOfAnEmptyRangeAreZero) {
  Open();
  panel->SetVirtualHeight(300);
  VBar()->SetScrollMaxRange(0);
  EXPECT_EQ(panel->ContentOffsetY(), 0);
  EXPECT_EQ(panel->OnControlScroll(1, 1, {100, 80}), 1);
  EXPECT_EQ(VBar()->GetScrollCurrentPos(), 0);
}

TEST_F(MPanelTest, ChildRepaintsRebuildTheChildrenDrawnOverIt) {
  Open();
  ASSERT_EQ(first->GetUpdate(), 1);
  ASSERT_EQ(second->GetUpdate(), 1);
  second->UpdateControl(1, 0);
  EXPECT_EQ(second->GetUpdate(), 0);
  EXPECT_EQ(first->GetUpdate(), 1);  // below the requester: kept
  ui.Pump();
  first->UpdateControl(1, 0);
  EXPECT_EQ(first->GetUpdate(), 0);
  EXPECT_EQ(second->GetUpdate(), 0);  // above and overlapping: rebuilt
  ui.Pump();
  EXPECT_EQ(Shown({60, 55}), SkinFixture::StateColor(0));
  // From another thread (a child animated by the dialog timer) nothing is
  // touched there: the window applies the request on its own thread.
  int builds = first->CacheBuildCount();
  std::thread worker([this] { first->UpdateControl(1, 0); });
  worker.join();
  EXPECT_EQ(first->GetUpdate(), 1);
  ui.Pump();
  EXPECT_EQ(first->CacheBuildCount(), builds + 1);
}

TEST_F(MPanelTest, ChildNotificationsReachTheDialogUnchanged) {
  Open();
  ui.System().MovePointer(id, {35, 45});
  ui.System().Click(id, {35, 45});
  ui.Pump();
  EXPECT_EQ(dialog.notifications,
            (std::vector<Notification>{{61, kNotifyPressed, 0, 0}, {61, kNotifyActivated, 0, 0}}));
  // A bar's move arrives with the bar's id.
  dialog.notifications.clear();
  panel->SetVirtualHeight(400);
  VBar()->SetScrollSize(50, 0);
  ui.System().MovePointer(id, {216, 125});
  ui.System().Click(id, {216, 125});
  ui.Pump();
  ASSERT_EQ(dialog.notifications.size(), 1u);
  EXPECT_EQ(dialog.notifications[0].id, 1u);
  EXPECT_EQ(dialog.notifications[0].code, kNotifyScrolled);
  EXPECT_GT(VBar()->GetScrollCurrentPos(), 0);
}

TEST_F(MPanelTest, EnablingReachesEveryChild) {
  Open();
  panel->SetEnabled(0);
  EXPECT_EQ(first->IsEnabled(), 0);
  EXPECT_EQ(VBar()->IsEnabled(), 0);
  EXPECT_EQ(first->State(), 3);
  panel->SetEnabled(1);
  EXPECT_EQ(second->IsEnabled(), 1);
  EXPECT_EQ(first->State(), 0);
}

TEST_F(MPanelTest, CreatesChildrenAndAreasByClassName) {
  Open();
  MControl* area = panel->CreateArea("CArea", 70, Rect{20, 30, 40, 40});
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(panel->AreaSnapshot().back(), area);
  EXPECT_EQ(area->GetParantObject(), panel);
  MControl* page = panel->CreateControl("MTabLayout", 71, Rect{});
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(panel->ChildrenSnapshot().back(), page);
  EXPECT_EQ(page->GetManager(), &dialog.GetPaintManager());
  EXPECT_EQ(panel->GetControl(70), area);
  EXPECT_EQ(panel->CreateControl("NoSuchClass", 72, Rect{}), nullptr);
  EXPECT_EQ(panel->CreateControl("", 72, Rect{}), nullptr);
}

TEST_F(MPanelTest, PageLetsTheMouseThroughWhereItHasNoControl) {
  Open();
  EXPECT_EQ(panel->OnCheckMouseResponse(0, {35, 45}), 1);
  EXPECT_EQ(panel->OnCheckMouseResponse(0, {150, 100}), 0);
}

TEST_F(MPanelTest, BarsAreDrawnFromTheLibraryPictures) {
  Open();
  panel->SetVirtualHeight(300);
  ui.Pump();
  // The 50-pixel thumb at the top, the track below it; x 216 is the middle
  // of the 7-pixel bar.
  EXPECT_EQ(Shown({216, 50}), MakeArgb(255, 16, 168, 253));
  EXPECT_EQ(Shown({216, 110}), MakeArgb(255, 14, 42, 61));
}

TEST_F(MPanelTest, BarsAreDrawnFromTheSkinWhenTheWindowAsksForIt) {
  skin_bars = true;
  Open();
  panel->SetVirtualHeight(300);
  panel->SetVirtualWidth(400);
  ui.Pump();
  // Vertical: track from column 0, thumb from column 2 (column 1 hovered).
  EXPECT_EQ(Shown({216, 110}), SkinFixture::StateColor(0));
  EXPECT_EQ(Shown({216, 50}), SkinFixture::StateColor(2));
  ui.System().MovePointer(id, {216, 50});
  ui.Pump();
  EXPECT_EQ(VBar()->GetThumbState(), 1);
  EXPECT_EQ(Shown({216, 50}), SkinFixture::StateColor(1));
  // Horizontal: the thumb from row 1, hovered from row 2.
  EXPECT_EQ(Shown({40, 126}), SkinFixture::StateColor(1));
  ui.System().MovePointer(id, {40, 126});
  ui.Pump();
  EXPECT_EQ(Shown({40, 126}), SkinFixture::StateColor(2));
}

}  // namespace
}  // namespace tumi
