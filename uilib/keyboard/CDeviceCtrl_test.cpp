#include "uilib/keyboard/CDeviceCtrl.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

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
using testing::RecordingTextSink;
using testing::SkinFixture;

constexpr unsigned kId = 56;

class DeviceCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ui.AddStrip("rows.png", 60, 38, 2));
    dialog.on_init = [this](RecordingDialog& d, const Rect&) {
      ctrl = static_cast<CDeviceCtrl*>(d.GetPaintManager().AddControl(
          std::make_unique<CDeviceCtrl>(&d, kId, Rect{10, 10, 250, 300}, 1, 1)));
      ctrl->SetImage("rows.png", 2);
    };
    dialog.Create(platform::kNoWindow, Rect{0, 0, 300, 320});
    window = dialog.GetSafeHwnd();
    dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ui.Pump();
  }
  // The models as the program lists them: all hidden until detected.
  void AddModels() {
    ctrl->AddDevice("Alpha", 0, 0, 101, false);
    ctrl->AddDevice("Bravo", 0, 0, 102, true);
    ctrl->AddDevice("Charlie", 0, 0, 103, false);
    ctrl->AddDevice("Delta", 0, 0, 104, false);
    ctrl->AddDevice("Echo", 0, 0, 105, false);
  }
  Argb Shown(Point p) { return ui.System().ShownPixel(window, {p.x, p.y}); }
  void Click(Point p) {
    ui.System().MovePointer(window, {p.x, p.y});
    ui.System().Click(window, {p.x, p.y});
    ui.Pump();
  }

  HeadlessUi ui;
  RecordingTextSink texts;
  RecordingDialog dialog;
  WindowId window = platform::kNoWindow;
  CDeviceCtrl* ctrl = nullptr;
};

TEST_F(DeviceCtrlTest, ConnectedRowsComeFirstThenListedOnesInGrey) {
  AddModels();
  ctrl->SetDeviceState(105, 1);
  ctrl->SetDeviceState(101, 1);
  ctrl->SetDeviceState(103, 1);
  ui.Pump();
  // List order within each group, whatever the order of detection; the listed
  // model starts the fourth row at 3 x 50.
  struct Row {
    const char* name;
    int top;
    Argb color;
  };
  for (const Row& row : {Row{"Alpha", 0, 0xFFFFFFFF}, Row{"Charlie", 50, 0xFFFFFFFF},
                         Row{"Echo", 100, 0xFFFFFFFF}, Row{"Bravo", 150, 0xFF808080}}) {
    SCOPED_TRACE(row.name);
    auto drawn = texts.Find(row.name);
    ASSERT_TRUE(drawn.has_value());
    EXPECT_EQ(drawn->box, (Rect{0, row.top, 240, row.top + 38}));
    EXPECT_EQ(drawn->color, row.color);
  }
  EXPECT_FALSE(texts.Find("Delta").has_value());
  // Frame 1 behind connected rows, frame 0 behind listed ones.
  EXPECT_EQ(Shown({12, 12 + 20}), SkinFixture::StateColor(1));
  EXPECT_EQ(Shown({12, 12 + 150 + 20}), SkinFixture::StateColor(0));
  EXPECT_EQ(ctrl->GetConnectCount(), 3);
  EXPECT_EQ(ctrl->GetCurDeviceType(), 103);
}

TEST_F(DeviceCtrlTest, NothingConnectedDrawsOnlyTheBackground) {
  AddModels();
  ui.Pump();
  EXPECT_TRUE(texts.Texts().empty());
  EXPECT_EQ(ctrl->GetCurDeviceType(), 0);
  EXPECT_NE(Shown({20, 30}), SkinFixture::StateColor(0));
}

