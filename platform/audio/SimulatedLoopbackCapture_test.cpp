#include "platform/audio/SimulatedLoopbackCapture.h"

#include <gtest/gtest.h>

#include "platform/audio/LoopbackCaptureFactory.h"
#include "platform/audio/PulseLoopbackCapture.h"
#include "platform/system/Environment.h"

namespace platform {
namespace {

TEST(SimulatedLoopbackCaptureTest, HandsOverTenMillisecondsAsTheyPass) {
  FakeClock clock;
  SimulatedLoopbackCapture capture(SampleForm::kInt16, clock);
  AudioPacket packet;
  EXPECT_EQ(capture.Read(packet), CaptureRead::kNoPacket);  // closed
  ASSERT_TRUE(capture.Open());
  EXPECT_EQ(capture.Read(packet), CaptureRead::kNoPacket);
  clock.Advance(Milliseconds(25));
  ASSERT_EQ(capture.Read(packet), CaptureRead::kPacket);
  EXPECT_EQ(packet.frames, 480);
  EXPECT_EQ(packet.int16.size(), 960u);
  ASSERT_EQ(capture.Read(packet), CaptureRead::kPacket);
  EXPECT_EQ(capture.Read(packet), CaptureRead::kNoPacket);
  int loudest = 0;
  for (int16_t s : packet.int16) loudest = std::max(loudest, std::abs(static_cast<int>(s)));
  EXPECT_GT(loudest, 1000);
}

TEST(SimulatedLoopbackCaptureTest, FactoryFollowsTheSimulateSetting) {
  FakeClock clock;
  FakeEnvironment environment;
  environment.variables["TESSARO_SIMULATE"] = "keyboard,audio";
  auto simulated = MakeLoopbackCapture(SampleForm::kFloat32, environment, clock);
  EXPECT_NE(dynamic_cast<SimulatedLoopbackCapture*>(simulated.get()), nullptr);
  EXPECT_EQ(simulated->Form(), SampleForm::kFloat32);
  environment.variables["TESSARO_SIMULATE"] = "screen";
  auto real = MakeLoopbackCapture(SampleForm::kInt16, environment, clock);
  EXPECT_NE(dynamic_cast<PulseLoopbackCapture*>(real.get()), nullptr);
}

}  // namespace
}  // namespace platform
