#include "app/macros/FilterMonitor.h"

#include <gtest/gtest.h>

#include <thread>

#include "app/macros/FakeVHidev.h"
#include "app/macros/MacroType.h"
#include "app/macros/UhidVHidev.h"
#include "app/store/StoreTestSupport.h"
#include "platform/input/FakeFilterDevice.h"
#include "platform/input/FakeInputBackend.h"
#include "platform/input/FakeVirtualHidDevice.h"
#include "platform/input/KeyCodeTable.h"
#include "platform/input/KeyFilter.h"

namespace tessaro {
namespace {

namespace filter = platform::filter;
using namespace std::chrono_literals;
using Request = platform::FakeFilterDevice::Request;

bool WaitUntil(const std::function<bool()>& condition) {
  const auto end = std::chrono::steady_clock::now() + 5s;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

class FilterMonitorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store_.Open(folder_.Path(), "K1"));
    ProfileRecord profile;
    profile.name = "p";
    profile_ = store_.AddProfile(profile);
    ASSERT_TRUE(store_.SetActiveProfile(profile_));
  }

  void Assign(int32_t key_code, int32_t type, int32_t value) {
    KeyAssignment row;
    row.profile = profile_;
    row.key_code = key_code;
    row.macro_type = type;
    row.macro_value = value;
    ASSERT_GT(store_.SaveKeyAssignment(row), 0);
  }

  testing::TempFolder folder_;
  ConfigStore store_;
  int32_t profile_ = 0;
  platform::FakeFilterDevice filter_;
  FakeVHidev device_;
  KeyAssignmentPlayer player_{device_, device_};
  FilterMonitor monitor_{filter_, device_};
};

const Request kClear{filter::kSetKeyTable, std::vector<uint8_t>(filter::kClearSize, 0)};

TEST_F(FilterMonitorTest, ARebuildWithRowsSendsTheTableAndStartsTheMonitor) {
  Assign('A', macro_type::kKey, 5);
  Assign(108, macro_type::kDisabled, 1);
  EXPECT_EQ(monitor_.RebuildKeyTable(store_, player_), 2);
  std::vector<uint8_t> table(filter::kTableSize, 0);
  const std::vector<int32_t> codes{'A', 108};
  const auto built = filter::BuildKeyTable(codes);
  table.assign(built.begin(), built.end());
  EXPECT_EQ(filter_.Requests(), (std::vector<Request>{kClear,
                                                      {filter::kSetKeyTable, table},
                                                      {filter::kDiscardEvents, {}},
                                                      {filter::kArm, {}}}));
  EXPECT_TRUE(monitor_.MonitorRunning());
  EXPECT_EQ(device_.Calls().front(), "ReleaseAll");
}

TEST_F(FilterMonitorTest, ARebuildWithoutRowsClearsTheTableAndRunsNoMonitor) {
  Assign('A', macro_type::kKey, 5);
  monitor_.RebuildKeyTable(store_, player_);
  filter_.ClearRequests();
  // The profile's only assignment is restored to default, which removes it.
  KeyAssignment restored;
  restored.profile = profile_;
  restored.key_code = 'A';
  EXPECT_EQ(store_.SaveKeyAssignment(restored), 0);
  EXPECT_EQ(monitor_.RebuildKeyTable(store_, player_), 0);
  EXPECT_EQ(filter_.Requests(), std::vector<Request>{kClear});
  EXPECT_FALSE(monitor_.MonitorRunning());
  EXPECT_FALSE(player_.OnFilterEvent('A', true));
}

TEST_F(FilterMonitorTest, OnlyTheFirst256Of300RowsReachTheTable) {
  std::vector<KeyAssignment> rows;
  for (int32_t code = 1; code <= 300; ++code) Assign(code, macro_type::kDisabled, 1);
  EXPECT_EQ(monitor_.RebuildKeyTable(store_, player_), 256);
  std::vector<KeyAssignment> loaded;
  store_.LoadKeyAssignments(profile_, 0, loaded);
  const auto table = filter_.Table();
  ASSERT_EQ(table.size(), 256u);
  for (size_t i = 0; i < table.size(); ++i) EXPECT_EQ(table[i], loaded[i].key_code);
  // The 257th row plays nothing: the player never got it.
  EXPECT_FALSE(player_.OnFilterEvent(loaded[256].key_code, true));
  EXPECT_TRUE(player_.OnFilterEvent(loaded[255].key_code, true));
}

