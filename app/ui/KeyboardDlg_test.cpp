#include "app/ui/KeyboardDlg.h"

#include <gtest/gtest.h>

#include <map>
#include <thread>
#include <vector>

#include "app/shell/DeviceWorker.h"
#include "app/ui/CUIMessageBox.h"
#include "app/ui/CloseWindowTipDlg.h"
#include "app/ui/FrameLayout.h"
#include "app/ui/WaitDlg.h"
#include "platform/hid/FakeHidBackend.h"
#include "platform/system/SettingsStore.h"
#include "uilib/core/Manager.h"
#include "uilib/testing/HeadlessUi.h"

namespace tessaro {
namespace {

using Kind = platform::DeviceChange::Kind;

constexpr int kWiredPid = 0x0E24;
constexpr int kDonglePid = 0x0E25;

class KeyboardDlgTest : public ::testing::Test {
 protected:
  KeyboardDlgTest() {
    auto backend = std::make_unique<platform::FakeHidBackend>(clock);
    hid = backend.get();
    link = std::make_unique<KeyboardLink>(std::move(backend), clock);
    link->AddAcceptedMode(0x1A2C, kWiredPid, "", 201, 0, "VID_1A2C&PID_0E24&MI_02");
    link->AddAcceptedMode(0x1A2C, kDonglePid, "", 201, 1, "VID_1A2C&PID_0E25&MI_02");
    dlg = std::make_unique<KeyboardDlg>(*link, clock, nullptr);
    dlg->SetDeviceType(201);
    dlg->OpenWindow("Tessaro", tumi::Manager::GetProgramFolder());
    worker = std::make_unique<DeviceWorker>(dlg->WorkerHost(), clock);
    dlg->AttachDeviceWorker(worker.get());
  }
  ~KeyboardDlgTest() override {
    dlg->AttachDeviceWorker(nullptr);
    dlg->Destroy();
  }

  std::vector<DeviceTask> TakeTasks() {
    std::vector<DeviceTask> tasks;
    while (auto front = worker->Tasks().Front()) {
      tasks.push_back(front->task);
      // Only the test looks at the queue; the worker is not running.
      const_cast<DeviceTaskQueue&>(worker->Tasks()).PopFront();
    }
    return tasks;
  }

  // Detection on the worker's side, then its page update on the UI thread.
  void Detect() {
    std::thread([this] { dlg->WorkerHost().DetectAndUpdatePages(); }).join();
    ui.Pump();
  }

