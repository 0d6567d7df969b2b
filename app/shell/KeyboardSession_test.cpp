// The device worker, the keyboard link and its commands together, as the main
// window will drive them: on the scripted fake (a keyboard pulled out in the
// middle of an upload) and on the simulated keyboard (its log).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/link/DeviceDetection.h"
#include "app/link/KeyboardCommands.h"
#include "app/shell/DeviceChangeRouter.h"
#include "app/shell/DeviceWorker.h"
#include "platform/hid/FakeHidBackend.h"
#include "platform/hid/SimulatedKeyboard.h"

namespace tessaro {
namespace {

// The device side of the main window: detection, page update and task work.
class SessionHost final : public DeviceWorkerHost {
 public:
  SessionHost(KeyboardLink& link, platform::Clock& clock) : link_(link), commands_(link, clock) {}

  DeviceWorker* worker = nullptr;
  DetectionResult detection;
  int detections = 0;
  int connection_mode = -1;
  std::optional<uint16_t> firmware;
  std::vector<uint64_t> finished;

  void DetectAndUpdatePages() override {
    ++detections;
    detection = DetectDevices(link_);
    if (!detection.present) return;
    connection_mode = SelectCommandFamily(link_);
    if (!detection.opened) return;
    worker->Queue(DeviceTask::kCheckFirmwareVersion);
    worker->Queue(DeviceTask::kReloadFromDevice);
  }
  void StartEndpointWatch() override {}
  void CheckSoftwareVersion() override {}
  bool DeviceReady() override { return detection.present && detection.opened; }
  void EnableWindow(bool) override {}
  void RunTask(DeviceTask task) override {
    switch (task) {
      case DeviceTask::kCheckFirmwareVersion:
        firmware = commands_.CheckFirmwareVersion();
        break;
      case DeviceTask::kWriteCustomColors: {
        std::vector<PositionColor> colors;
        for (int p = 0; p < 110; ++p) colors.push_back({p, 0x00FF8000});
        commands_.WriteCustomColors(colors);
        break;
      }
      case DeviceTask::kWriteLightSetting:
        commands_.WriteLightSetting(201, connection_mode, LightParams{3, 1, 0, 2, 4, 0, 0}, 0);
        break;
      default:
        break;
    }
  }
  void WriteTaskFinished(uint64_t ticket) override { finished.push_back(ticket); }
  void IdleTick() override {}
  void HandleFilterEvent(int) override {}

 private:
  KeyboardLink& link_;
  KeyboardCommands commands_;
};

void RunUntilIdle(DeviceWorker& worker) {
  for (int i = 0; i < 20 && !worker.Tasks().Empty(); ++i) worker.Tick();
}

TEST(KeyboardSession, UnpluggedDuringAnUploadStopsItAndDetectsAgain) {
  platform::FakeClock clock;
  auto backend = std::make_unique<platform::FakeHidBackend>(clock);
  platform::FakeHidBackend& hid = *backend;
  KeyboardLink link(std::move(backend), clock);
  link.AddAcceptedMode(0x1A2C, 0x0E24, "", 201, 0, "VID_1A2C&PID_0E24&MI_02");
  hid.AddInterface(0x1A2C, 0x0E24, 2);
  hid.AddInterface(0x1A2C, 0x0E24, 3);
  SessionHost host(link, clock);
  DeviceWorker worker(host, clock);
  host.worker = &worker;

  hid.QueueFeatureAnswer({0x07, 0x01, 0x02});
  worker.Queue(DeviceTask::kDetectAtStart);
  RunUntilIdle(worker);
  ASSERT_TRUE(host.DeviceReady());
  EXPECT_EQ(host.firmware, 258);

  hid.ClearRecords();
  hid.FailWritesFrom(4);  // the version query was write 1: the upload's third report fails
  const uint64_t upload = worker.Queue(DeviceTask::kWriteCustomColors);
  worker.Tick();
  const auto records = hid.Records();
  ASSERT_EQ(records.size(), 4u);  // two reports, the third and its retry, nothing after
  EXPECT_FALSE(records[2].ok);
  EXPECT_FALSE(records[3].ok);
  EXPECT_EQ(host.finished, std::vector<uint64_t>{upload});
  hid.Unplug();

  std::vector<bool> connected = host.detection.connected;
  const std::optional<DeviceTask> task =
      RouteDeviceChange({platform::DeviceChange::Kind::kRemoval, "HID#VID_1A2C&PID_0E24&MI_02"},
                        link.AcceptedModes(), connected);
  ASSERT_EQ(task, DeviceTask::kDeviceRemoved);
  worker.Queue(*task);
  const uint64_t light = worker.Queue(DeviceTask::kWriteLightSetting);
  RunUntilIdle(worker);
  EXPECT_EQ(host.detections, 2);
  EXPECT_FALSE(host.detection.present);
  EXPECT_TRUE(worker.IsFinished(light));  // dropped, and its busy dialog ended
  EXPECT_EQ(hid.OpenHandles(), 0);
}

TEST(KeyboardSession, SimulatedKeyboardIsDetectedAndLogsTheVersionQuery) {
  const auto log = std::filesystem::temp_directory_path() /
                   ("tessaro-session-" +
                    std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".log");
  std::filesystem::remove(log);
  platform::FakeClock clock;
  KeyboardLink* link_for_ids = nullptr;
  auto simulated = std::make_unique<platform::SimulatedKeyboard>(
      [&]() -> std::optional<platform::SimulatedKeyboard::Ids> {
        const std::vector<AcceptedMode> modes = link_for_ids->AcceptedModes();
        if (modes.empty()) return std::nullopt;
        return platform::SimulatedKeyboard::Ids{static_cast<uint16_t>(modes[0].vendor_id),
                                                static_cast<uint16_t>(modes[0].product_id)};
      },
      log.string(), clock);
  KeyboardLink link(std::move(simulated), clock);
  link_for_ids = &link;
  link.AddAcceptedMode(0x1A2C, 0x0E24, "", 201, 0, "VID_1A2C&PID_0E24&MI_02");
  SessionHost host(link, clock);
  DeviceWorker worker(host, clock);
  host.worker = &worker;

  worker.Queue(DeviceTask::kCheckSoftwareVersion);
  worker.Queue(DeviceTask::kDetectAtStart);
  RunUntilIdle(worker);
  EXPECT_TRUE(host.DeviceReady());
  EXPECT_EQ(host.connection_mode, 0);
  EXPECT_EQ(host.firmware, 0x0102);
  EXPECT_TRUE(link.HasStreamInterface());

  std::ifstream in(log);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find(" MI_02 feature 07 FD 00 00 00 00 00 00\n"), std::string::npos)
      << text.str();
  std::filesystem::remove(log);
}

}  // namespace
}  // namespace tessaro
