#include "app/lights/Visualizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/lights/ColorMath.h"
#include "platform/audio/FakeLoopbackCapture.h"

namespace tessaro {
namespace {

constexpr uint32_t kGreen = 0x00FF00, kYellow = 0x00FFFF, kRed = 0x0000FF, kBlue = 0xFF0000;

struct VisualizerRig {
  platform::FakeLoopbackCapture capture{platform::SampleForm::kFloat32};
  platform::FakeClock clock;
  Visualizer engine{capture, clock};
};

// Silence leaves only the background, row 0 included (the bass stays below
// the bar's threshold), whatever the foreground is.
TEST(VisualizerTest, SilenceShowsOnlyTheBackground) {
  struct Case {
    int background;
    std::vector<std::pair<int, uint32_t>> rows;  // row -> colour in every column
  };
  const Case cases[] = {
      {7, {{0, color::Dim(kBlue, 153)}, {1, color::Dim(kBlue, 153)}, {63, color::Dim(kBlue, 153)}}},
      // Bands of green, yellow, red from the bottom at level 60; row 0 runs
      // red at the edges to green in the middle.
      {9,
       {{63, 0x009800},
        {43, 0x009800},
        {42, 0x009898},
        {22, 0x009898},
        {21, 0x000098},
        {1, 0x000098}}},
  };
  for (const Case& c : cases) {
    VisualizerRig rig;
    rig.engine.SetPatterns({/*foreground=*/16, 270, c.background, 60});
    rig.capture.Open();
    rig.capture.AddPacket(std::vector<float>(4 * 256, 0.0f));
    for (int frame = 0; frame < 3; ++frame) rig.engine.RunFrame();
    const LightPicture frame = rig.engine.CurrentFrame();
    for (const auto& [row, expected] : c.rows) {
      for (int col = 0; col < LightPicture::kColumns; ++col) {
        ASSERT_EQ(frame.At(col, row), expected)
            << "background " << c.background << " cell " << col << "," << row;
      }
    }
    if (c.background == 9) {
      EXPECT_EQ(frame.At(0, 0), 0x000098u);
      EXPECT_EQ(frame.At(255, 0), 0x000098u);
      EXPECT_EQ(frame.At(127, 0), 0x009800u);
      EXPECT_EQ(frame.At(128, 0), 0x009800u);
      EXPECT_EQ(frame.At(80, 0), 0x009898u);
    }
  }
}

TEST(VisualizerTest, PatternNineAtFullLevelRunsGreenYellowRedUpwards) {
  PatternLayer layer;
  layer.Paint(9, 100, 0);
  EXPECT_EQ(layer.Picture().At(10, 63), color::Dim(kGreen, 255));
  EXPECT_EQ(layer.Picture().At(10, 32), color::Dim(kYellow, 255));
  EXPECT_EQ(layer.Picture().At(10, 5), color::Dim(kRed, 255));
}

TEST(VisualizerTest, HuePatternsFollowTheHueAngleAndUnknownPatternsKeepThePicture) {
  PatternLayer layer;
  layer.Paint(19, 100, 0);
  EXPECT_EQ(layer.Picture().At(3, 3), color::Hsv(0, 255, 255));
  layer.Paint(19, 100, 120);
  EXPECT_EQ(layer.Picture().At(3, 3), color::Hsv(120, 255, 255));
  layer.Paint(21, 100, 240);
  EXPECT_EQ(layer.Picture().At(3, 3), color::Hsv(120, 255, 255));

  layer.Paint(16, 100, 10);  // hue 256 - column + angle
  EXPECT_EQ(layer.Picture().At(6, 40), color::Hsv(260, 255, 255));
  layer.Paint(17, 100, 0);  // wheel around (128, 32): straight right of it is 180 degrees
  EXPECT_EQ(layer.Picture().At(200, 32), color::Hsv(180, 255, 255));
  EXPECT_EQ(layer.Picture().At(20, 32), color::Hsv(0, 255, 255));
  layer.Paint(15, 100, 0);
  EXPECT_EQ(layer.Picture().At(0, 10), color::Dim(color::SineRainbow(0), 255));
}

TEST(VisualizerTest, HueStepsByFiveAndWraps) {
  VisualizerRig rig;
  for (int frame = 0; frame < 72; ++frame) rig.engine.RunFrame();
  EXPECT_EQ(rig.engine.HueAngle(), 360);
  rig.engine.RunFrame();
  EXPECT_EQ(rig.engine.HueAngle(), 5);
}

// A loud bass tone lights the lower rows of the low columns and widens the bass bar.
TEST(VisualizerTest, BassToneLightsTheLowColumnsAndTheBar) {
  VisualizerRig rig;
  rig.engine.SetPatterns({/*foreground=*/2, 270, /*background=*/0, 100});
  rig.capture.Open();
  std::vector<float> tone(4 * 256);
  for (size_t g = 0; g < 256; ++g) {
    std::fill_n(&tone[4 * g], 4, std::sin(2.0f * static_cast<float>(M_PI) * 3.0f * g / 256.0f));
  }
  rig.capture.AddPacket(tone);
  rig.engine.RunFrame();
  const LightPicture frame = rig.engine.CurrentFrame();
  const uint32_t red = color::Dim(kRed, 255);
  EXPECT_EQ(frame.At(8, 63), red);
  EXPECT_EQ(frame.At(8, 30), red);
  EXPECT_EQ(frame.At(8, 10), 0u);
  EXPECT_EQ(frame.At(200, 63), 0u);
  // The bar grows from the middle towards both edges.
  EXPECT_EQ(frame.At(100, 0), red);
  EXPECT_EQ(frame.At(160, 0), red);
  EXPECT_EQ(frame.At(0, 0), 0u);
  EXPECT_EQ(frame.At(255, 0), 0u);
}

TEST(VisualizerTest, DeviceGoneClosesTheCaptureAndTheHeightsDecay) {
  VisualizerRig rig;
  rig.engine.SetEnabled(true);
  rig.capture.Open();
  rig.capture.AddDeviceGone();
  rig.engine.RunFrame();
  EXPECT_FALSE(rig.capture.IsOpen());
}

TEST(VisualizerTest, ThreadOpensTheCaptureOnlyWhileEnabled) {
  VisualizerRig rig;
  ASSERT_TRUE(rig.engine.Start());
  EXPECT_FALSE(rig.engine.Start());
  rig.engine.SetEnabled(true);
  while (rig.capture.OpenCount() == 0) std::this_thread::yield();
  rig.engine.SetEnabled(false);
  while (rig.capture.IsOpen()) std::this_thread::yield();
  rig.engine.Stop();
  EXPECT_EQ(rig.capture.OpenCount(), 1);
}

}  // namespace
}  // namespace tessaro