  tumi::testing::HeadlessUi ui;
  platform::FakeClock clock;
  platform::FakeHidBackend* hid = nullptr;
  std::unique_ptr<KeyboardLink> link;
  std::unique_ptr<KeyboardDlg> dlg;
  std::unique_ptr<DeviceWorker> worker;
};

TEST_F(KeyboardDlgTest, FrameRectanglesAt1280By720) {
  const std::map<unsigned, tumi::Rect> expected = {
      {30, {0, 0, 1280, 720}},    {31, {0, 0, 1, 720}},       {33, {1279, 0, 1280, 720}},
      {32, {0, 0, 1280, 1}},      {34, {0, 719, 1280, 720}},  {36, {1, 1, 1279, 50}},
      {38, {490, 10, 790, 40}},   {41, {1230, 20, 1260, 50}}, {42, {1180, 20, 1210, 50}},
      {44, {1130, 20, 1160, 50}}, {55, {460, 280, 832, 318}}, {56, {460, 318, 832, 580}},
      {58, {10, 680, 170, 715}},  {57, {290, 680, 990, 715}}, {48, {1, 50, 76, 719}},
      {49, {1, 60, 79, 710}},     {50, {80, 50, 1279, 719}},  {51, {80, 50, 1279, 719}},
      {52, {80, 50, 1279, 719}},  {53, {80, 50, 1279, 719}},  {54, {80, 50, 1279, 719}},
  };
  std::map<unsigned, tumi::Rect> laid_out;
  for (const ControlPlace& place : FrameLayout(1280, 720)) laid_out[place.id] = place.rect;
  for (const auto& [id, rect] : expected) {
    EXPECT_EQ(laid_out[id], rect) << "control " << id;
    // The window places whichever of its controls exist.
    if (tumi::MControl* control = dlg->GetControl(id)) {
      EXPECT_EQ(control->GetRect(), rect) << "control " << id;
    }
  }
  // The borders and the tab backing are library areas: they always exist.
  for (unsigned id : {31u, 32u, 33u, 34u, 48u}) EXPECT_NE(dlg->GetControl(id), nullptr) << id;
  EXPECT_EQ(PinnedSettingsTab(720).top, 604);
  EXPECT_EQ(PinnedSettingsTab(720).bottom, 674);
  EXPECT_EQ(dlg->GetWindowRect().Width(), 1280);
  EXPECT_EQ(dlg->GetWindowRect().Height(), 720);
}

TEST_F(KeyboardDlgTest, PageUpdateOfType201Wired) {
  // At creation: home, tab strip hidden.
  EXPECT_EQ(dlg->Showing().selected_position, 0);
  EXPECT_FALSE(dlg->Showing().tabs_shown);
  EXPECT_FALSE(dlg->GetControl(48)->IsVisible());

  hid->AddInterface(0x1A2C, kWiredPid, 2);
  hid->AddInterface(0x1A2C, kWiredPid, 3);
  Detect();
  EXPECT_EQ(dlg->Showing().status_text, 60);
  EXPECT_EQ(dlg->Showing().selected_position, 1);
  EXPECT_TRUE(dlg->Showing().tabs_shown);
  EXPECT_EQ(dlg->Showing().heading.title, 51);
  EXPECT_TRUE(dlg->GetControl(48)->IsVisible());
  EXPECT_EQ(dlg->MenuFlags(), 0x47u);
  EXPECT_EQ(TakeTasks(), (std::vector<DeviceTask>{DeviceTask::kCheckFirmwareVersion,
                                                  DeviceTask::kReloadFromDevice}));
}

TEST_F(KeyboardDlgTest, PageUpdateOfType201InWirelessModeOpensOnHome) {
  hid->AddInterface(0x1A2C, kDonglePid, 2);
  Detect();
  EXPECT_EQ(dlg->Showing().status_text, 60);
  EXPECT_EQ(dlg->Showing().selected_position, 0);
  EXPECT_TRUE(dlg->Showing().tabs_shown);
  EXPECT_EQ(dlg->Showing().heading, PageHeading{});
  EXPECT_EQ(TakeTasks(), (std::vector<DeviceTask>{DeviceTask::kCheckFirmwareVersion,
                                                  DeviceTask::kReloadFromDevice}));
}

TEST_F(KeyboardDlgTest, NoKeyboardShowsHomeAndT61) {
  Detect();
  EXPECT_EQ(dlg->Showing().status_text, 61);
  EXPECT_EQ(dlg->Showing().selected_position, 0);
  EXPECT_FALSE(dlg->Showing().tabs_shown);
  EXPECT_TRUE(TakeTasks().empty());
}

TEST_F(KeyboardDlgTest, DeviceChangesQueueDetectionOnlyForServedModes) {
  hid->AddInterface(0x1A2C, kWiredPid, 2);
  Detect();
  TakeTasks();
  struct Case {
    const char* name;
    Kind kind;
    const char* identity;
    std::vector<DeviceTask> tasks;
  } cases[] = {
      {"Bluetooth LE arrival",
       Kind::kArrival,
       "HID#{00001812-0000-1000-8000-00805f9b34fb}_VID&1A2C_PID&0E24&MI_02",
       {}},
      {"removal of a mode not connected", Kind::kRemoval, "HID#VID_1A2C&PID_0E25&MI_02", {}},
      {"another device", Kind::kArrival, "HID#VID_046D&PID_C52B&MI_02", {}},
      {"arrival of a served mode",
       Kind::kArrival,
       "HID#VID_1A2C&PID_0E25&MI_02",
       {DeviceTask::kDeviceArrived}},
      {"removal of the connected mode",
       Kind::kRemoval,
       "HID#VID_1A2C&PID_0E24&MI_02",
       {DeviceTask::kDeviceRemoved}},
      {"its removal reported twice", Kind::kRemoval, "HID#VID_1A2C&PID_0E24&MI_02", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dlg->OnDeviceChange({c.kind, c.identity});
    EXPECT_EQ(TakeTasks(), c.tasks);
  }
}

TEST_F(KeyboardDlgTest, TabSwitchAndDeviceChoice) {
  dlg->DescriptionView().AddDevice("Norvik Q700", 201);
  hid->AddInterface(0x1A2C, kWiredPid, 2);
  Detect();
  TakeTasks();
  EXPECT_EQ(dlg->OnMessage(49, 2, 3, 0), 1);
  EXPECT_EQ(dlg->Showing().selected_position, 3);
  EXPECT_EQ(dlg->Showing().heading, (PageHeading{53, "icon\\icon_lightmode.png"}));
  EXPECT_EQ(dlg->OnMessage(49, 2, 0, 0), 1);
  EXPECT_FALSE(dlg->Showing().tabs_shown);
  EXPECT_EQ(dlg->Showing().heading, PageHeading{});
  // Home: no page covers the status line and the device list.
  for (unsigned page = 50; page <= 54; ++page) {
    EXPECT_FALSE(dlg->GetControl(page)->IsVisible()) << page;
  }
  EXPECT_TRUE(dlg->GetControl(55)->IsVisible());
  // Choosing a model in the device list brings the tabs back on the key page;
  // the model whose layout is loaded needs no task.
  EXPECT_EQ(dlg->OnMessage(56, 1, 0, 0), 1);
  EXPECT_TRUE(dlg->Showing().tabs_shown);
  EXPECT_EQ(dlg->Showing().selected_position, 1);
  EXPECT_TRUE(TakeTasks().empty());
  EXPECT_EQ(dlg->OnMessage(30, 2, 0, 0), 0);
}

TEST_F(KeyboardDlgTest, PressingWhereNoControlTakesItDragsTheWindow) {
  using platform::MouseButton;
  hid->AddInterface(0x1A2C, kWiredPid, 2);
  Detect();
  ui.Pump();
  const tumi::WindowId window = dlg->GetSafeHwnd();
  struct Case {
    const char* name;
    platform::Point press;
    bool moves;
  } cases[] = {
      {"empty part of the key page", {400, 600}, true},
      {"caption bar", {300, 30}, true},
      {"close button", {1245, 35}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const tumi::Rect before = dlg->GetWindowRect();
    ui.System().MovePointer(window, c.press);
    ui.System().PressButton(window, MouseButton::kLeft, c.press);
    ui.Pump();
    ui.System().MovePointer(window, {c.press.x + 30, c.press.y + 20});
    ui.System().ReleaseButton(window, MouseButton::kLeft, {c.press.x + 30, c.press.y + 20});
    ui.Pump();
    const tumi::Rect after = dlg->GetWindowRect();
    EXPECT_EQ(after.left - before.left, c.moves ? 30 : 0);
    EXPECT_EQ(after.top - before.top, c.moves ? 20 : 0);
  }
}

TEST_F(KeyboardDlgTest, WorkerCallsReachTheWindowOnTheUiThread) {
  std::thread([this] { dlg->WorkerHost().EnableWindow(false); }).join();
  EXPECT_TRUE(dlg->IsWindowEnabled());  // not before the UI thread runs it
  ui.Pump();
  EXPECT_FALSE(dlg->IsWindowEnabled());
  std::thread([this] { dlg->WorkerHost().EnableWindow(true); }).join();
  ui.Pump();
  EXPECT_TRUE(dlg->IsWindowEnabled());
}

TEST_F(KeyboardDlgTest, BusyDialogIsCentredOnTheMainWindowAndEndsWithItsTask) {
  dlg->MoveWindow(100, 50, 1280, 720);
  std::optional<tumi::Rect> busy_bounds;
  int ticks = 0;
  ui.System().SetIdleHandler([&] {
    if (WaitDlg* busy = dlg->BusyDialog(); busy && !busy_bounds) {
      busy_bounds = busy->GetWindowRect();
    }
    // No keyboard: the worker drops the write task and ends its dialog.
    if (++ticks < 50) worker->Tick();
    return ticks < 100;
  });
  dlg->QueueWriteTask(DeviceTask::kWriteLightSetting);
  ASSERT_TRUE(busy_bounds.has_value());
  EXPECT_EQ(*busy_bounds, tumi::Rect::FromSize(100 + 640 - 51, 50 + 360 - 51, 102, 102));
  EXPECT_EQ(dlg->BusyDialog(), nullptr);
  EXPECT_LT(ticks, 50);
  EXPECT_TRUE(worker->Tasks().Empty());
}

TEST_F(KeyboardDlgTest, ClosingStrayPopupsChoosesNothing) {
  ui.System().SetIdleHandler([&] {
    dlg->CloseStrayPopups();
    return true;
  });
  // A message box closed from outside is never an OK.
  EXPECT_EQ(ShowMessageBox(dlg->GetSafeHwnd(), "Title", "Text", 1), tumi::kResultCancel);

  // The close-behaviour dialog closed from outside neither exits nor stores.
  platform::FakeSettingsStore store;
  store.key_exists = true;
  Registry registry(store);
  EXPECT_EQ(RunCloseWindowTip(dlg->GetSafeHwnd(), registry), std::nullopt);
  EXPECT_EQ(store.Read(CloseBehaviour::kSetting), std::nullopt);
}

TEST_F(KeyboardDlgTest, MessageBoxAnswersWithTheButtonPressed) {
  struct Case {
    const char* name;
    int type;
    platform::Point button;  // in the box
    unsigned result;
  } cases[] = {
      {"OK alone", 0, {190, 160}, tumi::kResultOK},
      {"OK of two", 1, {120, 160}, tumi::kResultOK},
      {"Cancel", 1, {280, 160}, tumi::kResultCancel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool clicked = false;
    ui.System().SetIdleHandler([&] {
      for (platform::WindowId window : ui.System().AllWindows()) {
        if (clicked || ui.System().Title(window) != CUIMessageBox::kTitle) continue;
        ui.System().MovePointer(window, c.button);
        ui.System().Click(window, c.button);
        clicked = true;
      }
      return true;
    });
    EXPECT_EQ(ShowMessageBox(dlg->GetSafeHwnd(), "Title", "Text", c.type), c.result);
  }
}

TEST_F(KeyboardDlgTest, InstallFailureIsAMessageBoxOverTheWindow) {
  platform::WindowId owner = platform::kNoWindow;
  ui.System().SetIdleHandler([&] {
    for (platform::WindowId window : ui.System().AllWindows()) {
      if (ui.System().Title(window) != CUIMessageBox::kTitle) continue;
      owner = ui.System().Owner(window);
      ui.System().Post(window, platform::msg::kClose, tumi::kResultOK);
    }
    return true;
  });
  dlg->ShowInstallFailure();
  EXPECT_EQ(owner, dlg->GetSafeHwnd());
}

TEST_F(KeyboardDlgTest, CloseWindowTipStoresTheConfirmedChoice) {
  platform::FakeSettingsStore store;
  store.key_exists = true;
  Registry registry(store);
  store.Write(CloseBehaviour::kSetting, "2");
  CloseWindowTipDlg dialog(registry);
  dialog.Create(dlg->GetSafeHwnd(), CloseWindowTipDlg::kTitle, platform::kStyleTopLevel,
                {0, 0, 360, 200});
  EXPECT_EQ(dialog.Selected(), CloseWindowTipChoice::kExitButton);
  dialog.OnMessage(CloseWindowTipChoice::kHideButton, 2, 0, 0);
  dialog.OnMessage(CloseWindowTipChoice::kOkButton, 2, 0, 0);
  EXPECT_EQ(dialog.ShowModal(), tumi::kResultOK);
  EXPECT_EQ(dialog.Confirmed(), 1);
  EXPECT_EQ(store.Read(CloseBehaviour::kSetting), "1");
}

}  // namespace
}  // namespace tessaro
