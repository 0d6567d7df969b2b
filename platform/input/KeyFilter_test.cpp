#include "platform/input/KeyFilter.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <atomic>
#include <thread>

#include "platform/input/FakeInputBackend.h"

namespace platform {
namespace {

using namespace std::chrono_literals;

constexpr UsbId kServed{0x1234, 0x5678};
constexpr uint16_t kVkA = 'A';
constexpr uint16_t kVkPadEnter = 108;

class KeyFilterTest : public ::testing::Test {
 protected:
  KeyFilterTest() : node_(backend_.AddNode(kServed)) {}

  bool SetTable(std::vector<int32_t> codes) {
    const auto table = filter::BuildKeyTable(codes);
    return filter_.Control(filter::kSetKeyTable, table, {});
  }
  bool ClearTable() {
    const std::vector<uint8_t> zeros(filter::kClearSize, 0);
    return filter_.Control(filter::kSetKeyTable, zeros, {});
  }
  // The rebuild's sequence after a table with rows.
  void Arm() {
    ASSERT_TRUE(filter_.Control(filter::kDiscardEvents, {}, {}));
    ASSERT_TRUE(filter_.Control(filter::kArm, {}, {}));
  }

  // The next reported event, or nothing within the time-out.
  std::optional<filter::KeyEvent> NextEvent(std::chrono::milliseconds timeout = 3s) {
    std::atomic<bool> done{false};
    std::thread watchdog([&] {
      const auto end = std::chrono::steady_clock::now() + timeout;
      while (!done && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(1ms);
      if (!done) filter_.CancelWaits();
    });
    std::array<uint8_t, filter::kEventSize> out{};
    const bool ok = filter_.Control(filter::kWaitKeyEvent, {}, out);
    done = true;
    watchdog.join();
    filter_.ResetCancel();
    if (!ok) return std::nullopt;
    return filter::DecodeKeyEvent(out);
  }

  bool WaitUntil(const std::function<bool()>& condition) {
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (!condition()) {
      if (std::chrono::steady_clock::now() > end) return false;
      std::this_thread::sleep_for(2ms);
    }
    return true;
  }

  FakeInputBackend backend_;
  std::string node_;
  KeyFilter filter_{backend_, {kServed}};
};

std::vector<InputEvent> KeyFrame(uint16_t code, int32_t value, int32_t scan) {
  return {{EV_MSC, MSC_SCAN, scan, 0}, {EV_KEY, code, value, 0}, {EV_SYN, SYN_REPORT, 0, 0}};
}

TEST_F(KeyFilterTest, TableKeysAreReportedAndEveryOtherEventPassesUnchanged) {
  ASSERT_TRUE(SetTable({kVkA, kVkPadEnter}));
  Arm();
  EXPECT_TRUE(backend_.Grabbed(node_));
  EXPECT_EQ(filter_.GrabbedNodes(), 1);

  // B passes with its scan code and SYN frames; A is taken, auto-repeat and all.
  backend_.PushKey(node_, KEY_B, 1);
  backend_.PushKey(node_, KEY_A, 1);
  backend_.PushKey(node_, KEY_A, 2);
  backend_.PushKey(node_, KEY_A, 2);
  backend_.PushKey(node_, KEY_B, 2);
  backend_.PushKey(node_, KEY_A, 0);
  backend_.PushKey(node_, KEY_B, 0);
  backend_.PushKey(node_, KEY_KPENTER, 1);
  backend_.PushKey(node_, KEY_KPENTER, 0);

  EXPECT_EQ(NextEvent(), (filter::KeyEvent{kVkA, true}));
  EXPECT_EQ(NextEvent(), (filter::KeyEvent{kVkA, false}));
  EXPECT_EQ(NextEvent(), (filter::KeyEvent{kVkPadEnter, true}));
  EXPECT_EQ(NextEvent(), (filter::KeyEvent{kVkPadEnter, false}));
  EXPECT_FALSE(NextEvent(50ms));

  std::vector<InputEvent> expected;
  // Events do not make the filter look for keyboards again.
  const int scans = backend_.Scans();
  backend_.PushKey(node_, KEY_B, 1);
  backend_.PushKey(node_, KEY_B, 0);
  ASSERT_TRUE(backend_.WaitPassed(node_, 15, 3s));
  EXPECT_EQ(backend_.Scans(), scans);
  for (int32_t value : {1, 0}) {
    const auto frame = KeyFrame(KEY_B, value, 0x30);
    expected.insert(expected.end(), frame.begin(), frame.end());
  }
  std::vector<InputEvent> first;
  for (int32_t value : {1, 2, 0}) {
    const auto frame = KeyFrame(KEY_B, value, 0x30);
    first.insert(first.end(), frame.begin(), frame.end());
  }
  expected.insert(expected.begin(), first.begin(), first.end());
  EXPECT_EQ(backend_.Passed(node_), expected);
}

TEST_F(KeyFilterTest, OtherEventsOfAFrameWithATableKeyStillPass) {
  ASSERT_TRUE(SetTable({kVkA}));
  Arm();
  backend_.Push(node_, {{EV_MSC, MSC_SCAN, 0x1E, 0},
                        {EV_KEY, KEY_A, 1, 0},
                        {EV_MSC, MSC_SCAN, 0x30, 0},
                        {EV_KEY, KEY_B, 1, 0},
                        {EV_SYN, SYN_REPORT, 0, 0}});
  EXPECT_EQ(NextEvent(), (filter::KeyEvent{kVkA, true}));
  ASSERT_TRUE(backend_.WaitPassed(node_, 3, 3s));
  EXPECT_EQ(backend_.Passed(node_), KeyFrame(KEY_B, 1, 0x30));
}

TEST_F(KeyFilterTest, EmptyTableGivesTheKeyboardBackAndReportsNothing) {
  ASSERT_TRUE(SetTable({kVkA}));
  Arm();
  ASSERT_TRUE(backend_.Grabbed(node_));
  ASSERT_TRUE(ClearTable());
  EXPECT_FALSE(backend_.Grabbed(node_));
  EXPECT_FALSE(backend_.HasClone(node_));
  EXPECT_EQ(backend_.OpenNodes(), 0);

  // A table with rows is only taken up once it is armed.
  ASSERT_TRUE(SetTable({kVkA}));
  EXPECT_FALSE(backend_.Grabbed(node_));
  Arm();
  EXPECT_TRUE(backend_.Grabbed(node_));
}

TEST_F(KeyFilterTest, DiscardDropsEventsOfTheTableBefore) {
  ASSERT_TRUE(SetTable({kVkA}));
  Arm();
  backend_.PushKey(node_, KEY_A, 1);
  // Frames are handled in order: once B has passed, A's press is queued.
  backend_.PushKey(node_, KEY_B, 1);
  ASSERT_TRUE(backend_.WaitPassed(node_, 3, 3s));
  ASSERT_TRUE(filter_.Control(filter::kDiscardEvents, {}, {}));
  EXPECT_FALSE(NextEvent(50ms));
}

TEST_F(KeyFilterTest, ControlRefusesWrongSizesAndUnknownCodes) {
  EXPECT_FALSE(filter_.Control(filter::kSetKeyTable, std::vector<uint8_t>(100, 0), {}));
  std::array<uint8_t, 3> small{};
  EXPECT_FALSE(filter_.Control(filter::kWaitKeyEvent, {}, small));
  EXPECT_FALSE(filter_.Control(0x222222, {}, {}));
}

TEST_F(KeyFilterTest, ACancelledWaitReturnsFalse) {
  std::thread canceller([&] {
    std::this_thread::sleep_for(20ms);
    filter_.CancelWaits();
  });
  std::array<uint8_t, 4> out{};
  EXPECT_FALSE(filter_.Control(filter::kWaitKeyEvent, {}, out));
  canceller.join();
}

TEST_F(KeyFilterTest, AKeyboardWithKeysDownIsGrabbedOnceTheyAreUp) {
  backend_.SetKeysDown(node_, true);
  ASSERT_TRUE(SetTable({kVkA}));
  Arm();
  EXPECT_FALSE(backend_.Grabbed(node_));
  backend_.SetKeysDown(node_, false);
  EXPECT_TRUE(WaitUntil([&] { return backend_.Grabbed(node_); }));
}

TEST_F(KeyFilterTest, ARefusedGrabLeavesTheKeyboardAloneAndIsTriedAgain) {
  backend_.RefuseGrab(node_, true);
  ASSERT_TRUE(SetTable({kVkA}));
  Arm();
  // No grab, no clone: every key still reaches the system directly.
  EXPECT_FALSE(backend_.Grabbed(node_));
  EXPECT_FALSE(backend_.HasClone(node_));
  backend_.RefuseGrab(node_, false);
  EXPECT_TRUE(WaitUntil([&] { return backend_.Grabbed(node_); }));
  EXPECT_TRUE(backend_.HasClone(node_));
}

TEST_F(KeyFilterTest, UnplugReleasesHeldTableKeysAndTheKeyboardIsTakenAgainWhenItReturns) {
  ASSERT_TRUE(SetTable({kVkA}));
  Arm();
  backend_.PushKey(node_, KEY_A, 1);
  EXPECT_EQ(NextEvent(), (filter::KeyEvent{kVkA, true}));
  backend_.Unplug(node_);
  // The keyboard cannot send the release any more; the filter does.
  EXPECT_EQ(NextEvent(), (filter::KeyEvent{kVkA, false}));
  EXPECT_TRUE(WaitUntil([&] { return !backend_.HasClone(node_) && backend_.OpenNodes() == 0; }));

  backend_.Replug(node_);
  EXPECT_TRUE(WaitUntil([&] { return backend_.Grabbed(node_); }));
  backend_.PushKey(node_, KEY_A, 1);
  EXPECT_EQ(NextEvent(), (filter::KeyEvent{kVkA, true}));
}

TEST_F(KeyFilterTest, OnlyTheServedKeyboardIsTaken) {
  const std::string other = backend_.AddNode({0x1111, 0x2222});
  const std::string clone = backend_.AddNode(kServed, /*virtual_device=*/true);
  ASSERT_TRUE(SetTable({kVkA}));
  Arm();
  EXPECT_TRUE(backend_.Grabbed(node_));
  EXPECT_FALSE(backend_.Grabbed(other));
  EXPECT_FALSE(backend_.Grabbed(clone));
}

TEST(KeyFilterEnd, EndingTheProcessLeavesTheKeyboardWorking) {
  FakeInputBackend backend;
  const std::string node = backend.AddNode(kServed);
  {
    KeyFilter filter(backend, {kServed});
    const auto table = filter::BuildKeyTable(std::vector<int32_t>{kVkA});
    ASSERT_TRUE(filter.Control(filter::kSetKeyTable, table, {}));
    ASSERT_TRUE(filter.Control(filter::kArm, {}, {}));
    ASSERT_TRUE(backend.Grabbed(node));
    // No clear, no stop: the filter goes away with its open nodes, as the
    // kernel closes them for a killed process.
  }
  EXPECT_FALSE(backend.Grabbed(node));
  EXPECT_FALSE(backend.HasClone(node));
  EXPECT_EQ(backend.OpenNodes(), 0);
}

TEST_F(KeyFilterTest, ATableKeyHeldWhenRecordingStartsIsReleasedThroughTheTable) {
  ASSERT_TRUE(SetTable({kVkA}));
  Arm();
  backend_.PushKey(node_, KEY_A, 1);
  EXPECT_EQ(NextEvent(), (filter::KeyEvent{kVkA, true}));
  std::atomic<int> strokes{0};
  filter_.SetStrokeHandler([&](const KeyStroke&) { ++strokes; });
  backend_.PushKey(node_, KEY_A, 0);
  EXPECT_EQ(NextEvent(), (filter::KeyEvent{kVkA, false}));
  filter_.SetStrokeHandler(nullptr);
  EXPECT_EQ(strokes, 0);
  // And the key works again afterwards.
  backend_.PushKey(node_, KEY_A, 1);
  EXPECT_EQ(NextEvent(), (filter::KeyEvent{kVkA, true}));
}

TEST_F(KeyFilterTest, RecordingTakesEveryKeyWithItsScanCodeAndTime) {
  std::mutex mutex;
  std::vector<KeyStroke> strokes;
  filter_.SetStrokeHandler([&](const KeyStroke& stroke) {
    std::lock_guard lock(mutex);
    strokes.push_back(stroke);
  });
  EXPECT_TRUE(backend_.Grabbed(node_));
  backend_.PushKey(node_, KEY_KP7, 1, 1000);
  backend_.PushKey(node_, KEY_KP7, 2, 1500);
  backend_.PushKey(node_, KEY_KP7, 0, 2000);
  ASSERT_TRUE(WaitUntil([&] {
    std::lock_guard lock(mutex);
    return strokes.size() == 3;
  }));
  EXPECT_EQ(strokes[0].key, (VirtualKey{103, 0x47, false}));
  EXPECT_EQ(strokes[1].value, 2);
  EXPECT_EQ(strokes[2].value, 0);
  EXPECT_EQ(strokes[2].time_us, 2000);
  EXPECT_TRUE(backend_.Passed(node_).empty());

  filter_.SetStrokeHandler(nullptr);
  EXPECT_FALSE(backend_.Grabbed(node_));
}

}  // namespace
}  // namespace platform
