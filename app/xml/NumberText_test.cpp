#include "app/xml/NumberText.h"

#include <gtest/gtest.h>

#include <limits>

namespace tessaro {
namespace {

TEST(ParseLong, ReadsLikeWcstolWithA32BitLong) {
  struct Case {
    const char* text;
    int base;
    int32_t expected;
  };
  const Case cases[] = {
      {"42", 10, 42},
      {"  -7", 10, -7},
      {"+13", 10, 13},
      {"12abc", 10, 12},
      {"", 10, 0},
      {"abc", 10, 0},
      {"-", 10, 0},
      {"99999999999", 10, std::numeric_limits<int32_t>::max()},
      {"-2147483648", 10, std::numeric_limits<int32_t>::min()},
      {"-99999999999", 10, std::numeric_limits<int32_t>::min()},
      {"0x1A2b", 16, 0x1A2B},
      {"1a2B", 16, 0x1A2B},
      {"0X00ff", 16, 0xFF},
      {"0x", 16, 0},
      {"0xg", 16, 0},
      {"ffffffff", 16, std::numeric_limits<int32_t>::max()},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseLong(c.text, c.base), c.expected) << '"' << c.text << '"';
}

}  // namespace
}  // namespace tessaro
