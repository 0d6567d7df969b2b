#include "app/macros/UhidVHidev.h"

#include <gtest/gtest.h>

#include <thread>

#include "app/macros/FakeVHidev.h"
#include "app/macros/KeyAssignmentPlayer.h"
#include "app/macros/MacroPlayer.h"
#include "app/macros/MacroType.h"
#include "app/store/StoreTestSupport.h"
#include "platform/input/FakeVirtualHidDevice.h"
#include "platform/input/UhidPacket.h"

namespace tessaro {
namespace {

using platform::HidPacket;
using namespace std::chrono_literals;

HidPacket Keyboard(std::initializer_list<int> usages) {
  HidPacket packet{0x05, 0x01};
  for (int usage : usages) packet[3 + (usage >> 3)] |= static_cast<uint8_t>(1 << (usage & 7));
  return packet;
}
HidPacket Mouse(uint8_t buttons) {
  return HidPacket{0x05, 0x02, buttons};
}
HidPacket Consumer(uint16_t usage) {
  return HidPacket{0x05, 0x03, static_cast<uint8_t>(usage & 0xFF),
                   static_cast<uint8_t>(usage >> 8)};
}
const HidPacket kFourth{0x05, 0x04};
const std::vector<HidPacket> kReleaseAll{Keyboard({}), Mouse(0), Consumer(0), kFourth};

std::vector<HidPacket> Concat(std::vector<std::vector<HidPacket>> parts) {
  std::vector<HidPacket> all;
  for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class UhidVHidevTest : public ::testing::Test {
 protected:
  std::vector<HidPacket> Packets() const {
    std::vector<HidPacket> packets;
    for (const auto& record : uhid_.Records()) packets.push_back(record.packet);
    return packets;
  }
  void Play(int32_t type, int32_t value, bool press) {
    KeyAssignment row;
    row.key_code = 65;
    row.macro_type = type;
    row.macro_value = value;
    PlayAssignment(row, press, device_, handoff_);
  }

  platform::FakeClock clock_;
  platform::FakeVirtualHidDevice uhid_{clock_};
  UhidVHidev device_{uhid_, clock_};
  FakeVHidev handoff_;
};

TEST_F(UhidVHidevTest, TheDeviceIsMadeOnceWithItsIdsAndKeptWhileItWorks) {
  ASSERT_TRUE(device_.ReopenDevice());
  ASSERT_TRUE(device_.ReopenDevice());
  EXPECT_EQ(uhid_.Creates(), 1);
  const auto spec = uhid_.Spec();
  EXPECT_EQ(spec.name, "vhidev");
  EXPECT_EQ(spec.vendor_id, 0xDEED);
  EXPECT_EQ(spec.product_id, 0xFEED);
  EXPECT_EQ(spec.report_descriptor, platform::VirtualDeviceReportDescriptor());
}

TEST_F(UhidVHidevTest, AVanishedDeviceIsMadeAgainAndAMissingOneDropsEvents) {
  ASSERT_TRUE(device_.ReopenDevice());
  uhid_.Vanish();
  device_.KeyEvent(4, true);  // fails and finds the device gone
  EXPECT_TRUE(device_.ReopenDevice());
  EXPECT_EQ(uhid_.Creates(), 2);
  // The slot kept the key, so the next write carries it.
  device_.KeyEvent(5, true);
  EXPECT_EQ(Packets(), (std::vector<HidPacket>{Keyboard({4, 5})}));

  uhid_.Vanish();
  uhid_.RefuseCreate(true);
  device_.KeyEvent(5, false);
  uhid_.ClearRecords();
  Play(macro_type::kKey, 4, true);
  EXPECT_TRUE(Packets().empty());
}

TEST_F(UhidVHidevTest, KeysStayDownTogether) {
  Play(macro_type::kKey, 4, true);
  Play(macro_type::kKey, 5, true);
  Play(macro_type::kKey, 4, false);
  EXPECT_EQ(Packets(), (std::vector<HidPacket>{Keyboard({4}), Keyboard({4, 5}), Keyboard({5})}));
}

// The monitor thread and the device worker write at once: every packet must
// carry the slot as it was when the packet was written, so the last one shows
// the keys both threads left up.
TEST_F(UhidVHidevTest, TwoThreadsNeverWriteAStaleKeyboardReport) {
  ASSERT_TRUE(device_.ReopenDevice());
  auto toggle = [&](int usage) {
    for (int i = 0; i < 2000; ++i) {
      device_.KeyEvent(usage, true);
      device_.KeyEvent(usage, false);
    }
  };
  std::thread first(toggle, 4);
  std::thread second(toggle, 5);
  first.join();
  second.join();
  const auto records = uhid_.Records();
  ASSERT_EQ(records.size(), 8000u);
  EXPECT_EQ(records.back().packet, Keyboard({}));
}

TEST_F(UhidVHidevTest, ConsumerFunctionsSendTheirUsageThenZero) {
  Play(macro_type::kKey, 234, true);
  Play(macro_type::kKey, 234, false);
  EXPECT_EQ(Packets(), (std::vector<HidPacket>{Consumer(0x00E9), Consumer(0)}));
}

TEST_F(UhidVHidevTest, TheFiveMouseCodesPressTheirButtons) {
  const std::pair<int, uint8_t> codes[] = {{1, 0x01}, {2, 0x04}, {3, 0x02}, {7, 0x10}, {8, 0x08}};
  for (const auto& [code, bits] : codes) {
    SCOPED_TRACE(code);
    uhid_.ClearRecords();
    Play(macro_type::kMouse, code, true);
    Play(macro_type::kMouse, code, false);
    EXPECT_EQ(Packets(), (std::vector<HidPacket>{Mouse(bits), Mouse(0)}));
  }
}

TEST_F(UhidVHidevTest, ShortcutThirteenWaitsBetweenStepsAndLeavesNothingDown) {
  Play(macro_type::kShortcut, 13, true);
  Play(macro_type::kShortcut, 13, false);
  EXPECT_EQ(Packets(), Concat({{Keyboard({226}), Keyboard({226, 44}), Keyboard({226, 44, 27}),
                                Keyboard({226, 44}), Keyboard({226}), Keyboard({})},
                               kReleaseAll}));
  EXPECT_EQ(clock_.Sleeps(), std::vector<platform::Milliseconds>(5, 10ms));
  const auto records = uhid_.Records();
  EXPECT_EQ(records[5].time - records[0].time, 50ms);
}

TEST_F(UhidVHidevTest, OtherShortcutValuesPlayNothingButTheRelease) {
  Play(macro_type::kShortcut, 16, true);
  EXPECT_EQ(Packets(), kReleaseAll);
}

class MacroPlaybackTest : public UhidVHidevTest {
 protected:
  void SetUp() override { ASSERT_TRUE(store_.Open(folder_.Path(), "K1")); }

  int32_t AddMacro(int32_t play_times, std::vector<MacroStep> steps) {
    const int32_t id = store_.AddMacro("m");
    MacroRecord macro;
    store_.GetMacro(id, macro);
    macro.play_times = play_times;
    store_.UpdateMacroPlayback(macro);
    for (size_t i = 0; i < steps.size(); ++i) {
      steps[i].macro_id = id;
      steps[i].record_index = static_cast<int32_t>(i);
    }
    store_.ReplaceMacroSteps(id, steps);
    return id;
  }

  testing::TempFolder folder_;
  ConfigStore store_;
  MacroPlayer player_{device_, store_, clock_};
};

MacroStep Step(int32_t type, int32_t vk, int32_t delay) {
  MacroStep step;
  step.type = type;
  step.value = vk;
  step.delay_time = delay;
  return step;
}

TEST_F(MacroPlaybackTest, AMacroPlaysItsStepsEachPassAndReleasesAfterEach) {
  // A down, 30 ms, A up, 0 ms (waits 5), mute down, 12 ms, mute up, 7 ms.
  const int32_t id =
      AddMacro(3, {Step(2, 'A', 30), Step(3, 'A', 0), Step(2, 173, 12), Step(3, 173, 7)});
  player_.PlayMacro(id);
  const std::vector<HidPacket> pass{Keyboard({4}), Keyboard({}), Consumer(0x00E2), Consumer(0)};
  EXPECT_EQ(Packets(),
            Concat({kReleaseAll, pass, kReleaseAll, pass, kReleaseAll, pass, kReleaseAll}));
  std::vector<platform::Milliseconds> waits;
  for (int i = 0; i < 3; ++i) waits.insert(waits.end(), {30ms, 5ms, 12ms, 7ms});
  EXPECT_EQ(clock_.Sleeps(), waits);
}

TEST_F(MacroPlaybackTest, AKeyWithoutUsageSendsUsageZero) {
  const int32_t id = AddMacro(1, {Step(2, 0xFF, 0)});
  player_.PlayMacro(id);
  EXPECT_EQ(Packets(), Concat({kReleaseAll, {Keyboard({0})}, kReleaseAll}));
}

TEST_F(MacroPlaybackTest, MissingMacrosAndZeroPassesPlayNothing) {
  player_.PlayMacro(999);
  EXPECT_EQ(Packets(), kReleaseAll);
  uhid_.ClearRecords();
  player_.PlayMacro(AddMacro(0, {Step(2, 'A', 0)}));
  EXPECT_EQ(Packets(), kReleaseAll);
  uhid_.ClearRecords();
  uhid_.RefuseCreate(true);
  uhid_.Vanish();
  device_.KeyEvent(4, false);
  uhid_.ClearRecords();
  player_.PlayMacro(AddMacro(1, {Step(2, 'A', 0)}));
  EXPECT_TRUE(Packets().empty());
}

}  // namespace
}  // namespace tessaro
