#include "uilib/controls/MTabCtrl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "uilib/controls/MTabLayout.h"
#include "uilib/core/PaintManager.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/RecordingTextSink.h"
#include "uilib/testing/SkinFixture.h"

namespace tumi {
namespace {

using testing::HeadlessUi;
using testing::Notification;
using testing::RecordingDialog;
using testing::SkinFixture;

constexpr int kFrameWidth = 40;
constexpr int kFrameHeight = 30;

// A dialog that also notes, for every notification, which pages were up.
class PageWatchingDialog : public RecordingDialog {
 public:
  long OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) override {
    std::vector<int> shown;
    for (MControl* page : pages) shown.push_back(page->IsVisible());
    pages_at_notification.push_back(shown);
    return RecordingDialog::OnMessage(id, code, wparam, lparam);
  }
  std::vector<MControl*> pages;
  std::vector<std::vector<int>> pages_at_notification;
};

class MTabCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(ui.SkinFile("icon"));
    ASSERT_TRUE(ui.AddStrip("icon/tab.png", kFrameWidth, kFrameHeight, 4));
    dialog.on_init = [this](RecordingDialog& d, const Rect&) {
      for (unsigned i = 0; i < 3; ++i) {
        dialog.pages.push_back(
            d.CreateControl("MTabLayout", 50 + i, Rect{200, 20, 600, 380}, {}, 0));
      }
      tabs = static_cast<MTabCtrl*>(d.CreateControl("MTabCtrl", 49, Rect{0, 0, 80, 400}));
    };
    dialog.Create(platform::kNoWindow, Rect{0, 0, 640, 400});
    id = dialog.GetSafeHwnd();
    dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ASSERT_NE(tabs, nullptr);
  }

  // The program's strip: a column of 80 x 80 tabs.
  void MakeVertical(int count) {
    tabs->SetTabType(MTabCtrl::kVertical);
    tabs->SetTabCtrlWidth(80);
    tabs->SetTabCtrlHeight(80);
    tabs->SetItemWidth(80, 0, 0);
    tabs->SetItemHeight(80, 0, 0);
    for (int i = 0; i < count; ++i) {
      MControl* page = i < 3 ? dialog.pages[i] : nullptr;
      tabs->InsertItem(10 + i, "Tab " + std::to_string(i), "icon\\tab.png", page, 4, 0);
    }
  }

  Argb Shown(Point p) { return ui.System().ShownPixel(id, {p.x, p.y}); }

  HeadlessUi ui;
  PageWatchingDialog dialog;
  WindowId id = platform::kNoWindow;
  MTabCtrl* tabs = nullptr;
};

TEST_F(MTabCtrlTest, VerticalItemsStackWithAGapAfterLayout) {
  MakeVertical(3);
  // Appended items follow each other directly; the layout adds 1-pixel gaps.
  EXPECT_EQ(tabs->GetItemInfo(1)->rect.top, 80);
  EXPECT_EQ(tabs->GetItemInfo(2)->rect.top, 160);
  tabs->RefreshItems();
  const int tops[] = {0, 81, 162};
  for (int i = 0; i < 3; ++i) {
    const TabItemInfo* item = tabs->GetItemInfo(i);
    EXPECT_EQ(item->rect, (Rect{0, tops[i], 80, tops[i] + 80})) << i;
    EXPECT_EQ(item->frame_width, kFrameWidth);
    EXPECT_EQ(item->frame_height, kFrameHeight);
    EXPECT_NE(item->image, nullptr);
  }
  // A hidden item leaves no room; padding moves the first one.
  tabs->SetTopBottomPading(5, 0);
  tabs->SetItemVisible(1, 0);
  EXPECT_TRUE(tabs->GetItemInfo(1)->rect.IsEmpty());
  EXPECT_EQ(tabs->GetItemInfo(0)->rect.top, 5);
  EXPECT_EQ(tabs->GetItemInfo(2)->rect.top, 86);
  EXPECT_EQ(tabs->GetItemVisible(1), 0);
  EXPECT_EQ(tabs->GetItemInfo(3), nullptr);
  EXPECT_EQ(tabs->GetItemID(2), 12u);
  EXPECT_EQ(tabs->GetItemID(-1), 0u);
}

