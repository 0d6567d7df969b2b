#include "app/macros/WorkerPlaybackHandoff.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/macros/FakeVHidev.h"
#include "app/macros/KeyAssignmentPlayer.h"
#include "app/macros/MacroType.h"

namespace tessaro {
namespace {

class Host final : public DeviceWorkerHost {
 public:
  void DetectAndUpdatePages() override {}
  void StartEndpointWatch() override {}
  void CheckSoftwareVersion() override {}
  bool DeviceReady() override { return true; }
  void EnableWindow(bool) override {}
  void RunTask(DeviceTask) override {}
  void WriteTaskFinished(uint64_t) override {}
  void IdleTick() override {}
  void HandleFilterEvent(int value) override { macros.push_back(value); }

  std::vector<int> macros;
};

TEST(WorkerPlaybackHandoff, MacrosReachTheWorkerOncePerPressAndSoftwareFunctionsArePosted) {
  platform::FakeClock clock;
  Host host;
  DeviceWorker worker(host, clock);
  std::vector<std::vector<int>> posted;
  WorkerPlaybackHandoff handoff(worker, [&](int message, int first, int second) {
    posted.push_back({message, first, second});
  });
  FakeVHidev device;
  KeyAssignmentPlayer player(device, handoff);
  KeyAssignment macro_key;
  macro_key.key_code = 'M';
  macro_key.macro_type = macro_type::kMacro;
  macro_key.macro_value = 12;
  KeyAssignment text_key;
  text_key.key_code = 'T';
  text_key.macro_type = macro_type::kText;
  text_key.macro_value = 40;
  player.SetAssignments({macro_key, text_key});

  for (bool press : {true, true, false, true, false}) player.OnFilterEvent('M', press);
  player.OnFilterEvent('T', true);
  player.OnFilterEvent('T', false);
  for (int tick = 0; tick < 4; ++tick) worker.Tick();

  EXPECT_EQ(host.macros, (std::vector<int>{12, 12}));
  EXPECT_EQ(posted, (std::vector<std::vector<int>>{{1092, 0, 40}}));
}

}  // namespace
}  // namespace tessaro