TEST_F(DeviceCtrlTest, StatesCountsAndTheCurrentEntry) {
  ctrl->AddDevice("First", 0, 0, 7, false);
  ctrl->AddDevice("Twin", 0, 0, 7, false);
  ctrl->SetDeviceState(7, 1);
  EXPECT_EQ(ctrl->GetItem(0).state, 1);
  EXPECT_EQ(ctrl->GetItem(1).state, 0);
  EXPECT_EQ(ctrl->GetCurIndex(), 0);
  // A detection pass resets every state; the former answer holds until the
  // next SetDeviceState.
  ctrl->ResetAllState();
  EXPECT_EQ(ctrl->GetCurDeviceType(), 7);
  EXPECT_EQ(ctrl->GetConnectCount(), 1);
  ctrl->SetDeviceState(99, 1);
  EXPECT_EQ(ctrl->GetConnectCount(), 0);
  EXPECT_EQ(ctrl->GetCurDeviceType(), 0);
  ctrl->ClearList();
  EXPECT_EQ(ctrl->GetItemCount(), 0);
  EXPECT_EQ(ctrl->GetCurIndex(), -1);
  EXPECT_EQ(ctrl->GetItem(0).device_type, 0);
}

TEST_F(DeviceCtrlTest, ClickingARowPicksIt) {
  AddModels();
  ctrl->SetDeviceState(101, 1);
  ctrl->SetDeviceState(104, 1);
  ui.Pump();
  EXPECT_EQ(ctrl->GetCurDeviceType(), 104);
  Click({100, 10 + 10});  // the first row: Alpha, index 0
  EXPECT_EQ(dialog.notifications, (std::vector<Notification>{{kId, kNotifyPressed, 0, 0}}));
  EXPECT_EQ(ctrl->GetCurDeviceType(), 101);
  // Below the rows: nothing is hovered, nothing sent.
  dialog.notifications.clear();
  Click({100, 10 + 200});
  EXPECT_TRUE(dialog.notifications.empty());
  Click({100, 10 + 60});
  EXPECT_EQ(dialog.notifications, (std::vector<Notification>{{kId, kNotifyPressed, 3, 0}}));
  // A row hidden by a detection pass cannot be clicked where it was drawn.
  dialog.notifications.clear();
  ctrl->ResetAllState();
  ui.Pump();
  Click({100, 10 + 60});
  EXPECT_TRUE(dialog.notifications.empty());
  // Disabled: the list takes no clicks.
  ctrl->SetDeviceState(101, 1);
  ctrl->SetEnabled(0);
  ui.Pump();
  Click({100, 10 + 10});
  EXPECT_TRUE(dialog.notifications.empty());
}

TEST_F(DeviceCtrlTest, TheDeviceWorkerChangesStatesWhileTheWindowPaints) {
  AddModels();
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int pass = 0; pass < 200; ++pass) {
      ctrl->ResetAllState();
      ctrl->SetDeviceState(101 + pass % 5, 1);
      ctrl->SetDeviceState(101 + (pass + 2) % 5, 1);
    }
    done = true;
  });
  while (!done) {
    ui.System().MovePointer(window, {100, 10 + 20});
    ui.Pump();
    ui.System().MovePointer(window, {100, 10 + 70});
    ui.Pump();
  }
  worker.join();
  ui.Pump();
  EXPECT_EQ(ctrl->GetConnectCount(), 2);
  EXPECT_EQ(ctrl->GetCurDeviceType(), 101 + (199 + 2) % 5);
}

// A parent whose repaint handling reads the list from another thread, as the
// window's painting does while the device worker changes states.
class CrossThreadParent : public MObject {
 public:
  long OnControlUpdate(const Rect&, int, MControl*) override {
    auto reader = std::async(std::launch::async, [this] { return ctrl->GetItemCount(); });
    all_ready = all_ready && reader.wait_for(std::chrono::seconds(2)) == std::future_status::ready;
    reader.wait();
    ++updates;
    return 0;
  }
  CDeviceCtrl* ctrl = nullptr;
  bool all_ready = true;
  int updates = 0;
};

TEST(DeviceCtrlLockTest, RepaintsAfterReleasingTheListLock) {
  CrossThreadParent parent;
  CDeviceCtrl ctrl(&parent, kId, Rect{0, 0, 100, 100}, 1, 1);
  parent.ctrl = &ctrl;
  ctrl.AddDevice("A", 0, 0, 1, false);
  ctrl.SetDeviceState(1, 1);
  ctrl.ResetAllState();
  ctrl.ClearList();
  EXPECT_EQ(parent.updates, 3);
  EXPECT_TRUE(parent.all_ready);
}

}  // namespace
}  // namespace tumi
