#include "uilib/core/PaintManager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <set>
#include <thread>

#include "uilib/core/TooltipWnd.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/RecordingTextSink.h"
#include "uilib/testing/SkinFixture.h"
#include "uilib/testing/StateButton.h"

namespace tumi {
namespace {

namespace msg = platform::msg;
namespace vk = platform::vk;
using testing::HeadlessUi;
using testing::Notification;
using testing::RecordingDialog;
using testing::SkinFixture;
using testing::StateButton;

// A button that also records wheel turns and can remove a control when it
// is clicked.
class ProbeButton : public StateButton {
 public:
  using StateButton::StateButton;
  int OnControlScroll(int kind, int direction, Point) override {
    scrolls.push_back({kind, direction});
    return accept_scroll;
  }
  int OnControlLButtonUp(unsigned flags, Point p) override {
    int r = StateButton::OnControlLButtonUp(flags, p);
    if (on_click) on_click();
    return r;
  }
  int OnControlTimer() override {
    StateButton::OnControlTimer();
    if (on_tick) on_tick();
    return 1;
  }
  std::vector<std::pair<int, int>> scrolls;
  int accept_scroll = 1;
  std::function<void()> on_tick;
  std::function<void()> on_click;
};

class PaintManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ui.AddStrip("btn.png", 80, 30, 4));
    dialog.on_init = [this](RecordingDialog& d, const Rect&) {
      a = Add(d, 10, Rect{20, 20, 100, 50});
      b = Add(d, 11, Rect{200, 20, 280, 50});
      // Overlaps b; later in the list, so on top.
      c = Add(d, 12, Rect{240, 20, 320, 50});
    };
    dialog.Create(platform::kNoWindow, Rect{0, 0, 400, 300});
    id = dialog.GetSafeHwnd();
    dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ui.Pump();
  }

  ProbeButton* Add(RecordingDialog& d, unsigned control_id, const Rect& rect) {
    auto* button = static_cast<ProbeButton*>(
        d.GetPaintManager().AddControl(std::make_unique<ProbeButton>(&d, control_id, rect, "")));
    button->SetImage("btn.png", 4);
    return button;
  }

  PaintManager& pm() { return dialog.GetPaintManager(); }
  Argb Shown(Point p) { return ui.System().ShownPixel(id, {p.x, p.y}); }
  void Move(Point p) {
    ui.System().MovePointer(id, {p.x, p.y});
    ui.Pump();
  }

  HeadlessUi ui;
  RecordingDialog dialog;
  WindowId id = platform::kNoWindow;
  ProbeButton* a = nullptr;
  ProbeButton* b = nullptr;
  ProbeButton* c = nullptr;
};

TEST_F(PaintManagerTest, HoverPressAndReleaseReachTheDialog) {
  EXPECT_EQ(Shown({30, 30}), SkinFixture::StateColor(0));
  Move({30, 30});
  EXPECT_EQ(pm().GetHoverControl(), a);
  EXPECT_EQ(a->State(), 1);
  ui.System().PressButton(id, platform::MouseButton::kLeft, {30, 30});
  ui.Pump();
  EXPECT_EQ(Shown({30, 30}), SkinFixture::StateColor(2));
  EXPECT_EQ(pm().GetFocusControl(), a);
  ui.System().ReleaseButton(id, platform::MouseButton::kLeft, {30, 30});
  ui.Pump();
  EXPECT_EQ(dialog.notifications,
            (std::vector<Notification>{{10, kNotifyPressed, 0, 0}, {10, kNotifyActivated, 0, 0}}));
  // Released outside: pressed, but no click.
  dialog.notifications.clear();
  ui.System().PressButton(id, platform::MouseButton::kLeft, {30, 30});
  ui.System().MovePointer(id, {150, 150});
  ui.System().ReleaseButton(id, platform::MouseButton::kLeft, {150, 150});
  ui.Pump();
  EXPECT_EQ(dialog.CodesFrom(10), (std::vector<unsigned>{kNotifyPressed}));
}

TEST_F(PaintManagerTest, HoverCopiesAnotherSlotWithoutRebuilding) {
  int builds = a->CacheBuildCount();
  EXPECT_EQ(builds, 1);
  Move({30, 30});
  EXPECT_EQ(Shown({30, 30}), SkinFixture::StateColor(1));
  Move({150, 150});
  EXPECT_EQ(Shown({30, 30}), SkinFixture::StateColor(0));
  EXPECT_EQ(a->CacheBuildCount(), builds);
  // A new title rebuilds the picture.
  a->SetTitle("OK");
  ui.Pump();
  EXPECT_EQ(a->CacheBuildCount(), builds + 1);
}

