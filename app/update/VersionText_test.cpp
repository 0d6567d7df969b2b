#include "app/update/VersionText.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(CompareVersions, NumericPartsWithMissingPartsAsZero) {
  struct Case {
    const char* current;
    const char* latest;
    int expected;
  } cases[] = {
      {"1.0.1", "1.0.2", 1},     {"1.0.1", "1.0.1", 0},
      {"1.0.2", "1.0.1", -1},    {"1.0.1", "1.1", 1},  // fewer parts, still newer
      {"1.0.1", "1.0", -1},      {"1.0", "1.0.0", 0},
      {"1.0.0", "1", 0},         {"1.9", "1.10", 1},                    // numbers, not text
      {"1.01", "1.1", 0},        {"1.0.1", "99999999999999999999", 1},  // no overflow
      {"1.0.1", "Not Found", 0}, {"1.0.1", "1.0.x", 0},
      {"1.0.1", "1..2", 0},      {"1.0.1", "", 0},
      {"1.0.1", "-2", 0},        {"1.0.1", " 2", 0},
      {"1.0.1", "2.", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareVersions(c.current, c.latest), c.expected) << c.current << " vs " << c.latest;
  }
}

TEST(VersionText, TrimsLineEndsAndReadsFirmwareInHex) {
  EXPECT_EQ(TrimVersionText(" 1.0.2\r\n"), "1.0.2");
  EXPECT_EQ(TrimVersionText("\n"), "");

  struct Case {
    const char* text;
    std::optional<uint16_t> expected;
  } cases[] = {
      {"107", 0x0107},
      {"10a", 0x010A},
      {"10B", 0x010B},
      {"ffff", 0xFFFF},
      {"0", 0},
      {"", std::nullopt},
      {"10000", std::nullopt},
      {"1.0", std::nullopt},
      {"0x10", std::nullopt},
      {"Not Found", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseFirmwareVersion(c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace tessaro
