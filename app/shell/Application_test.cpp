// The start-up sequence and every exit path on fakes: a recording window, a
// fake tray, instance channel and signals, the keyboard link on the fake HID
// backend and a real store and settings file in a temporary folder.
#include "app/shell/Application.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <thread>

#include "app/device/FakeDeviceDescriptionView.h"
#include "app/lights/NoKeyPicture.h"
#include "app/link/KeyboardLink.h"
#include "platform/audio/FakeLoopbackCapture.h"
#include "platform/hid/FakeDeviceChangeSource.h"
#include "platform/hid/FakeHidBackend.h"
#include "platform/input/FakeVirtualHidDevice.h"
#include "platform/screen/FakeScreenCapture.h"
#include "platform/system/FakeInstanceChannel.h"
#include "platform/system/PollEventLoop.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

// The main window's part, recording what the shell asks of it in order.
class RecordingWindow final : public MainWindow, public DeviceWorkerHost {
 public:
  FakeDeviceDescriptionView view;
  std::optional<int> dialog_answer;
  std::function<void()> on_detection;

  std::vector<std::string> Log() {
    std::lock_guard lock(mutex_);
    return log_;
  }
  bool Logged(const std::string& entry) {
    const auto log = Log();
    return std::find(log.begin(), log.end(), entry) != log.end();
  }
  void Record(const std::string& entry) {
    std::lock_guard lock(mutex_);
    log_.push_back(entry);
  }

  NoKeyPicture picture;

  DeviceDescriptionView& DescriptionView() override { return view; }
  KeyPictureTarget& LightPicture() override { return picture; }
  void PostWindowMessage(int message, int, int) override {
    Record("message " + std::to_string(message));
  }
  void ShowInstallFailure() override { Record("install failure"); }
  DeviceWorkerHost& WorkerHost() override { return *this; }
  void AttachDeviceWorker(DeviceWorker* worker) override {
    Record(worker ? "attach worker" : "detach worker");
  }
  void OnDeviceChange(const platform::DeviceChange& change) override {
    Record("device change " + change.identity);
  }
  void ShowWindow() override { Record("show"); }
  void HideWindow() override { Record("hide"); }
  void MinimizeWindow() override { Record("minimise"); }
  void CloseStrayPopups() override { Record("close popups"); }
  std::optional<int> RunCloseWindowTip() override {
    Record("close dialog");
    return dialog_answer;
  }
  void SetCloseButtonTip(const std::string& text) override { Record("tip " + text); }
  void Destroy() override { Record("destroy"); }

  void DetectAndUpdatePages() override {
    Record("detect");
    if (on_detection) on_detection();
    Record("detected");
  }
  void StartEndpointWatch() override {}
  void CheckSoftwareVersion() override { Record("software version"); }
  bool DeviceReady() override { return false; }
  void EnableWindow(bool) override {}
  void RunTask(DeviceTask) override {}
  void WriteTaskFinished(uint64_t) override {}
  void IdleTick() override {}
  void HandleFilterEvent(int) override {}

 private:
  std::mutex mutex_;
  std::vector<std::string> log_;
};

// The instance channel handed to the shell: the fake stays with the test, so
// what a second start sent can be seen after the shell let go of it.
class ChannelProxy final : public platform::InstanceChannel {
 public:
  explicit ChannelProxy(platform::FakeInstanceChannel& fake) : fake_(fake) {}
  Claim ClaimInstance() override { return fake_.ClaimInstance(); }
  bool SendToRunning(const std::string& line) override { return fake_.SendToRunning(line); }
  int Fd() const override { return fake_.Fd(); }
  std::vector<std::string> TakeLines() override { return fake_.TakeLines(); }

 private:
  platform::FakeInstanceChannel& fake_;
};

// Hands out fakes and keeps a view of each; settings are a real file.
class FakeFacilities final : public ShellFacilities {
 public:
  platform::FakeInstanceChannel instance;
  bool tray_host = true;
  platform::FakeTrayIcon* tray = nullptr;
  platform::FakeDeviceChangeSource* device_changes = nullptr;
  int settings_made = 0;
  const platform::Clock* clock = nullptr;
  bool refuse_virtual_device = false;
  platform::FakeVirtualHidDevice* virtual_device = nullptr;
  std::vector<platform::UsbId> served;
  platform::FakeProgramRunner* runner = nullptr;