TEST_F(PaintManagerTest, TopmostOverlapHoversAndPressedHoverStays) {
  Move({250, 30});
  EXPECT_EQ(pm().GetHoverControl(), c);
  Move({30, 30});
  ASSERT_EQ(pm().GetHoverControl(), a);
  ui.System().PressButton(id, platform::MouseButton::kLeft, {30, 30});
  ui.System().MovePointer(id, {210, 30});
  ui.Pump();
  EXPECT_EQ(pm().GetHoverControl(), a);
  ui.System().ReleaseButton(id, platform::MouseButton::kLeft, {210, 30});
  ui.Pump();
}

TEST_F(PaintManagerTest, PressOnEmptyAreaDragsTheWindowUnlessDisabled) {
  for (int drag : {1, 0}) {
    SCOPED_TRACE(drag);
    pm().EnableWndDrag(drag);
    Rect before = dialog.GetWindowRect();
    ui.System().PressButton(id, platform::MouseButton::kLeft, {150, 150});
    ui.Pump();
    ui.System().MovePointer(id, {170, 160});
    ui.System().ReleaseButton(id, platform::MouseButton::kLeft, {170, 160});
    ui.Pump();
    Rect after = dialog.GetWindowRect();
    EXPECT_EQ(after != before, drag == 1);
  }
}

TEST_F(PaintManagerTest, WheelStepsGoToTheHoverControl) {
  Move({30, 30});
  platform::Point screen = ui.System().ClientToScreen(id, {30, 30});
  ui.System().Wheel(id, 60, {30, 30});
  ui.Pump();
  EXPECT_TRUE(a->scrolls.empty());
  ui.System().Wheel(id, -240, {30, 30});
  ui.Pump();
  EXPECT_EQ(a->scrolls, (std::vector<std::pair<int, int>>{{1, 1}, {1, 1}}));
  EXPECT_EQ(pm().OnWindowMessage(msg::kMouseWheel, platform::PackWords(0, 120),
                                 platform::PackPoint(screen)),
            1);
  EXPECT_EQ(a->scrolls.back(), (std::pair<int, int>{1, 0}));
}

TEST_F(PaintManagerTest, TabMovesTheFocusAmongTabStops) {
  for (MControl* control :
       {static_cast<MControl*>(a), static_cast<MControl*>(b), static_cast<MControl*>(c)}) {
    control->SetTabStop(1);
  }
  b->SetVisible(0);
  auto tab = [this] { return pm().PreTranslateMessage({id, msg::kKeyDown, vk::kTab, 0}); };
  EXPECT_EQ(tab(), 1);
  EXPECT_EQ(pm().GetFocusControl(), a);
  EXPECT_EQ(tab(), 1);
  EXPECT_EQ(pm().GetFocusControl(), c);  // b is hidden
  EXPECT_EQ(tab(), 1);
  EXPECT_EQ(pm().GetFocusControl(), a);  // wraps
  ui.System().SetFocus(id);
  ui.System().PressKey(vk::kShift);
  EXPECT_EQ(tab(), 1);
  EXPECT_EQ(pm().GetFocusControl(), c);  // backwards, wrapping
  ui.System().ReleaseKey(vk::kShift);
  ui.System().PressKey(vk::kControl);
  EXPECT_EQ(tab(), 0);
  EXPECT_EQ(pm().GetFocusControl(), c);
  ui.System().ReleaseKey(vk::kControl);
}

TEST_F(PaintManagerTest, StatusMessageHoldsThenFadesIn24Steps) {
  dialog.SetMessage("Saved");
  EXPECT_EQ(pm().GetMessageAlpha(), 255);
  ui.Advance(2999);
  EXPECT_EQ(pm().GetMessageAlpha(), 255);
  ui.Advance(1);
  int steps = 0;
  while (pm().GetMessageAlpha() > 0 && steps < 100) {
    ui.Advance(50);
    ++steps;
  }
  EXPECT_EQ(steps, 24);
  EXPECT_FALSE(ui.System().HasTimer(id, kTimerMessageFade));
}

