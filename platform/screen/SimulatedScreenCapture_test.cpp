#include "platform/screen/SimulatedScreenCapture.h"

#include <gtest/gtest.h>

#include "platform/screen/ScreenCaptureFactory.h"
#include "platform/screen/X11ScreenCapture.h"
#include "platform/system/Environment.h"

namespace platform {
namespace {

TEST(SimulatedScreenCaptureTest, RainbowDriftsWithTime) {
  FakeClock clock;
  FakeEnvironment environment;
  environment.variables["TESSARO_SIMULATE"] = "all";
  auto capture = MakeScreenCapture(environment, clock);
  ASSERT_NE(dynamic_cast<SimulatedScreenCapture*>(capture.get()), nullptr);
  ScreenImage image;
  ASSERT_TRUE(capture->Grab(image));
  EXPECT_EQ(image.width, 1920);
  EXPECT_EQ(image.height, 1080);
  const uint32_t before = image.At(500, 10);
  EXPECT_NE(before, image.At(1500, 10));
  clock.Advance(Milliseconds(1000));
  ASSERT_TRUE(capture->Grab(image));
  EXPECT_NE(image.At(500, 10), before);

  environment.variables.clear();
  EXPECT_NE(dynamic_cast<X11ScreenCapture*>(MakeScreenCapture(environment, clock).get()), nullptr);
}

}  // namespace
}  // namespace platform
