#include "platform/input/KeyFrames.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

namespace platform {
namespace {

constexpr InputEvent kSyn{EV_SYN, SYN_REPORT, 0, 0};

TEST(KeyFrames, TakenKeysLeaveWithTheirScanCode) {
  auto takes = [](uint16_t code) { return code == KEY_A; };
  struct Case {
    const char* name;
    std::vector<InputEvent> frame;
    std::vector<InputEvent> pass;
    std::vector<InputEvent> taken;
  };
  const InputEvent scan_a{EV_MSC, MSC_SCAN, 0x1E, 0};
  const InputEvent scan_b{EV_MSC, MSC_SCAN, 0x30, 0};
  const InputEvent a{EV_KEY, KEY_A, 1, 0};
  const InputEvent b{EV_KEY, KEY_B, 1, 0};
  const InputEvent led{EV_LED, LED_NUML, 1, 0};
  const Case cases[] = {
      {"only a taken key: nothing passes", {scan_a, a, kSyn}, {}, {a}},
      {"other key passes whole", {scan_b, b, kSyn}, {scan_b, b, kSyn}, {}},
      {"mixed frame", {scan_a, a, scan_b, b, kSyn}, {scan_b, b, kSyn}, {a}},
      {"other event types pass", {led, scan_a, a, kSyn}, {led, kSyn}, {a}},
      {"a lone scan code passes", {scan_b, kSyn}, {scan_b, kSyn}, {}},
      {"two scan codes before one key", {scan_b, scan_a, a, kSyn}, {scan_b, kSyn}, {a}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<InputEvent> pass;
    std::vector<InputEvent> taken;
    SplitFrame(c.frame, takes, pass, taken);
    EXPECT_EQ(pass, c.pass);
    EXPECT_EQ(taken, c.taken);
  }
}

TEST(KeyFrames, AnUnfinishedFrameWaitsForTheNextRead) {
  const InputEvent b{EV_KEY, KEY_B, 1, 0};
  std::vector<InputEvent> pending{b, kSyn, b};
  std::vector<size_t> sizes;
  ForEachFrame(pending, [&](std::span<const InputEvent> frame) { sizes.push_back(frame.size()); });
  EXPECT_EQ(sizes, std::vector<size_t>{2});
  EXPECT_EQ(pending, std::vector<InputEvent>{b});
}

}  // namespace
}  // namespace platform
