// What the light engines put on the wire, through the keyboard link to the
// scripted HID fake: the music level report and the colour stream.
#include "app/lights/KeyboardLightSinks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/lights/KeyColorRefresh.h"
#include "app/lights/LevelCapture.h"
#include "app/lights/LightTestFakes.h"
#include "app/link/LinkTestRig.h"
#include "platform/audio/FakeLoopbackCapture.h"

namespace tessaro {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A keyboard with its command collection on interface 2 and its stream
// collection on interface 3.
struct WireRig : test::LinkRig {
  LightPageState state;
  KeyboardCommands commands{*link, clock};
  KeyboardLightSinks sinks{commands, state};

  WireRig() {
    link->AddAcceptedMode(0x1A2C, 0x0E24, "", 100, 0, "");
    hid->AddInterface(0x1A2C, 0x0E24, 2);
    hid->AddInterface(0x1A2C, 0x0E24, 3);
    link->OpenAll();
    link->SelectDeviceType(100);
    state.page_shown = true;
  }
};

TEST(KeyboardLightSinksTest, MusicLevelReportIsSentUnpaced) {
  WireRig rig;
  rig.state.config_func = 0x200;
  rig.state.device_type = 201;
  rig.state.music_source = 3;
  rig.state.music_colour = 4;
  rig.state.music_gain = 2.0f;
  platform::FakeLoopbackCapture capture(platform::SampleForm::kInt16);
  LevelCapture level(capture, rig.clock, rig.state, rig.sinks, nullptr);
  std::vector<int16_t> packet(64, 0);
  packet[64 - 10] = 15872;
  capture.AddPacket(packet);
  level.Poll();
  level.Poll();  // no packet: level 0
  EXPECT_THAT(rig.Sent(), ElementsAre("MI_02 feature 8: 07 23 45 67 89 03 04 7C",
                                      "MI_02 feature 8: 07 23 45 67 89 03 04"));
  EXPECT_THAT(rig.Waits(), IsEmpty());
}

// Two rows of 18 keys, key codes 0x10 up, light positions 0 up.
LightKeyLayout WideLayout() {
  LightKeyLayout layout;
  layout.rows = 2;
  layout.columns = 18;
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 18; ++c) {
      const auto code = static_cast<uint8_t>(0x10 + r * 18 + c);
      layout.key_matrix[r][c] = code;
      layout.light_slots[code] = r * 18 + c;
    }
  }
  return layout;
}

struct StreamRig : WireRig {
  platform::FakeLoopbackCapture capture{platform::SampleForm::kFloat32};
  Visualizer music{capture, clock};
  ScreenGrid grid;
  test::FakeKeyPicture picture;
  KeyColorRefresh refresh{state, music, grid, picture, sinks};

  explicit StreamRig(uint32_t screen_color) {
    state.config_func = 0x400;
    state.device_type = 100;
    ScreenGrid::Cells cells;
    cells.fill(screen_color);
    grid.Store(cells);
    refresh.SetLayout(WideLayout());
  }

  // Interface, then bytes 1 to 4 of every output report.
  std::vector<std::string> Headers() const {
    std::vector<std::string> headers;
    for (const auto& r : hid->Records()) {
      char text[40];
      std::snprintf(text, sizeof text, "MI_%02X %02X %02X %02X %02X", r.interface_number,
                    r.bytes[1], r.bytes[2], r.bytes[3], r.bytes[4]);
      headers.emplace_back(text);
    }
    return headers;
  }
};

TEST(KeyboardLightSinksTest, FirstGenerationStreamIsEnabledOnceThenSixReportsAFrame) {
  StreamRig rig(0x3020F0);
  ASSERT_TRUE(rig.refresh.OnIdleTick());
  const std::vector<std::string> frame = {"MI_03 F1 3C 00 00", "MI_03 F1 3C 3C 00",
                                          "MI_03 F1 3C 78 00", "MI_03 F1 3C B4 00",
                                          "MI_03 F1 3C F0 00", "MI_03 F1 1E 2C 01"};
  std::vector<std::string> first = {"MI_02 F0 F4 01 00"};
  first.insert(first.end(), frame.begin(), frame.end());
  EXPECT_EQ(rig.Headers(), first);
  // Red, green, blue of each key at three bytes a position, from byte 5 on.
  const auto records = rig.hid->Records();
  const std::vector<uint8_t>& report = records[1].bytes;
  EXPECT_THAT(std::vector<uint8_t>(report.begin() + 5, report.begin() + 11),
              ElementsAre(0xF0, 0x20, 0x30, 0xF0, 0x20, 0x30));
  EXPECT_EQ(records[2].bytes[5 + (36 - 20) * 3 - 1], 0x30) << "position 35, the last key";
  EXPECT_EQ(records[2].bytes[5 + (36 - 20) * 3], 0) << "positions past the keys stay dark";

  rig.Clear();
  ASSERT_TRUE(rig.refresh.OnIdleTick());
  EXPECT_EQ(rig.Headers(), frame);
  EXPECT_THAT(rig.Waits(), ElementsAre(1, 1, 1, 1, 1, 1));
}

TEST(KeyboardLightSinksTest, NoStreamForSecondGenerationTypesOrADarkFrame) {
  struct Case {
    int device_type;
    uint32_t color;
  };
  for (const Case& c : {Case{200, 0xFFFFFF}, Case{201, 0xFFFFFF}, Case{100, 0x000000}}) {
    StreamRig rig(c.color);
    rig.state.device_type = c.device_type;
    EXPECT_FALSE(rig.refresh.OnIdleTick());
    EXPECT_THAT(rig.Sent(), IsEmpty()) << c.device_type << " " << c.color;
  }
}

}  // namespace
}  // namespace tessaro