  std::unique_ptr<platform::InstanceChannel> MakeInstanceChannel(const std::string&,
                                                                 const std::string&) override {
    return std::make_unique<ChannelProxy>(instance);
  }
  std::unique_ptr<platform::SettingsStore> MakeSettings(const std::string& path) override {
    ++settings_made;
    return std::make_unique<platform::IniSettingsStore>(path);
  }
  std::unique_ptr<platform::TrayIcon> MakeTray() override {
    auto made = std::make_unique<platform::FakeTrayIcon>();
    made->host_available = tray_host;
    tray = made.get();
    return made;
  }
  std::unique_ptr<platform::DeviceChangeSource> MakeDeviceChanges() override {
    auto made = std::make_unique<platform::FakeDeviceChangeSource>();
    device_changes = made.get();
    return made;
  }
  platform::InputFacilities MakeInput(std::vector<platform::UsbId> ids) override {
    served = ids;
    platform::InputFacilities made = platform::MakeInputFacilities(true, *clock, ids);
    virtual_device = static_cast<platform::FakeVirtualHidDevice*>(made.device.get());
    virtual_device->RefuseCreate(refuse_virtual_device);
    return made;
  }
  LightEngines::Facilities MakeLightCaptures() override {
    LightEngines::Facilities made;
    made.level_audio =
        std::make_unique<platform::FakeLoopbackCapture>(platform::SampleForm::kInt16);
    made.music_audio =
        std::make_unique<platform::FakeLoopbackCapture>(platform::SampleForm::kFloat32);
    made.screen = std::make_unique<platform::FakeScreenCapture>(64, 36);
    return made;
  }
  std::unique_ptr<platform::ProgramRunner> MakeProgramRunner() override {
    auto made = std::make_unique<platform::FakeProgramRunner>();
    runner = made.get();
    return made;
  }
};

// One program: the shell and everything it starts on.
struct Rig {
  explicit Rig(const std::string& folder)
      : link(std::make_unique<platform::FakeHidBackend>(clock), clock) {
    environment.variables = {{"TESSARO_DATA_DIR", TESSARO_PROGRAM_DIR},
                             {"XDG_CONFIG_HOME", folder + "/config"},
                             {"XDG_DATA_HOME", folder + "/data"},
                             {"XDG_RUNTIME_DIR", folder},
                             {"LANG", "en_US.UTF-8"}};
    facilities.clock = &clock;
    app = std::make_unique<Application>(
        ShellContext{environment, clock, loop, signals, facilities, link, store});
  }
  ~Rig() { app.reset(); }

  // Runs the loop until the program exits; the loop's code, or -1 if it never did.
  int RunUntilExit() {
    for (int i = 0; i < 100 && !app->Exited(); ++i) loop.RunOnce(platform::Milliseconds(50));
    return app->Exited() ? loop.Run() : -1;
  }

  platform::FakeEnvironment environment;
  platform::SteadyClock clock;
  platform::PollEventLoop loop;
  platform::FakeTerminationSignals signals;
  FakeFacilities facilities;
  KeyboardLink link;
  ConfigStore store;
  RecordingWindow window;
  std::unique_ptr<Application> app;
};

class ApplicationTest : public ::testing::Test {
 protected:
  ApplicationTest() {
    char pattern[] = "/tmp/tessaro-app-XXXXXX";
    folder_ = mkdtemp(pattern);
    rig_ = std::make_unique<Rig>(folder_);
  }
  ~ApplicationTest() override {
    rig_.reset();
    fs::remove_all(folder_);
  }

  Application& App() { return *rig_->app; }
  RecordingWindow& Window() { return rig_->window; }
  FakeFacilities& Facilities() { return rig_->facilities; }

