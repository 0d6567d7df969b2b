#include "platform/audio/PulseLoopbackCapture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "platform/audio/TestPulseServer.h"

namespace platform {
namespace {

constexpr int16_t kAmplitude = 15872;  // 62 x 256

// A 1 kHz sine on both channels; 48 samples a period include
// the peak.
std::vector<int16_t> Sine(double seconds = 6.0) {
  const int frames = static_cast<int>(48000 * seconds);
  std::vector<int16_t> samples(2 * frames);
  for (int i = 0; i < frames; ++i) {
    const auto v = static_cast<int16_t>(std::lround(kAmplitude * std::sin(2 * M_PI * i / 48.0)));
    samples[2 * i] = samples[2 * i + 1] = v;
  }
  return samples;
}

constexpr double kExpected = kAmplitude / 32768.0;

// The loudest sample read, as a fraction of full scale, once it reaches the
// sine's peak or after five seconds (a starting player and an output that
// wakes up take a while on a busy machine).
double Loudest(LoopbackCapture& capture) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  double loudest = 0.0;
  AudioPacket packet;
  while (std::chrono::steady_clock::now() < end && loudest < kExpected - 0.001) {
    const CaptureRead read = capture.Read(packet);
    if (read == CaptureRead::kDeviceGone) break;
    if (read == CaptureRead::kNoPacket) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      continue;
    }
    EXPECT_EQ(packet.channels, 2);
    for (int16_t s : packet.int16) loudest = std::max(loudest, std::abs(s) / 32768.0);
    for (float s : packet.float32) loudest = std::max(loudest, std::fabs(static_cast<double>(s)));
  }
  return loudest;
}

class PulseLoopbackCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TestPulseServer::Available()) GTEST_SKIP() << "pulseaudio is not installed";
    ASSERT_TRUE(server_.Start());
  }
  TestPulseServer server_;
};

TEST_F(PulseLoopbackCaptureTest, ReadsWhatTheDefaultOutputPlaysInBothForms) {
  // One player for both: two at once would add up.
  ASSERT_TRUE(server_.Play(Sine(10.0)));
  for (SampleForm form : {SampleForm::kInt16, SampleForm::kFloat32}) {
    PulseLoopbackCapture capture(form);
    ASSERT_TRUE(capture.Open());
    EXPECT_NEAR(Loudest(capture), kExpected, 0.002);
    capture.Close();
    EXPECT_FALSE(capture.IsOpen());
  }
}

TEST_F(PulseLoopbackCaptureTest, FollowsTheDefaultOutputWhenItChanges) {
  PulseLoopbackCapture capture(SampleForm::kInt16);
  ASSERT_TRUE(capture.Open());
  EXPECT_EQ(capture.StreamsCreated(), 1);
  ASSERT_TRUE(server_.Pactl({"load-module", "module-null-sink", "sink_name=second", "rate=48000"}));
  ASSERT_TRUE(server_.Pactl({"set-default-sink", "second"}));
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (capture.StreamsCreated() < 2 && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(capture.StreamsCreated(), 2);
  ASSERT_TRUE(server_.Play(Sine(), "second"));
  EXPECT_NEAR(Loudest(capture), kExpected, 0.002);
}

TEST_F(PulseLoopbackCaptureTest, ServerGoingAwayIsDeviceGone) {
  PulseLoopbackCapture capture(SampleForm::kFloat32);
  ASSERT_TRUE(capture.Open());
  server_.Stop();
  AudioPacket packet;
  CaptureRead read = CaptureRead::kNoPacket;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (read != CaptureRead::kDeviceGone && std::chrono::steady_clock::now() < end) {
    read = capture.Read(packet);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(read, CaptureRead::kDeviceGone);
  EXPECT_FALSE(capture.IsOpen());
  EXPECT_FALSE(capture.Open());  // no server: fails at once, no autospawn
}

TEST(PulseLoopbackCaptureNoServerTest, OpenFailsWithoutAServer) {
  TestPulseServer none;  // not started: points nowhere
  setenv("PULSE_SERVER", "unix:/nonexistent/tessaro-test", 1);
  PulseLoopbackCapture capture(SampleForm::kInt16);
  EXPECT_FALSE(capture.Open());
  EXPECT_EQ(capture.Read(*std::make_unique<AudioPacket>()), CaptureRead::kNoPacket);
  unsetenv("PULSE_SERVER");
}

}  // namespace
}  // namespace platform
