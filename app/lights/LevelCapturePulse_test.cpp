// The level capture on a real sound server: a private PulseAudio with a null
// output, a known tone played into it, and the music level reports that reach
// the keyboard link.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/lights/KeyboardLightSinks.h"
#include "app/lights/LevelCapture.h"
#include "app/link/LinkTestRig.h"
#include "platform/audio/PulseLoopbackCapture.h"
#include "platform/audio/TestPulseServer.h"

namespace tessaro {
namespace {

constexpr int16_t kAmplitude = 15872;  // 62 x 256

// A 12 kHz sine at 48 kHz: the samples run 0, peak, 0, -peak, so the level of
// any packet is 0 or 62.
std::vector<int16_t> Tone(int seconds) {
  std::vector<int16_t> samples(2 * 48000 * seconds);
  constexpr int16_t kQuarters[] = {0, kAmplitude, 0, -kAmplitude};
  for (size_t frame = 0; frame < samples.size() / 2; ++frame) {
    samples[2 * frame] = samples[2 * frame + 1] = kQuarters[frame % 4];
  }
  return samples;
}

TEST(LevelCapturePulseTest, PlayedToneArrivesAsTheMusicLevelReport) {
  if (!platform::TestPulseServer::Available()) GTEST_SKIP() << "pulseaudio is not installed";
  platform::TestPulseServer server;
  ASSERT_TRUE(server.Start());

  test::LinkRig rig;
  rig.link->AddAcceptedMode(0x1A2C, 0x0E24, "", 201, 0, "");
  rig.hid->AddInterface(0x1A2C, 0x0E24, 2);
  rig.link->OpenAll();
  rig.link->SelectDeviceType(201);
  KeyboardCommands commands(*rig.link, rig.clock);
  LightPageState state;
  state.page_shown = true;
  state.config_func = 0x200;
  state.device_type = 201;
  state.music_source = 1;
  state.music_colour = 2;
  state.music_gain = 2.0f;
  KeyboardLightSinks sinks(commands, state);

  platform::PulseLoopbackCapture capture(platform::SampleForm::kInt16);
  platform::SteadyClock clock;
  LevelCapture level(capture, clock, state, sinks, nullptr);
  ASSERT_TRUE(level.Start());
  ASSERT_TRUE(server.Play(Tone(8)));

  const std::string loud = "MI_02 feature 8: 07 23 45 67 89 01 02 7C";  // 62 x 2.0 = 124
  const std::string quiet = "MI_02 feature 8: 07 23 45 67 89 01 02";
  bool heard = false;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(8);
  while (!heard && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    for (const std::string& line : rig.Sent()) heard = heard || line == loud;
  }
  level.Stop();
  EXPECT_TRUE(heard);
  const std::vector<std::string> sent = rig.Sent();
  for (const std::string& line : sent) EXPECT_TRUE(line == loud || line == quiet) << line;
  EXPECT_GT(sent.size(), 3u);  // one a period from the start, silence included
}

}  // namespace
}  // namespace tessaro