TEST_F(MTabCtrlTest, ItemWidthSharesOutTheStrip) {
  struct Case {
    int items;
    int maximum;
    int minimum;
    int padding;
    int width;
  };
  const Case cases[] = {
      {4, 120, 40, 0, 75},   // 300 / 4
      {10, 120, 40, 0, 40},  // 30, held at the minimum
      {2, 120, 40, 0, 120},  // 150, held at the maximum
      {4, 120, 0, 0, 120},   // no minimum: every item is the maximum
      {4, 120, 40, 20, 70},  // (300 - 20 - 0) / 4
  };
  for (const Case& c : cases) {
    MTabCtrl strip(&dialog, 1, Rect{0, 0, 300, 40}, 1, 1);
    strip.SetTabCtrlWidth(300);
    strip.SetLeftRightPading(c.padding, 0);
    for (int i = 0; i < c.items; ++i) strip.InsertItem(i, "", "", nullptr, 1, 50);
    strip.SetItemWidth(c.maximum, c.minimum, 1);
    EXPECT_EQ(strip.GetItemWidth(), c.width) << c.items << " items";
    EXPECT_EQ(strip.GetItemInfo(1)->rect.left, c.padding + c.width);
    EXPECT_EQ(strip.GetItemInfo(1)->rect.Width(), c.width);
  }
}

TEST_F(MTabCtrlTest, SelectionIsToldBeforeThePagesSwitch) {
  MakeVertical(3);
  EXPECT_EQ(tabs->GetSelectItem(), -1);
  EXPECT_EQ(tabs->SetSelectItem(0), -1);
  EXPECT_EQ(tabs->SetSelectItem(2), 0);
  EXPECT_EQ(dialog.notifications, (std::vector<Notification>{{49, kNotifyActivated, 0, 0},
                                                             {49, kNotifyActivated, 2, 0}}));
  // Told while the old page was still the one up.
  EXPECT_EQ(dialog.pages_at_notification[1], (std::vector<int>{1, 0, 0}));
  EXPECT_EQ(dialog.pages[0]->IsVisible(), 0);
  EXPECT_EQ(dialog.pages[2]->IsVisible(), 1);
  // The current index and indexes outside the items change nothing.
  EXPECT_EQ(tabs->SetSelectItem(2), 2);
  EXPECT_EQ(tabs->SetSelectItem(3), 2);
  EXPECT_EQ(tabs->SetSelectItem(-1), 2);
  EXPECT_EQ(dialog.notifications.size(), 2u);
  // Hiding the strip hides its page; showing it brings the selected one back.
  tabs->SetVisible(0);
  EXPECT_EQ(dialog.pages[2]->IsVisible(), 0);
  tabs->SetVisible(1);
  EXPECT_EQ(dialog.pages[2]->IsVisible(), 1);
  EXPECT_EQ(dialog.pages[1]->IsVisible(), 0);
}

TEST_F(MTabCtrlTest, ClickingATabSelectsIt) {
  MakeVertical(3);
  tabs->SetSelectItem(0);
  tabs->RefreshItems();
  dialog.notifications.clear();
  ui.System().MovePointer(id, {40, 120});
  ui.Pump();
  EXPECT_EQ(tabs->GetHoverItem(), 1);
  // Resting on the tab: its title becomes the tooltip.
  ui.System().MovePointer(id, {41, 121});
  ui.Pump();
  EXPECT_EQ(dialog.GetPaintManager().GetTooltipText(), "Tab 1");
  EXPECT_EQ(dialog.GetPaintManager().GetTooltipOwner(), tabs);
  ui.System().Click(id, {40, 120});
  ui.Pump();
  EXPECT_EQ(tabs->GetSelectItem(), 1);
  EXPECT_EQ(dialog.notifications, (std::vector<Notification>{{49, kNotifyActivated, 1, 0}}));
  EXPECT_EQ(dialog.pages[1]->IsVisible(), 1);
  // The gap between two tabs and the strip below the last tab: only a tab
  // responds inside the tab area, so the gap lets the mouse through.
  EXPECT_EQ(tabs->OnCheckMouseResponse(0, {40, 80}), 0);
  EXPECT_EQ(tabs->OnCheckMouseResponse(0, {40, 100}), 1);
  EXPECT_EQ(tabs->OnCheckMouseResponse(0, {40, 300}), 0);
}

