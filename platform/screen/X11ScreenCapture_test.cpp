#include "platform/screen/X11ScreenCapture.h"

#include <gtest/gtest.h>

#include "platform/screen/TestXServer.h"

namespace platform {
namespace {

class X11ScreenCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TestXServer::Available()) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_TRUE(server_.Start(1920, 1080));
  }
  TestXServer server_;
};

TEST_F(X11ScreenCaptureTest, GrabsTheRootWindowThroughSharedMemory) {
  ASSERT_TRUE(server_.Fill(0, 0, 960, 1080, 0xFF0000));
  ASSERT_TRUE(server_.Fill(960, 0, 960, 1080, 0x0000FF));
  ASSERT_TRUE(server_.Fill(100, 700, 1, 1, 0x123456));
  X11ScreenCapture capture(server_.Display());
  ScreenImage image;
  ASSERT_TRUE(capture.Grab(image));
  EXPECT_TRUE(capture.UsesSharedMemory());
  EXPECT_EQ(image.width, 1920);
  EXPECT_EQ(image.height, 1080);
  EXPECT_GE(image.stride, 1920);
  EXPECT_EQ(image.At(0, 0) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(image.At(959, 1079) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(image.At(960, 0) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(image.At(100, 700) & 0xFFFFFF, 0x123456u);

  // A second grab sees what changed since.
  ASSERT_TRUE(server_.Fill(0, 0, 1920, 1080, 0x00FF00));
  ASSERT_TRUE(capture.Grab(image));
  EXPECT_EQ(image.At(1919, 1079) & 0xFFFFFF, 0x00FF00u);
}

TEST(X11ScreenCaptureNoDisplayTest, NoDisplayIsAFailedGrab) {
  X11ScreenCapture capture(":4711");
  ScreenImage image;
  EXPECT_FALSE(capture.Grab(image));
  EXPECT_FALSE(capture.UsesSharedMemory());
}

}  // namespace
}  // namespace platform
