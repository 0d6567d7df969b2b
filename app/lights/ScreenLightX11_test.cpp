// The screen-sync light on a real X server: Xvfb, started and stopped here.
#include <gtest/gtest.h>

#include "app/lights/ScreenLight.h"
#include "platform/screen/TestXServer.h"
#include "platform/screen/X11ScreenCapture.h"

namespace tessaro {
namespace {

TEST(ScreenLightX11Test, RedLeftAndBlueRightColourTheGridColumns) {
  if (!platform::TestXServer::Available()) GTEST_SKIP() << "Xvfb is not installed";
  platform::TestXServer server;
  ASSERT_TRUE(server.Start(1920, 1080));
  ASSERT_TRUE(server.Fill(0, 0, 960, 1080, 0xFF0000));
  ASSERT_TRUE(server.Fill(960, 0, 960, 1080, 0x0000FF));

  platform::X11ScreenCapture capture(server.Display());
  platform::FakeClock clock;
  ScreenGrid grid;
  ScreenLight light(capture, clock, grid);
  ASSERT_TRUE(light.SetUp(20, 6));
  light.Stop();
  ASSERT_TRUE(light.CaptureOnce());

  constexpr uint32_t kRed = 0x0000FF, kBlue = 0xFF0000;  // colour references
  for (int x = 0; x < 20; ++x) {
    for (int y = 0; y < 6; ++y) {
      EXPECT_EQ(grid.At(x, y), x < 9 ? kRed : kBlue) << "column " << x << " row " << y;
    }
  }
}

}  // namespace
}  // namespace tessaro
