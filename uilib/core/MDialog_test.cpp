#include "uilib/core/MDialog.h"

#include <gtest/gtest.h>

#include <functional>

#include "uilib/core/Manager.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/StateButton.h"

namespace tumi {
namespace {

namespace msg = platform::msg;
namespace vk = platform::vk;
using testing::HeadlessUi;
using testing::RecordingDialog;

class MDialogTest : public ::testing::Test {
 protected:
  HeadlessUi ui;
};

TEST_F(MDialogTest, ModalLoopReturnsTheCloseResult) {
  struct Case {
    const char* name;
    std::function<void(RecordingDialog&)> close;
    unsigned result;
  };
  const Case cases[] = {
      {"DoOK", [](RecordingDialog& d) { d.DoOK(); }, 1},
      {"DoCancel", [](RecordingDialog& d) { d.DoCancel(); }, 2},
      {"DoClose", [](RecordingDialog& d) { d.DoClose(); }, 2},
      {"DoYes", [](RecordingDialog& d) { d.DoYes(); }, 6},
      {"DoNo", [](RecordingDialog& d) { d.DoNo(); }, 7},
      {"plain close", [](RecordingDialog& d) { d.PostMessageW(msg::kClose); }, 0},
  };
  RecordingDialog owner;
  owner.Create(platform::kNoWindow, Rect{0, 0, 800, 600});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingDialog dialog;
    ASSERT_NE(dialog.Create(owner.GetSafeHwnd(), Rect{10, 10, 310, 210}), platform::kNoWindow);
    WindowId id = dialog.GetSafeHwnd();
    c.close(dialog);
    EXPECT_EQ(dialog.ShowModal(), c.result);
    EXPECT_FALSE(ui.System().IsWindow(id));
    EXPECT_EQ(dialog.GetSafeHwnd(), platform::kNoWindow);
    EXPECT_EQ(dialog.close_count, 1);
    EXPECT_TRUE(ui.System().IsEnabled(owner.GetSafeHwnd()));
  }
}

TEST_F(MDialogTest, ModalLoopWithoutWindowAndOnQuitAndOnError) {
  RecordingDialog never_created;
  EXPECT_EQ(never_created.ShowModal(), MWindow::kNoModal);

  RecordingDialog owner;
  owner.Create(platform::kNoWindow);
  RecordingDialog dialog;
  dialog.Create(owner.GetSafeHwnd());
  ui.System().PostQuit(5);
  EXPECT_EQ(dialog.ShowModal(), 0u);
  EXPECT_TRUE(ui.System().IsEnabled(owner.GetSafeHwnd()));
  // The quit is left for the program's own loop.
  platform::Message m;
  EXPECT_EQ(ui.System().NextMessage(m, false), platform::Fetch::kQuit);
  EXPECT_EQ(m.wparam, 5u);

  // A failing display ends the loop instead of spinning.
  ui.System().FailNextWait();
  EXPECT_EQ(dialog.ShowModal(), 0u);
}

TEST_F(MDialogTest, ClassNameIsExact) {
  RecordingDialog dialog;
  EXPECT_EQ(dialog.IsClass("MDialog"), 1);
  EXPECT_EQ(dialog.IsClass("mdialog"), 0);
  EXPECT_EQ(dialog.IsClass("MDialo"), 0);
}

TEST_F(MDialogTest, EraseIsAnsweredAndAltF4IsConsumed) {
  RecordingDialog dialog;
  dialog.Create(platform::kNoWindow);
  dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
  ui.System().SetFocus(dialog.GetSafeHwnd());
  EXPECT_EQ(dialog.SendMessageW(msg::kEraseBackground), 1);

  ui.System().PressKey(vk::kMenu);
  ui.System().PressKey(vk::kF4);
  EXPECT_EQ(Manager::PreTranslateMessage(platform::Message{}), 1);
  ui.Pump();
  EXPECT_TRUE(ui.System().IsWindow(dialog.GetSafeHwnd()));
  EXPECT_EQ(dialog.SendMessageW(msg::kSysKeyDown, vk::kF4), 1);
  // The desktop's own close shortcut.
  ui.System().RequestClose(dialog.GetSafeHwnd());
  ui.Pump();
  EXPECT_TRUE(ui.System().IsWindow(dialog.GetSafeHwnd()));
  ui.System().ReleaseKey(vk::kF4);
  ui.System().ReleaseKey(vk::kMenu);
  EXPECT_EQ(Manager::PreTranslateMessage(platform::Message{}), 0);
  EXPECT_TRUE(ui.System().IsWindow(dialog.GetSafeHwnd()));
}

TEST_F(MDialogTest, CenterWindowKeepsTheWindowInTheWorkArea) {
  ui.System().SetScreen({1280, 720}, platform::Rect{0, 0, 1280, 680});
  struct Case {
    const char* name;
    Rect owner;  // empty: no owner
    Rect window;
    Rect expected;
  };
  const Case cases[] = {
      {"no owner: work area centre", {}, {0, 0, 400, 300}, {440, 190, 840, 490}},
      {"over the owner", {100, 100, 500, 400}, {0, 0, 200, 100}, {200, 200, 400, 300}},
      {"pulled in at the right", {1000, 100, 1280, 300}, {0, 0, 600, 100}, {680, 150, 1280, 250}},
      {"larger than the area", {}, {0, 0, 1400, 800}, {0, 0, 1400, 800}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingDialog owner;
    WindowId owner_id = platform::kNoWindow;
    if (!c.owner.IsEmpty()) {
      owner_id = owner.Create(platform::kNoWindow, c.owner);
      owner.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    }
    RecordingDialog dialog;
    dialog.Create(owner_id, c.window);
    dialog.CenterWindow();
    EXPECT_EQ(dialog.GetWindowRect(), c.expected);
  }
}

TEST_F(MDialogTest, DefaultStatusBoxAndBubblePoint) {
  RecordingDialog dialog;
  dialog.on_init = [](RecordingDialog& d, const Rect&) {
    d.GetPaintManager().AddControl(
        std::make_unique<testing::StateButton>(&d, 7, Rect{100, 50, 181, 80}, "x"));
  };
  dialog.Create(platform::kNoWindow, Rect{10, 20, 1290, 740});
  dialog.SetMessage("Saved");
  EXPECT_EQ(dialog.GetPaintManager().GetMessageBox(), (Rect{540, 660, 740, 718}));
  dialog.SetMessageOffset(-10);
  EXPECT_EQ(dialog.DefaultMessageBox(), (Rect{540, 650, 740, 708}));

  MControl* control = dialog.GetControl(7);
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(dialog.GetAirBladderPoint(control, kBubbleLeft), (Point{110, 100}));
  EXPECT_EQ(dialog.GetAirBladderPoint(control, kBubbleCentre), (Point{150, 100}));
  EXPECT_EQ(dialog.GetAirBladderPoint(control, kBubbleRight), (Point{191, 100}));
  EXPECT_EQ(dialog.GetAirBladderPoint(nullptr, kBubbleCentre), (Point{0, 0}));
  EXPECT_EQ(dialog.SetAirBladderMsg("tip", Point{0, 100}, kBubbleCentre), 0);
  EXPECT_EQ(dialog.SetAirBladderMsg("tip", Point{150, 100}, kBubbleCentre), 1);
  EXPECT_EQ(dialog.GetPaintManager().LastBubble().point, (Point{150, 100}));
}

TEST_F(MDialogTest, DestroyingTheWindowFreesTheControls) {
  RecordingDialog dialog;
  dialog.on_init = [](RecordingDialog& d, const Rect&) {
    d.CreateArea("CArea", 3, Rect{0, 0, 50, 50});
  };
  dialog.Create(platform::kNoWindow);
  ASSERT_NE(dialog.GetControl(3), nullptr);
  dialog.DestroyWindow();
  EXPECT_EQ(dialog.GetControl(3), nullptr);
  // The object outlives its window and can make a new one.
  EXPECT_NE(dialog.Create(platform::kNoWindow), platform::kNoWindow);
  EXPECT_NE(dialog.GetControl(3), nullptr);
}

}  // namespace
}  // namespace tumi