TEST_F(MTabCtrlTest, VerticalStripShowsEachItemInItsState) {
  testing::RecordingTextSink texts;
  MakeVertical(3);
  tabs->RefreshItems();
  tabs->SetSelectItem(2);
  ui.System().MovePointer(id, {40, 120});
  ui.Pump();
  // Icons centred in the 80 x 80 tab, 25 pixels of the height left for the
  // title: x 20 .. 60, y (80 - 30 - 25) / 2 = 12 .. 42.
  EXPECT_EQ(Shown({40, 20}), SkinFixture::StateColor(0));
  EXPECT_EQ(Shown({40, 81 + 20}), SkinFixture::StateColor(1));
  EXPECT_EQ(Shown({40, 162 + 20}), SkinFixture::StateColor(2));
  EXPECT_EQ(Shown({21, 12}), SkinFixture::StateColor(0));
  EXPECT_NE(Shown({19, 12}), SkinFixture::StateColor(0));
  // Titles in a 20-pixel line below the icon: white, and red when lit.
  const std::vector<DrawnText> drawn = texts.Texts();
  auto first = std::find_if(drawn.begin(), drawn.end(),
                            [](const DrawnText& t) { return t.text == "Tab 0"; });
  ASSERT_NE(first, drawn.end());
  EXPECT_EQ(first->box, (Rect{0, 30 + 15 + 3, 80, 30 + 15 + 3 + 20}));
  EXPECT_EQ(first->font.pixel_size, 13);
  bool white = false;
  bool red = false;
  for (const DrawnText& t : drawn) {
    if (t.text != "Tab 2") continue;
    white |= t.color == 0xFFFFFFFF;
    red |= t.color == 0xFFFF0000;
  }
  EXPECT_TRUE(white && red);
  // Hover and selection are slots of one picture: no rebuild.
  int builds = tabs->CacheBuildCount();
  ui.System().MovePointer(id, {40, 20});
  ui.Pump();
  EXPECT_EQ(Shown({40, 20}), SkinFixture::StateColor(1));
  EXPECT_EQ(Shown({40, 81 + 20}), SkinFixture::StateColor(0));
  EXPECT_EQ(tabs->CacheBuildCount(), builds);
}

TEST_F(MTabCtrlTest, HorizontalStripLightsHoveredAndSelectedIcons) {
  tabs->SetTabType(MTabCtrl::kHorizontal);
  tabs->SetTabCtrlWidth(240);
  tabs->SetTabCtrlHeight(50);
  tabs->SetItemWidth(80, 0, 0);
  for (int i = 0; i < 3; ++i) tabs->InsertItem(i, "", "icon/tab.png", dialog.pages[i], 4, 0);
  tabs->SetRect(Rect{0, 0, 240, 50});
  tabs->SetSelectItem(1);
  ui.Pump();
  // Centred in the 80-pixel item, 10 pixels below the top.
  EXPECT_EQ(Shown({20, 10}), SkinFixture::StateColor(0));
  EXPECT_EQ(Shown({100, 10}), SkinFixture::StateColor(1));
  EXPECT_EQ(Shown({200, 39}), SkinFixture::StateColor(0));
  EXPECT_NE(Shown({19, 10}), SkinFixture::StateColor(0));
}