  std::string SettingsText() {
    std::ifstream in(folder_ + "/config/Tessaro/settings.ini");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void StoreSetting(const std::string& line) {
    fs::create_directories(folder_ + "/config/Tessaro");
    std::ofstream(folder_ + "/config/Tessaro/settings.ini") << "[settings]\n" << line << "\n";
  }
  template <typename Condition>
  static bool WaitFor(Condition condition) {
    for (int i = 0; i < 1000 && !condition(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
  }

  std::string folder_;
  std::unique_ptr<Rig> rig_;
};

TEST_F(ApplicationTest, ASecondStartAsksTheRunningOneToShowAndMakesNothing) {
  Facilities().instance.claim = platform::InstanceChannel::Claim::kOtherRunning;
  EXPECT_EQ(App().StartUp(Window()), Application::Start::kOtherInstance);
  EXPECT_EQ(Facilities().instance.sent, std::vector<std::string>{"show"});
  EXPECT_EQ(Facilities().settings_made, 0);
  EXPECT_EQ(Facilities().tray, nullptr);
  EXPECT_EQ(App().Worker(), nullptr);
  EXPECT_TRUE(Window().Log().empty());
  EXPECT_FALSE(fs::exists(folder_ + "/data"));
}

TEST_F(ApplicationTest, StartUpPreparesEverythingAndQueuesTheVersionCheckBeforeDetection) {
  ASSERT_EQ(App().StartUp(Window()), Application::Start::kRunning);
  EXPECT_EQ(App().SoftwareName(), "Tessaro");
  EXPECT_NE(SettingsText().find("LCID=1033"), std::string::npos) << SettingsText();
  EXPECT_TRUE(fs::is_directory(folder_ + "/data/Tessaro Files/db"));

  platform::FakeTrayIcon* tray = Facilities().tray;
  ASSERT_NE(tray, nullptr);
  EXPECT_TRUE(tray->present);
  EXPECT_EQ(tray->data.tip, "Tessaro");
  ASSERT_EQ(tray->data.menu.size(), 2u);
  EXPECT_EQ(tray->data.menu[0].command, Application::kCommandCloseBehaviour);
  EXPECT_EQ(tray->data.menu[0].label, GetText(Application::kMenuCloseBehaviourText));
  EXPECT_EQ(tray->data.menu[1].command, Application::kCommandExit);
  EXPECT_FALSE(tray->data.menu[1].label.empty());

  // The device description went to the window, and the served model's store opened.
  EXPECT_FALSE(Window().view.devices.empty());
  EXPECT_TRUE(rig_->store.IsOpened());
  ASSERT_TRUE(WaitFor([&] { return Window().Logged("detected"); }));
  const std::vector<std::string> log = Window().Log();
  const std::vector<std::string> expected = {"tip " + GetText(CloseBehaviour::kTipHide),
                                             "attach worker", "software version", "detect",
                                             "detected"};
  ASSERT_GE(log.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 5), expected);

  // Key reassignment is ready: the virtual keyboard made, no rules installed,
  // the filter serving the accepted modes' keyboards.
  const std::vector<platform::UsbId> served = {{0x3F2A, 0x0701}, {0x3F2A, 0x0702}};
  EXPECT_EQ(Facilities().served, served);
  ASSERT_NE(Facilities().virtual_device, nullptr);
  EXPECT_TRUE(Facilities().virtual_device->IsOpen());
  EXPECT_TRUE(Facilities().runner->Calls().empty());
  ASSERT_NE(App().Keys(), nullptr);
  EXPECT_TRUE(App().Keys()->Monitor().MonitorRunning());

  ASSERT_NE(Facilities().device_changes, nullptr);
  Facilities().device_changes->Push({platform::DeviceChange::Kind::kArrival, "HID#VID_1A2C"});
  Facilities().instance.Deliver("show");
  Facilities().instance.Deliver("bogus");
  tray->Push({platform::TrayEvent::Kind::kActivate, 0});
  rig_->loop.RunOnce();
  EXPECT_TRUE(Window().Logged("device change HID#VID_1A2C"));
  const auto after = Window().Log();
  EXPECT_EQ(std::count(after.begin(), after.end(), "show"), 2);
  App().OnExitRequest(Application::kExitMessage, Application::kExitParameter + 1);
  EXPECT_FALSE(App().Exited());
}

struct ExitPath {
  const char* name;
  const char* stored;  // a settings line written before the start
  std::function<void(Rig&)> trigger;
};

TEST_F(ApplicationTest, EveryExitPathJoinsTheWorkerAndReleasesEverything) {
  const ExitPath paths[] = {
      {"exit on the instance socket", "", [](Rig& r) { r.facilities.instance.Deliver("exit"); }},
      {"SIGTERM", "", [](Rig& r) { r.signals.Raise(SIGTERM); }},
      {"SIGINT", "", [](Rig& r) { r.signals.Raise(SIGINT); }},
      {"tray menu exit", "",
       [](Rig& r) {
         r.facilities.tray->Push({platform::TrayEvent::Kind::kCommand, Application::kCommandExit});
       }},
      {"close button with exit stored", "exit_mode=2", [](Rig& r) { r.app->OnCloseButton(); }},
      {"message 1691 with 610", "",
       [](Rig& r) {
         r.app->OnExitRequest(Application::kExitMessage, Application::kExitParameter);
       }},
  };
  for (const ExitPath& path : paths) {
    SCOPED_TRACE(path.name);
    rig_.reset();
    fs::remove_all(folder_ + "/config");
    if (*path.stored) StoreSetting(path.stored);
    rig_ = std::make_unique<Rig>(folder_);

    ASSERT_EQ(App().StartUp(Window()), Application::Start::kRunning);
    ASSERT_TRUE(WaitFor([&] { return Window().Logged("detected"); }));
    path.trigger(*rig_);
    EXPECT_EQ(rig_->RunUntilExit(), 0);
    EXPECT_EQ(App().Worker(), nullptr);
    EXPECT_FALSE(Facilities().tray->present);
    EXPECT_EQ(Facilities().tray->removes, 1);
    EXPECT_FALSE(rig_->link.IsOpen());
    EXPECT_FALSE(rig_->store.IsOpened());
    const auto log = Window().Log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "detach worker");
    EXPECT_EQ(log.back(), "destroy");
    EXPECT_FALSE(App().Keys()->Monitor().MonitorRunning());
    App().Exit();  // a second request changes nothing
    EXPECT_EQ(Window().Log().size(), log.size());
  }
}

TEST_F(ApplicationTest, AVirtualKeyboardThatCannotBeMadeEndsTheProgramAfterTellingTheUser) {
  Facilities().refuse_virtual_device = true;
  EXPECT_EQ(App().StartUp(Window()), Application::Start::kDriversMissing);
  // The device rules' helper was run once, elevated, for the served keyboards.
  ASSERT_NE(Facilities().runner, nullptr);
  const auto calls = Facilities().runner->Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].program, "pkexec");
  EXPECT_TRUE(calls[0].waited);
  ASSERT_EQ(calls[0].arguments.size(), 4u);
  EXPECT_EQ(calls[0].arguments[2], "3f2a:0701");
  EXPECT_EQ(calls[0].arguments[3], "3f2a:0702");
  EXPECT_TRUE(Window().Logged("install failure"));
  // Nothing is left running, and the program ends with a failure code.
  EXPECT_TRUE(App().Exited());
  EXPECT_EQ(App().Worker(), nullptr);
  EXPECT_FALSE(Facilities().tray->present);
  EXPECT_FALSE(rig_->store.IsOpened());
  EXPECT_EQ(rig_->loop.Run(), DriverInstaller::kInstallFailedExitCode);
  EXPECT_FALSE(Window().Logged("detect"));
}

