#include "app/lights/ColorMath.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(ColorMathTest, HsvSectorsAndWrapping) {
  struct Case {
    int hue, saturation, value;
    uint32_t expected;
  };
  const Case cases[] = {
      {0, 0, 200, color::Ref(200, 200, 200)},  // no saturation: grey
      {0, 255, 255, color::Ref(255, 0, 0)},    // sector 0: (v, t, p)
      {30, 255, 255, color::Ref(255, 127, 0)},
      {60, 255, 255, color::Ref(255, 255, 0)},  // sector 1: (q, v, p)
      {90, 255, 255, color::Ref(127, 255, 0)},
      {120, 255, 255, color::Ref(0, 255, 0)},    // sector 2: (p, v, t)
      {180, 255, 255, color::Ref(0, 255, 255)},  // sector 3: (p, q, v)
      {240, 255, 255, color::Ref(0, 0, 255)},    // sector 4: (t, p, v)
      {300, 255, 255, color::Ref(255, 0, 255)},  // sector 5: (v, p, q)
      {359, 255, 255, color::Ref(255, 0, 5)},
      {360, 255, 255, color::Ref(255, 0, 0)},  // taken modulo 360
      {-120, 255, 255, color::Ref(0, 0, 255)},
      {120, 255, 153, color::Ref(0, 153, 0)},  // value scales every channel
      {120, 128, 255, color::Ref(127, 255, 127)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(color::Hsv(c.hue, c.saturation, c.value), c.expected)
        << "hue " << c.hue << " saturation " << c.saturation << " value " << c.value;
  }
}

TEST(ColorMathTest, SineRainbowAndLevels) {
  EXPECT_EQ(color::SineRainbow(0), color::Ref(127, 16, 237));
  EXPECT_EQ(color::SineRainbow(90), color::Ref(253, 63, 63));
  EXPECT_EQ(color::LevelFactor(100), 255);
  EXPECT_EQ(color::LevelFactor(60), 153);
  EXPECT_EQ(color::Dim(0xFF0000, 153), 0x980000u);
  EXPECT_EQ(color::Dim(0x00FFFF, 255), 0x00FEFEu);
}

}  // namespace
}  // namespace tessaro