TEST_F(MTabCtrlTest, SlideRunsInStepsOfATenthOfTheStrip) {
  struct Case {
    int from;
    int to;
    std::vector<int> offsets;
  };
  // The vertical strip of 80-pixel tabs slides over 80 pixels.
  const Case cases[] = {
      {0, 2, {8, 16, 24, 32, 40, 48, 56, 64, 72, 80}},
      {2, 1, {-8, -16, -24, -32, -40, -48, -56, -64, -72, -80}},
  };
  MakeVertical(3);
  tabs->RefreshItems();
  tabs->EnableAnimateChangeTab(1);
  for (const Case& c : cases) {
    tabs->SetSelectItem(c.from);
    while (tabs->IsSliding()) ui.Advance(MTabCtrl::kSlidePeriodMs);
    tabs->SetSelectItem(c.to);
    EXPECT_EQ(tabs->IsSliding(), 1);
    EXPECT_EQ(tabs->GetSlideOffset(), 0);
    std::vector<int> seen;
    while (tabs->IsSliding() && seen.size() < 20) {
      ui.Advance(MTabCtrl::kSlidePeriodMs);
      seen.push_back(tabs->GetSlideOffset());
    }
    EXPECT_EQ(seen, c.offsets) << c.from << " -> " << c.to;
    // The slide ends on the new page alone, and the timer with it.
    EXPECT_EQ(dialog.pages[c.to]->IsVisible(), 1);
    EXPECT_EQ(dialog.pages[c.from]->IsVisible(), 0);
    EXPECT_FALSE(
        ui.System().HasTimer(id, dialog.GetPaintManager().TimerIdOf(tabs, MTabCtrl::kSlideTimer)));
  }
}

TEST_F(MTabCtrlTest, SlideNeverLeavesTheNewPageHidden) {
  MakeVertical(3);
  tabs->RefreshItems();
  tabs->SetSelectItem(0);
  tabs->EnableAnimateChangeTab(1);
  // Hidden half way: the slide stops and the strip's pages go with it.
  tabs->SetSelectItem(1);
  ui.Advance(MTabCtrl::kSlidePeriodMs * 3);
  tabs->SetVisible(0);
  EXPECT_EQ(tabs->IsSliding(), 0);
  EXPECT_EQ(dialog.pages[1]->IsVisible(), 0);
  tabs->SetVisible(1);
  EXPECT_EQ(dialog.pages[1]->IsVisible(), 1);
  // A hidden strip does not slide: the new page is up at once.
  tabs->SetVisible(0);
  tabs->SetSelectItem(2);
  EXPECT_EQ(tabs->IsSliding(), 0);
  EXPECT_EQ(dialog.pages[2]->IsVisible(), 1);
  // Deleting an item mid-slide ends it on the selected page.
  tabs->SetVisible(1);
  tabs->SetSelectItem(0);
  ui.Advance(MTabCtrl::kSlidePeriodMs);
  tabs->DeleteItem(1);
  EXPECT_EQ(tabs->IsSliding(), 0);
  EXPECT_EQ(dialog.pages[0]->IsVisible(), 1);
  EXPECT_EQ(dialog.pages[2]->IsVisible(), 0);
}