TEST_F(ApplicationTest, ExitWaitsForTheTickInFlightHoweverLongItTakes) {
  std::atomic<bool> in_detection{false};
  Window().on_detection = [&] {
    in_detection = true;
    // Longer than the 1000 ms the old teardown waited.
    std::this_thread::sleep_for(std::chrono::milliseconds(1300));
  };
  ASSERT_EQ(App().StartUp(Window()), Application::Start::kRunning);
  ASSERT_TRUE(WaitFor([&] { return in_detection.load(); }));
  App().Exit();
  const auto log = Window().Log();
  const auto detected = std::find(log.begin(), log.end(), "detected");
  const auto detached = std::find(log.begin(), log.end(), "detach worker");
  ASSERT_NE(detected, log.end());
  EXPECT_LT(detected, detached);
}

TEST_F(ApplicationTest, CloseBehaviourThroughTheWindow) {
  ASSERT_EQ(App().StartUp(Window()), Application::Start::kRunning);
  // The dialog closed from outside: no exit, nothing stored.
  App().OnCloseButton();
  EXPECT_TRUE(Window().Logged("close dialog"));
  EXPECT_FALSE(App().Exited());
  EXPECT_EQ(SettingsText().find("exit_mode"), std::string::npos);

  // The tray's close-behaviour command: popups closed, the dialog, the tooltip again.
  Window().dialog_answer = 2;
  const size_t before = Window().Log().size();
  Facilities().tray->Push(
      {platform::TrayEvent::Kind::kCommand, Application::kCommandCloseBehaviour});
  rig_->loop.RunOnce();
  // The device worker logs its tasks from its own thread: keep only the UI's steps.
  std::vector<std::string> steps;
  const auto log = Window().Log();
  for (size_t i = before; i < log.size(); ++i) {
    if (log[i] == "close popups" || log[i] == "close dialog" || log[i].rfind("tip ", 0) == 0)
      steps.push_back(log[i]);
  }
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0], "close popups");
  EXPECT_EQ(steps[1], "close dialog");
  EXPECT_EQ(steps[2].rfind("tip ", 0), 0u);
  EXPECT_FALSE(App().Exited());

  // Hide stored and no notification area: minimise rather than vanish.
  StoreSetting("exit_mode=1");
  Facilities().tray->present = false;
  App().OnCloseButton();
  EXPECT_TRUE(Window().Logged("minimise"));
  Facilities().tray->present = true;
  App().OnCloseButton();
  EXPECT_TRUE(Window().Logged("hide"));
  EXPECT_FALSE(App().Exited());
}

}  // namespace
}  // namespace tessaro
