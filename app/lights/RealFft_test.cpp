#include "app/lights/RealFft.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace tessaro {
namespace {

// Against a plain discrete transform: value 0 is the sum, value 1 the
// alternating sum, values 2k and 2k+1 bin k, everything over 512.
TEST(RealFftTest, MatchesTheDiscreteTransformInPackedForm) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
  std::array<float, RealFft::kSize> values;
  for (float& v : values) v = sample(random);
  const std::array<float, RealFft::kSize> input = values;

  RealFft().Transform(values);

  constexpr int n = RealFft::kSize;
  for (int k = 0; k <= n / 2; ++k) {
    double re = 0.0, im = 0.0;
    for (int j = 0; j < n; ++j) {
      re += input[j] * std::cos(2.0 * M_PI * j * k / n);
      im -= input[j] * std::sin(2.0 * M_PI * j * k / n);
    }
    re /= n;
    im /= n;
    if (k == 0) {
      EXPECT_NEAR(values[0], re, 1e-5);
    } else if (k == n / 2) {
      EXPECT_NEAR(values[1], re, 1e-5);
    } else {
      EXPECT_NEAR(values[2 * k], re, 1e-5) << "bin " << k;
      EXPECT_NEAR(values[2 * k + 1], im, 1e-5) << "bin " << k;
    }
  }
}

TEST(RealFftTest, CosineLandsInItsBin) {
  std::array<float, RealFft::kSize> values;
  for (int j = 0; j < RealFft::kSize; ++j) {
    values[j] = static_cast<float>(std::cos(2.0 * M_PI * 10 * j / RealFft::kSize));
  }
  RealFft().Transform(values);
  EXPECT_NEAR(values[20], 0.5f, 1e-5);
  EXPECT_NEAR(values[21], 0.0f, 1e-5);
  EXPECT_NEAR(values[22], 0.0f, 1e-5);
  EXPECT_NEAR(values[0], 0.0f, 1e-5);
}

}  // namespace
}  // namespace tessaro