TEST_F(PaintManagerTest, ProgressStepsStopAtAnOddTargetAndEndInAFade) {
  testing::RecordingTextSink texts;
  dialog.SetProgress(51, "Updating");
  EXPECT_EQ(pm().GetShownProgress(), 0);
  std::vector<int> shown;
  for (int i = 0; i < 40 && ui.System().HasTimer(id, kTimerProgress); ++i) {
    ui.Advance(10);
    shown.push_back(pm().GetShownProgress());
  }
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.front(), 2);
  EXPECT_EQ(shown.back(), 51);
  EXPECT_EQ(shown.size(), 26u);
  EXPECT_FALSE(ui.System().HasTimer(id, kTimerProgress));
  EXPECT_TRUE(texts.Find("Updating").has_value());

  dialog.SetProgress(100, "Done");
  while (ui.System().HasTimer(id, kTimerProgress)) ui.Advance(10);
  EXPECT_EQ(pm().GetShownProgress(), 100);
  EXPECT_TRUE(ui.System().HasTimer(id, kTimerMessageFade));
}

TEST_F(PaintManagerTest, ControlTimerIdsNeverCollide) {
  EXPECT_EQ(pm().SetTimer(a, 1, 100), 1);
  EXPECT_EQ(pm().TimerIdOf(a, 1), 17u);
  EXPECT_EQ(pm().SetTimer(a, 1, 100), 0);  // already running
  std::set<std::uintptr_t> ids{17};
  int on_b = 0;
  // 236 ids: 1 to 239 without the three the status box uses.
  for (unsigned key = 2; key <= 236; ++key) {
    on_b += key % 2 ? 0 : 1;
    ASSERT_EQ(pm().SetTimer(key % 2 ? a : b, key, 100), 1) << key;
    std::uintptr_t timer = pm().TimerIdOf(key % 2 ? a : b, key);
    EXPECT_TRUE(ids.insert(timer).second) << "id " << timer << " taken twice";
  }
  for (std::uintptr_t reserved : {0u, 66u, 88u, 99u}) EXPECT_EQ(ids.count(reserved), 0u);
  // Every id below 240 but the reserved ones is live now.
  EXPECT_EQ(pm().SetTimer(c, 1, 100), 0);
  EXPECT_EQ(pm().KillTimer(b), on_b);
  EXPECT_EQ(pm().SetTimer(c, 1, 100), 1);
  // Its ticks run the control's timer work.
  ui.System().FireTimer(id, pm().TimerIdOf(c, 1));
  ui.Pump();
  EXPECT_EQ(c->timer_ticks.load(), 1);
  // A killed timer comes back under its old id.
  std::uintptr_t old = pm().TimerIdOf(a, 1);
  EXPECT_EQ(pm().KillTimer(a, 1), 1);
  EXPECT_EQ(pm().SetTimer(a, 1, 50), 1);
  EXPECT_EQ(pm().TimerIdOf(a, 1), old);
}

TEST_F(PaintManagerTest, RemovingAControlDropsEveryReferenceToIt) {
  auto* child = a->AddControl(std::make_unique<StateButton>(a, 40, Rect{25, 25, 40, 40}, ""));
  child->SetRunTimer(1);
  pm().AddMTimer(child);
  a->SetRunTimer(1);
  pm().AddMTimer(a);
  ASSERT_NE(pm().SetMTimer(10), 0);
  pm().SetTimer(a, 1, 100);
  pm().SetTimer(child, 2, 100);
  Move({30, 30});
  ui.System().PressButton(id, platform::MouseButton::kLeft, {30, 30});
  ui.System().ReleaseButton(id, platform::MouseButton::kLeft, {30, 30});
  ui.Pump();
  a->SetTooltip("tip", a->GetRect());
  pm().SetCaretPos(child, 26, 26, 0xFFFFFFFF);
  ASSERT_EQ(pm().GetHoverControl(), a);
  // The press went to the child, which took the focus.
  ASSERT_EQ(pm().GetFocusControl(), child);

  EXPECT_EQ(pm().RemoveControl(a), 1);
  EXPECT_EQ(pm().GetHoverControl(), nullptr);
  EXPECT_EQ(pm().GetFocusControl(), nullptr);
  EXPECT_EQ(pm().GetTooltipOwner(), nullptr);
  EXPECT_EQ(pm().GetCurrentCaretObject(), nullptr);
  EXPECT_EQ(pm().GetControl(40), nullptr);
  EXPECT_EQ(pm().DeleteQelTimer(a), 0);
  EXPECT_EQ(pm().DeleteQelTimer(child), 0);
  // Ticks and messages after the removal touch nothing that was freed.
  ui.System().FireDialogTimers();
  ui.Advance(200);
  Move({35, 35});
  ui.System().Click(id, {35, 35});
  ui.Pump();
}

