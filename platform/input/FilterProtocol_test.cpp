#include "platform/input/FilterProtocol.h"

#include <gtest/gtest.h>

#include <numeric>

namespace platform::filter {
namespace {

TEST(FilterProtocol, TableEntriesAreCodeThenMarks) {
  const int32_t codes[] = {0x41, 0x6C, 0x1234};
  const auto table = BuildKeyTable(codes);
  const uint8_t expected[] = {0x41, 0x00, 0x07, 0x02, 0x6C, 0x00,
                              0x07, 0x02, 0x34, 0x12, 0x07, 0x02};
  EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), table.begin()));
  EXPECT_TRUE(std::all_of(table.begin() + 12, table.end(), [](uint8_t b) { return b == 0; }));
  EXPECT_EQ(ParseKeyTable(table), (std::vector<uint16_t>{0x41, 0x6C, 0x1234}));
}

TEST(FilterProtocol, OnlyTheFirst256RowsReachTheTable) {
  std::vector<int32_t> codes(300);
  std::iota(codes.begin(), codes.end(), 1);
  const auto parsed = ParseKeyTable(BuildKeyTable(codes));
  ASSERT_TRUE(parsed);
  ASSERT_EQ(parsed->size(), 256u);
  EXPECT_EQ(parsed->front(), 1);
  EXPECT_EQ(parsed->back(), 256);
}

TEST(FilterProtocol, ClearingTakes256ZeroBytesAndOtherSizesAreRefused) {
  const std::vector<uint8_t> clear(kClearSize, 0);
  EXPECT_EQ(ParseKeyTable(clear), std::vector<uint16_t>{});
  EXPECT_FALSE(ParseKeyTable(std::vector<uint8_t>(1023, 0)));
  EXPECT_FALSE(ParseKeyTable(std::vector<uint8_t>{}));
}

TEST(FilterProtocol, EventsCarryCodeAndPressBit) {
  EXPECT_EQ(EncodeKeyEvent({0x6C, true}), (std::array<uint8_t, 4>{0x6C, 0x00, 0x00, 0x01}));
  EXPECT_EQ(EncodeKeyEvent({0x0141, false}), (std::array<uint8_t, 4>{0x41, 0x01, 0x00, 0x00}));
  const std::array<uint8_t, 4> bytes{0x41, 0x00, 0x99, 0x03};
  EXPECT_EQ(DecodeKeyEvent(bytes), (KeyEvent{0x41, true}));
}

}  // namespace
}  // namespace platform::filter
