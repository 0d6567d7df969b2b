#include "app/lights/LevelCapture.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/lights/LightTestFakes.h"
#include "platform/audio/FakeLoopbackCapture.h"

namespace tessaro {
namespace {

using test::MusicLevelCall;

struct LevelRig {
  platform::FakeLoopbackCapture capture{platform::SampleForm::kInt16};
  platform::FakeClock clock;
  LightPageState state;
  test::RecordingLevelSink sink;
  test::FakeKeyPicture picture;
  LevelCapture level{capture, clock, state, sink, &picture};

  LevelRig() {
    state.page_shown = true;
    state.config_func = 0x201;
    state.device_type = 201;
    state.music_source = 3;
    state.music_colour = 4;
  }
};

// A packet whose sample ten places before the end is `sample`.
std::vector<int16_t> PacketWith(int16_t sample, size_t size = 64) {
  std::vector<int16_t> packet(size, 100);
  if (size >= 10) packet[size - 10] = sample;
  return packet;
}

TEST(LevelCaptureTest, LevelOfEachPoll) {
  struct Case {
    const char* name;
    std::vector<std::vector<int16_t>> packets;  // none: "no packet"
    float gain;
    int expected;
  };
  const Case cases[] = {
      {"62 x 256 at gain 2.0", {PacketWith(15872)}, 2.0f, 0x7C},
      {"negative sample", {PacketWith(-15872)}, 1.0f, 62},
      {"full scale, cut to the byte", {PacketWith(-32768)}, 2.5f, 255},
      {"low byte dropped", {PacketWith(255)}, 10.0f, 0},
      {"no packet", {}, 2.0f, 0},
      {"fewer than ten samples", {std::vector<int16_t>(9, 20000)}, 1.0f, 0},
      {"the newest packet counts", {PacketWith(1024), PacketWith(2048)}, 1.0f, 8},
      {"gain below one truncates", {PacketWith(100 * 256)}, 0.5f, 50},
  };
  for (const Case& c : cases) {
    LevelRig rig;
    rig.state.music_gain = c.gain;
    for (const auto& packet : c.packets) rig.capture.AddPacket(packet);
    rig.level.Poll();
    ASSERT_EQ(rig.sink.Calls().size(), 1u) << c.name;
    EXPECT_EQ(rig.sink.Calls()[0], (MusicLevelCall{3, 4, c.expected})) << c.name;
  }
}

TEST(LevelCaptureTest, HoleIsSilence) {
  LevelRig rig;
  rig.capture.AddHole(480);
  rig.level.Poll();
  EXPECT_EQ(rig.sink.Calls(), (std::vector<MusicLevelCall>{{3, 4, 0}}));
}

TEST(LevelCaptureTest, NoReportOffTheLightPageOrWithoutAMusicMode) {
  LevelRig rig;
  rig.state.page_shown = false;
  rig.capture.AddPacket(PacketWith(15872));
  rig.level.Poll();
  rig.state.page_shown = true;
  rig.state.config_func = 0x400;
  rig.level.Poll();
  EXPECT_TRUE(rig.sink.Calls().empty());
  EXPECT_FALSE(rig.capture.IsOpen());  // nothing keeps the output busy
  EXPECT_EQ(rig.capture.OpenCount(), 0);
}

// The level colour goes to the keys only where the keyboard makes the effect;
// first-generation keys show the streamed colours.
TEST(LevelCaptureTest, KeysShowTheLevelColourOnlyForSecondGeneration) {
  for (int type : {100, 199, 200, 201, 299, 300}) {
    LevelRig rig;
    rig.state.device_type = type;
    rig.picture.colors[0x41] = 0x123456;
    rig.level.Poll();
    const bool painted = type >= 201 && type <= 299;
    EXPECT_EQ(rig.picture.colors[0x41], painted ? 0xFFFF00u : 0x123456u) << type;
    EXPECT_EQ(rig.sink.Calls().size(), 1u) << "the report goes to every type, " << type;
  }
}

TEST(LevelCaptureTest, LostOutputIsReopenedEveryTwoSeconds) {
  LevelRig rig;
  rig.capture.AddDeviceGone();
  rig.level.Poll();
  EXPECT_FALSE(rig.capture.IsOpen());
  EXPECT_EQ(rig.sink.Calls().back().level, 0);
  rig.capture.SetOpenFails(true);
  rig.clock.Advance(platform::Milliseconds(1000));
  rig.level.Poll();
  EXPECT_EQ(rig.capture.OpenCount(), 1);
  rig.clock.Advance(platform::Milliseconds(1000));
  rig.capture.SetOpenFails(false);
  rig.level.Poll();
  EXPECT_EQ(rig.capture.OpenCount(), 2);
  EXPECT_TRUE(rig.capture.IsOpen());
}

TEST(LevelCaptureTest, PeriodIsOneOfThePageChoices) {
  LevelRig rig;
  EXPECT_EQ(rig.level.PeriodMs(), 33);
  const std::pair<int, int> cases[] = {{66, 66}, {99, 99}, {33, 33}, {0, 33}, {70, 66}, {500, 99}};
  for (auto [asked, expected] : cases) {
    rig.level.SetPeriod(asked);
    EXPECT_EQ(rig.level.PeriodMs(), expected) << asked;
  }
}

TEST(LevelCaptureTest, ThreadSleepsThePeriodBetweenPolls) {
  LevelRig rig;
  rig.level.SetPeriod(66);
  ASSERT_TRUE(rig.level.Start());
  while (rig.sink.Calls().size() < 3) std::this_thread::yield();
  rig.level.Stop();
  const auto sleeps = rig.clock.Sleeps();
  ASSERT_GE(sleeps.size(), 2u);
  EXPECT_EQ(sleeps[0], platform::Milliseconds(66));
  EXPECT_EQ(sleeps[1], platform::Milliseconds(66));
}

}  // namespace
}  // namespace tessaro