TEST_F(PaintManagerTest, AControlCanRemoveItselfWhileItsClickIsDispatched) {
  a->on_click = [this] { pm().RemoveControl(a); };
  Move({30, 30});
  ui.System().Click(id, {30, 30});
  ui.Pump();
  EXPECT_EQ(pm().GetControl(10), nullptr);
  EXPECT_EQ(dialog.CodesFrom(10), (std::vector<unsigned>{kNotifyPressed, kNotifyActivated}));
}

TEST_F(PaintManagerTest, RepaintRequestsFromOtherThreadsAreHandledOnTheUiThread) {
  int builds = a->CacheBuildCount();
  int presents = ui.System().PresentCount(id);
  std::thread worker([this] {
    for (int i = 0; i < 50; ++i) a->UpdateControl(1, 0);
  });
  worker.join();
  EXPECT_EQ(a->CacheBuildCount(), builds);  // nothing touched off the UI thread
  ui.Pump();
  EXPECT_EQ(a->CacheBuildCount(), builds + 1);
  EXPECT_GT(ui.System().PresentCount(id), presents);
}

TEST_F(PaintManagerTest, RemovalWaitsForADialogTimerTickInFlight) {
  // Ticks from the timer's own thread, with repaint requests, while the UI
  // thread takes the ticking controls out.
  for (ProbeButton* button : {a, b, c}) {
    button->SetRunTimer(1);
    button->on_tick = [button] { button->UpdateControl(1, 0); };
    pm().AddMTimer(button);
  }
  int timer = pm().SetMTimer(10);
  ASSERT_NE(timer, 0);
  std::atomic<bool> stop{false};
  std::thread ticker([&] {
    while (!stop) {
      pm().OnMTimer(timer);
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
  });
  while (c->timer_ticks == 0) std::this_thread::yield();
  pm().RemoveControl(a);
  ui.Pump();
  pm().RemoveControl(c);
  pm().RemoveControl(b);
  stop = true;
  ticker.join();
  ui.Pump();
  EXPECT_TRUE(pm().ControlsSnapshot().empty());
}

TEST_F(PaintManagerTest, DialogTimerDrivesVisibleRegisteredControls) {
  a->SetRunTimer(1);
  pm().AddMTimer(a);
  b->SetRunTimer(1);
  b->SetVisible(0);
  pm().AddMTimer(b);
  c->SetRunTimer(0);
  pm().AddMTimer(c);
  ASSERT_NE(pm().SetMTimer(10), 0);
  ui.System().FireDialogTimers();
  EXPECT_EQ(a->timer_ticks.load(), 1);
  EXPECT_EQ(b->timer_ticks.load(), 0);
  EXPECT_EQ(c->timer_ticks.load(), 0);
  pm().KillMTimer();
  EXPECT_EQ(ui.System().FireDialogTimers(), 0);
}

TEST_F(PaintManagerTest, TooltipShowsAfterItsDelayAndHidesOnAPress) {
  testing::RecordingTextSink texts;
  a->SetTooltip("Apply the profile");
  Move({30, 30});
  Move({31, 30});
  EXPECT_EQ(pm().GetTooltipOwner(), a);
  ASSERT_EQ(pm().GetTooltipWindow(), nullptr);
  ui.Advance(kTooltipDelayMs - 1);
  EXPECT_EQ(pm().GetTooltipWindow(), nullptr);
  ui.Advance(1);
  TooltipWnd* tip = pm().GetTooltipWindow();
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(tip->IsShown());
  EXPECT_EQ(tip->Text(), "Apply the profile");
  ui.Pump();
  EXPECT_TRUE(texts.Find("Apply the profile").has_value());
  pm().PreTranslateMessage({id, msg::kLButtonDown, 0, 0});
  EXPECT_FALSE(tip->IsShown());
  // Leaving the control clears it.
  Move({150, 150});
  EXPECT_EQ(pm().GetTooltipOwner(), nullptr);
}

TEST_F(PaintManagerTest, PaintWithoutDamageAnswersZero) {
  EXPECT_EQ(pm().Paint(), 0);
  EXPECT_EQ(pm().OnWindowMessage(msg::kPaint, 0, 0), 0);
}

TEST_F(PaintManagerTest, CoveredControlsAboveARepaintAreRedrawn) {
  int b_builds = b->CacheBuildCount();
  int c_builds = c->CacheBuildCount();
  c->UpdateControl(1, 0);
  ui.Pump();
  EXPECT_EQ(b->CacheBuildCount(), b_builds);  // below c: kept
  b->UpdateControl(1, 0);
  ui.Pump();
  EXPECT_EQ(c->CacheBuildCount(), c_builds + 2);  // above b: redrawn over it
}

}  // namespace
}  // namespace tumi
