// The tables between stored codes and what the virtual device plays.
#include "app/macros/HidUsages.h"

#include <gtest/gtest.h>

#include <map>

namespace tessaro {
namespace {

TEST(HidUsages, VirtualKeyToUsage) {
  struct Case {
    uint32_t vk;
    int usage;
  };
  for (const Case& c : {
           Case{65, 4},    Case{90, 29},   Case{49, 30},   Case{57, 38},   Case{48, 39},
           Case{13, 40},   Case{32, 44},   Case{189, 45},  Case{220, 49},  Case{186, 51},
           Case{191, 56},  Case{20, 57},   Case{112, 58},  Case{123, 69},  Case{124, 104},
           Case{135, 115}, Case{44, 70},   Case{34, 78},   Case{39, 79},   Case{38, 82},
           Case{144, 83},  Case{108, 88},  Case{97, 89},   Case{105, 97},  Case{96, 98},
           Case{110, 99},  Case{162, 224}, Case{160, 225}, Case{92, 231},  Case{93, 101},
           Case{226, 100}, Case{254, 175}, Case{137, 137}, Case{181, 232}, Case{173, 235},
           Case{182, 249}, Case{16, 0},    Case{1, 0},     Case{0, 0},     Case{255, 0},
           Case{666, 0},
       }) {
    EXPECT_EQ(VirtualKeyToUsage(c.vk), c.usage) << c.vk;
  }
}

TEST(HidUsages, ConsumerUsagesAndMouseBits) {
  EXPECT_EQ(ConsumerUsage(232), 0x0183);
  EXPECT_EQ(ConsumerUsage(234), 0x00E9);
  EXPECT_EQ(ConsumerUsage(249), 0x0194);
  EXPECT_EQ(ConsumerUsage(231), 0);
  EXPECT_EQ(ConsumerUsage(250), 0);
  const std::map<int, std::optional<int>> bits = {
      {1, 0}, {2, 2}, {3, 1}, {7, 4}, {8, 3}, {0, std::nullopt}, {4, std::nullopt}};
  for (const auto& [code, bit] : bits) EXPECT_EQ(MouseButtonBit(code), bit) << code;
}

TEST(HidUsages, ShortcutsPressAndReleaseEveryKey) {
  using S = ShortcutStep;
  EXPECT_EQ(ShortcutSequence(2),
            (std::vector<S>{{224, true}, {6, true}, {6, false}, {224, false}}));
  EXPECT_EQ(ShortcutSequence(10),
            (std::vector<S>{{226, true}, {43, true}, {43, false}, {226, false}}));
  EXPECT_EQ(ShortcutSequence(13),
            (std::vector<S>{
                {226, true}, {44, true}, {27, true}, {27, false}, {44, false}, {226, false}}));
  EXPECT_TRUE(ShortcutSequence(0).empty());
  EXPECT_TRUE(ShortcutSequence(16).empty());
  for (int value = 1; value <= 15; ++value) {
    std::map<int, int> held;
    for (const S& step : ShortcutSequence(value)) held[step.usage] += step.down ? 1 : -1;
    for (const auto& [usage, count] : held) EXPECT_EQ(count, 0) << value << " " << usage;
  }
}

}  // namespace
}  // namespace tessaro
