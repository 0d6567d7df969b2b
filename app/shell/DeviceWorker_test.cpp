// The device worker's tick: which host calls a task makes, in which order, and
// the waits between write tasks.
#include "app/shell/DeviceWorker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace tessaro {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class FakeHost final : public DeviceWorkerHost {
 public:
  explicit FakeHost(platform::Clock& clock) : clock_(clock) {}

  bool ready = true;

  void DetectAndUpdatePages() override { Note("detect"); }
  void StartEndpointWatch() override { Note("endpoint watch"); }
  void CheckSoftwareVersion() override { Note("software version"); }
  bool DeviceReady() override { return ready; }
  void EnableWindow(bool enable) override { Note(enable ? "enable" : "disable"); }
  void RunTask(DeviceTask task) override {
    Note("task " + std::to_string(static_cast<int>(task)));
    task_times.push_back(clock_.Now().count());
  }
  void WriteTaskFinished(uint64_t ticket) override { Note("finished " + std::to_string(ticket)); }
  void IdleTick() override { Note("idle"); }
  void HandleFilterEvent(int value) override { Note("filter " + std::to_string(value)); }

  std::vector<std::string> Calls() {
    std::lock_guard lock(mutex_);
    std::vector<std::string> calls = std::move(calls_);
    calls_.clear();
    return calls;
  }
  std::vector<long> task_times;

 private:
  void Note(std::string call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
  }
  platform::Clock& clock_;
  std::mutex mutex_;
  std::vector<std::string> calls_;
};

struct WorkerRig {
  platform::FakeClock clock;
  FakeHost host{clock};
  DeviceWorker worker{host, clock};
};

TEST(DeviceWorker, DetectionAtStartRunsOncePerRun) {
  WorkerRig rig;
  rig.worker.Queue(DeviceTask::kCheckSoftwareVersion);
  rig.worker.Queue(DeviceTask::kDetectAtStart);
  rig.worker.Tick();
  rig.worker.Tick();
  EXPECT_THAT(rig.host.Calls(), ElementsAre("software version", "disable", "enable", "detect",
                                            "endpoint watch", "disable", "enable"));
  rig.worker.Queue(DeviceTask::kDetectAtStart);
  rig.worker.Tick();
  EXPECT_THAT(rig.host.Calls(), ElementsAre("disable", "enable"));
  EXPECT_TRUE(rig.worker.Tasks().Empty());
}

TEST(DeviceWorker, ArrivalAndRemovalDetectEveryTime) {
  WorkerRig rig;
  rig.host.ready = false;
  rig.worker.Queue(DeviceTask::kDeviceArrived);
  rig.worker.Queue(DeviceTask::kDeviceRemoved);
  rig.worker.Tick();
  rig.worker.Tick();
  EXPECT_THAT(rig.host.Calls(), ElementsAre("detect", "detect"));
}

TEST(DeviceWorker, TasksWithoutAKeyboardAreDroppedAndWriteTasksStillFinish) {
  struct Case {
    DeviceTask task;
    std::vector<std::string> calls;
  } cases[] = {
      {DeviceTask::kWriteLightSetting, {"finished 1"}},
      {DeviceTask::kWriteCustomColors, {"finished 1"}},
      {DeviceTask::kResetDevice, {"finished 1"}},
      {DeviceTask::kReloadFromDevice, {}},
      {DeviceTask::kCheckFirmwareVersion, {}},
      {DeviceTask::kDeviceChosen, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.task));
    WorkerRig rig;
    rig.host.ready = false;
    const uint64_t ticket = rig.worker.Queue(c.task);
    EXPECT_FALSE(rig.worker.IsFinished(ticket));
    rig.worker.QueueFilterEvent(5);
    rig.worker.Tick();
    EXPECT_EQ(rig.host.Calls(), c.calls);  // never disabled, nothing run
    EXPECT_TRUE(rig.worker.IsFinished(ticket));
    EXPECT_TRUE(rig.worker.Tasks().Empty());
    EXPECT_THAT(rig.clock.Sleeps(), IsEmpty());
  }
}

TEST(DeviceWorker, WriteTasksEndTheirBusyDialogAndArePacedBy100Ms) {
  WorkerRig rig;
  const uint64_t light = rig.worker.Queue(DeviceTask::kWriteLightSetting);
  const uint64_t colors = rig.worker.Queue(DeviceTask::kWriteCustomColors);
  rig.worker.Tick();
  EXPECT_TRUE(rig.worker.IsFinished(light));
  EXPECT_FALSE(rig.worker.IsFinished(colors));
  rig.worker.Tick();
  EXPECT_THAT(rig.host.Calls(), ElementsAre("disable", "task 7", "finished 1", "enable", "disable",
                                            "task 8", "finished 2", "enable"));
  ASSERT_EQ(rig.host.task_times.size(), 2u);
  EXPECT_GE(rig.host.task_times[1] - rig.host.task_times[0], 100);
  EXPECT_EQ(rig.clock.Sleeps(), (std::vector<platform::Milliseconds>{platform::Milliseconds(100),
                                                                     platform::Milliseconds(100)}));
}

TEST(DeviceWorker, OtherTasksRunWithoutPause) {
  WorkerRig rig;
  for (DeviceTask task : {DeviceTask::kReloadFromDevice, DeviceTask::kCheckFirmwareVersion,
                          DeviceTask::kRunFirmwareTool}) {
    rig.worker.Queue(task);
    rig.worker.Tick();
  }
  EXPECT_THAT(rig.host.Calls(), ElementsAre("disable", "task 5", "enable", "disable", "task 13",
                                            "enable", "disable", "task 16", "enable"));
  EXPECT_THAT(rig.clock.Sleeps(), IsEmpty());
}

TEST(DeviceWorker, IdleTicksAndOneFilterEventPerTick) {
  WorkerRig rig;
  rig.worker.QueueFilterEvent(7);
  rig.worker.QueueFilterEvent(8);
  rig.worker.Queue(DeviceTask::kDeviceChosen);
  rig.worker.Tick();
  rig.worker.Tick();
  rig.worker.Tick();
  EXPECT_THAT(rig.host.Calls(),
              ElementsAre("disable", "enable", "filter 7", "idle", "filter 8", "idle"));
}

TEST(DeviceWorker, RunsOnItsThreadUntilStopped) {
  platform::SteadyClock clock;
  FakeHost host(clock);
  DeviceWorker worker(host, clock);
  EXPECT_TRUE(worker.Start());
  EXPECT_FALSE(worker.Start());
  const uint64_t ticket = worker.Queue(DeviceTask::kWriteLightSetting);
  for (int i = 0; i < 200 && !worker.IsFinished(ticket); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_TRUE(worker.IsFinished(ticket));
  EXPECT_TRUE(worker.Stop());
  EXPECT_FALSE(worker.IsRunning());
  EXPECT_TRUE(worker.Start());  // a stopped worker starts again
  EXPECT_TRUE(worker.Stop());
}

}  // namespace
}  // namespace tessaro