TEST_F(MTabCtrlTest, SlideShowsBothPagesSideBySide) {
  // Each page shows a picture (the icon of a strip of its own).
  auto* out = static_cast<MTabLayout*>(dialog.pages[0]);
  auto* in = static_cast<MTabLayout*>(dialog.pages[1]);
  auto* block_out = out->CreateControl("MTabCtrl", 7, out->GetRect());
  auto* block_in = in->CreateControl("MTabCtrl", 8, in->GetRect());
  ASSERT_NE(block_out, nullptr);
  static_cast<MTabCtrl*>(block_out)->SetTabType(MTabCtrl::kHorizontal);
  static_cast<MTabCtrl*>(block_in)->SetTabType(MTabCtrl::kHorizontal);
  static_cast<MTabCtrl*>(block_out)->InsertItem(0, "", "icon/tab.png", nullptr, 1, 0);
  static_cast<MTabCtrl*>(block_in)->InsertItem(0, "", "icon/tab.png", nullptr, 4, 0);
  tabs->SetTabType(MTabCtrl::kHorizontal);
  tabs->SetTabCtrlWidth(400);
  tabs->SetTabCtrlHeight(20);
  tabs->InsertItem(0, "", "", out, 1, 40);
  tabs->InsertItem(1, "", "", in, 1, 40);
  tabs->SetSelectItem(0);
  tabs->EnableAnimateChangeTab(1);
  tabs->SetSelectItem(1);
  for (int i = 0; i < 5; ++i) ui.Advance(MTabCtrl::kSlidePeriodMs);
  EXPECT_EQ(tabs->GetSlideOffset(), 200);
  // Half way: the old page (a four-colour block at x 200 .. 360) has moved
  // 200 pixels left, out of the page area; the new page's icon (frame 0 at
  // its left edge) has come in as far as x 400.
  for (int x : {205, 245, 285, 325}) {
    for (int state = 0; state < 4; ++state) {
      EXPECT_NE(Shown({x, 35}), SkinFixture::StateColor(state)) << x;
    }
  }
  EXPECT_EQ(Shown({405, 35}), SkinFixture::StateColor(0));
  while (tabs->IsSliding()) ui.Advance(MTabCtrl::kSlidePeriodMs);
  EXPECT_EQ(Shown({205, 35}), SkinFixture::StateColor(0));
  EXPECT_NE(Shown({405, 35}), SkinFixture::StateColor(0));
}

TEST_F(MTabCtrlTest, DeletingItemsKeepsTheSelectionOnItsItem) {
  MakeVertical(3);
  MControl* own = tabs->CreatePanel("MTabLayout", 77, Rect{300, 0, 400, 100});
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->GetManager(), &dialog.GetPaintManager());
  EXPECT_EQ(tabs->CreatePanel("MButton", 78, Rect{}), nullptr);
  // What a control on the strip's own page reports reaches the dialog as is.
  MControl* button = static_cast<MTabLayout*>(own)->CreateArea("CArea", 79, Rect{});
  ASSERT_NE(button, nullptr);
  dialog.notifications.clear();
  button->SendMessageW(kNotifyPressed, 4, 5);
  EXPECT_EQ(dialog.notifications, (std::vector<Notification>{{79, kNotifyPressed, 4, 5}}));
  tabs->InsertItem(13, "Own", "icon/tab.png", own, 4, 0);
  tabs->SetSelectItem(2);
  tabs->DeleteItem(0);
  EXPECT_EQ(tabs->GetSelectItem(), 1);
  EXPECT_EQ(tabs->GetItemID(1), 12u);
  // The strip's own page goes with its item; the dialog's pages stay.
  EXPECT_EQ(tabs->GetControl(77), own);
  tabs->DeleteItem(2);
  EXPECT_EQ(tabs->GetControl(77), nullptr);
  tabs->DeleteItem(1);
  EXPECT_EQ(tabs->GetSelectItem(), 0);
  EXPECT_EQ(dialog.pages[1]->IsVisible(), 1);
  tabs->DeleteItem(5);
  EXPECT_EQ(tabs->GetItemCount(), 1);
}

TEST_F(MTabCtrlTest, MissingIconLeavesAnEmptyItem) {
  tabs->InsertItem(1, "Nothing", "icon/none.png", nullptr, -1, 0);
  const TabItemInfo* item = tabs->GetItemInfo(0);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->image, nullptr);
  EXPECT_EQ(item->frame_count, 3);
  EXPECT_EQ(item->frame_width, 0);
  EXPECT_EQ(tabs->SetItemText(0, "Renamed"), 1);
  EXPECT_EQ(tabs->SetItemText(1, "x"), 0);
  EXPECT_EQ(item->title, "Renamed");
  ui.Pump();
}

}  // namespace
}  // namespace tumi