TEST_F(FilterMonitorTest, FilterEventsReachTheHandlerAndAMacroKeyQueuesOncePerPress) {
  Assign('A', macro_type::kMacro, 7);
  monitor_.AddProxy(player_);
  monitor_.AddProxy(player_);
  EXPECT_EQ(monitor_.ProxyCount(), 1);
  monitor_.RebuildKeyTable(store_, player_);
  device_.ClearCalls();
  filter_.QueueEvent({'A', true});
  filter_.QueueEvent({'A', true});  // a repeat that got through
  filter_.QueueEvent({'A', false});
  filter_.QueueEvent({'A', true});
  filter_.QueueEvent({'A', false});
  ASSERT_TRUE(WaitUntil([&] { return filter_.Waits() >= 6; }));
  EXPECT_EQ(device_.Calls(), (std::vector<std::string>{"QueueMacro 7", "QueueMacro 7"}));
}

TEST_F(FilterMonitorTest, StopEndsAPendingWaitAndShutdownClears) {
  Assign('A', macro_type::kKey, 5);
  monitor_.AddProxy(player_);
  monitor_.RebuildKeyTable(store_, player_);
  ASSERT_TRUE(WaitUntil([&] { return filter_.Waits() >= 1; }));
  filter_.ClearRequests();
  device_.ClearCalls();
  monitor_.Shutdown();
  EXPECT_FALSE(monitor_.MonitorRunning());
  EXPECT_EQ(filter_.Requests(), std::vector<Request>{kClear});
  EXPECT_EQ(device_.Calls(), std::vector<std::string>{"ReleaseAll"});
}

TEST_F(FilterMonitorTest, RebuildsFromTwoThreadsNeverInterleave) {
  Assign('A', macro_type::kKey, 5);
  monitor_.AddProxy(player_);
  std::thread worker([&] {
    for (int i = 0; i < 20; ++i) monitor_.RebuildKeyTable(store_, player_);
  });
  for (int i = 0; i < 20; ++i) monitor_.RebuildKeyTable(store_, player_);
  worker.join();
  // Each rebuild is clear, table, discard, arm, in one piece.
  const auto requests = filter_.Requests();
  ASSERT_EQ(requests.size(), 40u * 4);
  for (size_t i = 0; i < requests.size(); i += 4) {
    EXPECT_EQ(requests[i], kClear);
    EXPECT_EQ(requests[i + 3].code, filter::kArm);
  }
  EXPECT_TRUE(monitor_.MonitorRunning());
}

// The whole path on fakes: a key of the served keyboard, the filter, the
// monitor thread, the player and the virtual device's packets, while another
// key passes through untouched.
TEST_F(FilterMonitorTest, KeyboardEventsTurnIntoPackets) {
  platform::FakeInputBackend backend;
  const platform::UsbId served{0x1234, 0x5678};
  const std::string node = backend.AddNode(served);
  platform::KeyFilter key_filter(backend, {served});
  platform::FakeClock clock;
  platform::FakeVirtualHidDevice uhid(clock);
  UhidVHidev device(uhid, clock);
  FakeVHidev handoff;
  KeyAssignmentPlayer player(device, handoff);
  FilterMonitor monitor(key_filter, device);
  monitor.AddProxy(player);

  Assign('A', macro_type::kKey, 5);  // A plays B
  monitor.RebuildKeyTable(store_, player);
  ASSERT_TRUE(backend.Grabbed(node));
  uhid.ClearRecords();

  const uint16_t key_a = *platform::LinuxKeyFromVirtual('A');
  const uint16_t key_c = *platform::LinuxKeyFromVirtual('C');
  backend.PushKey(node, key_a, 1);
  backend.PushKey(node, key_a, 2);
  backend.PushKey(node, key_c, 1);
  backend.PushKey(node, key_a, 0);
  ASSERT_TRUE(WaitUntil([&] { return uhid.Records().size() >= 2; }));
  const auto records = uhid.Records();
  EXPECT_EQ(records[0].packet, (platform::HidPacket{0x05, 0x01, 0x00, 0x20}));
  EXPECT_EQ(records[1].packet, (platform::HidPacket{0x05, 0x01, 0x00, 0x00}));
  ASSERT_TRUE(backend.WaitPassed(node, 3, 3s));
  EXPECT_EQ(backend.Passed(node)[1].code, key_c);
  EXPECT_EQ(backend.Passed(node)[1].value, 1);

  monitor.Shutdown();
  EXPECT_FALSE(backend.Grabbed(node));
}

}  // namespace
}  // namespace tessaro
