// What reaches the keyboard for each command: the exact bytes, the interface
// and the waits asked for. A composite second-generation keyboard (commands on
// interface 2, streams on interface 3) stands behind the scripted fake.
#include "app/link/KeyboardCommands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "app/link/CommandReports.h"
#include "app/link/LinkTestRig.h"

namespace tessaro {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct CommandRig : test::LinkRig {
  KeyboardCommands commands{*link, clock};
  CommandRig() {
    link->AddAcceptedMode(0x1A2C, 0x0E24, "", 201, 0, "");
    hid->AddInterface(0x1A2C, 0x0E24, 2);
    hid->AddInterface(0x1A2C, 0x0E24, 3);
    link->OpenAll();
    link->SelectDeviceType(201);
  }
};

LightParams Light(int mode, int colorindex, int direction, int speed, int brightness,
                  uint32_t color = 0x00332211, int colorful = 0) {
  return LightParams{mode, colorindex, direction, speed, brightness, color, colorful};
}

struct Case {
  const char* name;
  std::function<bool(KeyboardCommands&)> run;
  bool result;
  std::vector<std::string> sent;
  std::vector<long> waits;
};

void RunCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CommandRig rig;
    EXPECT_EQ(c.run(rig.commands), c.result);
    EXPECT_EQ(rig.Sent(), c.sent);
    EXPECT_EQ(rig.Waits(), c.waits);
  }
}

TEST(KeyboardCommands, SecondGenerationLightSetting) {
  RunCases({
      {"feature form",
       [](KeyboardCommands& k) { return k.WriteLightSetting(201, 0, Light(3, 2, 1, 4, 5), 6); },
       true,
       {"MI_02 feature 8: 07 F7 02 02 01 03 04 06"},
       {16}},
      {"speed and brightness 0 stay 0",
       [](KeyboardCommands& k) { return k.WriteLightSetting(201, 0, Light(2, 1, 1, 0, 0), 0); },
       true,
       {"MI_02 feature 8: 07 F7 01 01 01"},
       {16}},
      {"mode 4 carries red, green, blue",
       [](KeyboardCommands& k) {
         return k.WriteLightSetting(250, 0, Light(4, 2, 1, 3, 5, 0x00CCBBAA), 6);
       },
       true,
       {"MI_02 feature 8: 07 F7 03 02 AA BB 04 CC"},
       {16}},
      {"mode 9 sends speed unreduced",
       [](KeyboardCommands& k) { return k.WriteLightSetting(201, 0, Light(9, 2, 1, 3, 5), 6); },
       true,
       {"MI_02 feature 8: 07 F7 08 02 01 03 04 06"},
       {16}},
      {"payload form",
       [](KeyboardCommands& k) { return k.WriteLightSetting(201, 1, Light(3, 2, 1, 4, 5), 6); },
       true,
       {"MI_02 output 65: 00 BB AA 99 88 AA 02 02 01 03 04 06"},
       {}},
      {"payload form, mode 4, no mode 9 override",
       [](KeyboardCommands& k) {
         return k.WriteLightSetting(201, 2, Light(4, 2, 1, 3, 0, 0x00CCBBAA), 6) &&
                k.WriteLightSetting(201, 2, Light(9, 2, 1, 3, 0), 6);
       },
       true,
       {"MI_02 output 65: 00 BB AA 99 88 AA 03 02 AA BB 00 CC",
        "MI_02 output 65: 00 BB AA 99 88 AA 08 02 01 02 00 06"},
       {}},
      {"device types from 300 get nothing",
       [](KeyboardCommands& k) { return k.WriteLightSetting(300, 0, Light(3, 2, 1, 4, 5), 6); },
       false,
       {},
       {}},
  });
}

TEST(KeyboardCommands, Resets) {
  RunCases({
      {"second generation, feature form",
       [](KeyboardCommands& k) { return k.ResetDevice(201, 0); },
       true,
       {"MI_02 feature 8: 07 F0 AA"},
       {16, 100}},
      {"second generation, two payloads 1600 ms apart",
       [](KeyboardCommands& k) { return k.ResetDevice(201, 1); },
       true,
       {"MI_02 output 65: 00 BB AA 99 88 AA AA AA AA AA AA", "MI_02 output 65: 00 BB AA 99 88"},
       {1600}},
      {"first generation",
       [](KeyboardCommands& k) { return k.ResetDevice(200, 0); },
       true,
       {"MI_02 output 65: 00 FF FE AA FF"},
       {100}},
      {"device types from 300 get nothing",
       [](KeyboardCommands& k) { return k.ResetDevice(300, 0); },
       false,
       {},
       {}},
  });
}

TEST(KeyboardCommands, ReportsOutsideTasks) {
  RunCases({
      {"music level, unpaced, any type",
       [](KeyboardCommands& k) { return k.SendMusicLevel(0x102, 6, 255); },
       true,
       {"MI_02 feature 8: 07 23 45 67 89 02 06 FF"},
       {}},
      {"light slot below type 200",
       [](KeyboardCommands& k) { return k.SendLightSlot(199, Light(3, 0, 0, 4, 5), 2); },
       true,
       {"MI_02 feature 8: 07 FF FF 02 05 04 00 02"},
       {16}},
      {"no light slot report for type 200",
       [](KeyboardCommands& k) { return k.SendLightSlot(200, Light(3, 0, 0, 4, 5), 2); },
       false,
       {},
       {}},
      {"no stream for type 200",
       [](KeyboardCommands& k) {
         const PositionColor lit[] = {{0, 0x00FFFFFF}};
         return k.StreamFrame(200, 0, lit);
       },
       false,
       {},
       {}},
      {"no stream for a dark frame",
       [](KeyboardCommands& k) {
         const PositionColor dark[] = {{0, 1}, {1, 0}};
         return k.StreamFrame(100, 0, dark);
       },
       false,
       {},
       {}},
  });
}

TEST(KeyboardCommands, FirstGenerationSelectsTheModeThenSendsParameters) {
  CommandRig rig;
  const LightParams light = Light(5, 0, 2, 0x13, 200, 0x00332211, 1);
  rig.commands.ClearModeSelect();
  EXPECT_TRUE(rig.commands.WriteLightSetting(100, 0, light, 0));
  EXPECT_TRUE(rig.commands.WriteLightSetting(100, 0, light, 0));
  // Direction 2 in bits 4-5, colourful 0x40, speed's low nibble 3.
  EXPECT_THAT(rig.Sent(), ElementsAre("MI_02 output 65: 00 88 00 05",
                                      "MI_02 output 65: 00 89 00 63 11 22 33 C8"));
  EXPECT_THAT(rig.Waits(), IsEmpty());
}

TEST(KeyboardCommands, ModeSelectFlagIsSetEvenWhenTheWriteFails) {
  CommandRig rig;
  rig.hid->FailWritesFrom(1);
  rig.commands.ClearModeSelect();
  EXPECT_FALSE(rig.commands.WriteLightSetting(100, 0, Light(5, 0, 0, 1, 1), 0));
  EXPECT_TRUE(rig.commands.ModeSelected());
}

std::vector<PositionColor> Rainbow() {
  std::vector<PositionColor> colors;
  for (int p = 0; p < 110; ++p) {
    colors.push_back({p, static_cast<uint32_t>(0x00030201 + p * 0x00010101)});
  }
  return colors;
}

TEST(KeyboardCommands, CustomColorUploadStopsAtTheFirstFailedReport) {
  CommandRig rig;
  rig.hid->FailWritesFrom(4);  // unplugged during the fourth report
  const std::vector<PositionColor> colors = Rainbow();
  EXPECT_FALSE(rig.commands.WriteCustomColors(colors));
  const auto records = rig.hid->Records();
  ASSERT_EQ(records.size(), 5u);  // three reports, the fourth and its retry
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(records[i].interface_number, 2);
    EXPECT_EQ(records[i].bytes[1], 0x8B);
    EXPECT_EQ(records[i].bytes[3], 60 * i);
  }
  EXPECT_FALSE(records[4].ok);
  EXPECT_EQ(rig.Waits(), (std::vector<long>{1, 1, 1, 1, 10}));
}

TEST(KeyboardCommands, StreamIsEnabledOnceThenSixReportsGoToTheStreamInterface) {
  CommandRig rig;
  const std::vector<PositionColor> colors = Rainbow();
  EXPECT_TRUE(rig.commands.StreamFrame(100, 0, colors));
  EXPECT_TRUE(rig.commands.StreamFrame(100, 0, colors));
  const auto records = rig.hid->Records();
  ASSERT_EQ(records.size(), 13u);
  EXPECT_EQ(test::Describe(records[0]), "MI_02 output 65: 00 F0 F4 01");
  const uint8_t lengths[] = {60, 60, 60, 60, 60, 30};
  for (size_t i = 1; i < records.size(); ++i) {
    const size_t chunk = (i - 1) % 6;
    EXPECT_EQ(records[i].interface_number, 3);
    EXPECT_EQ(records[i].bytes[1], 0xF1);
    EXPECT_EQ(records[i].bytes[2], lengths[chunk]);
    EXPECT_EQ(records[i].bytes[3] | records[i].bytes[4] << 8, 60 * chunk);
  }
  EXPECT_TRUE(rig.commands.StreamEnabled());
  EXPECT_EQ(rig.Waits(), std::vector<long>(12, 1));
}

TEST(KeyboardCommands, StreamStopsWhenTheKeyboardGoesAway) {
  CommandRig rig;
  rig.hid->FailWritesFrom(3);  // enable and one frame report got through
  EXPECT_FALSE(rig.commands.StreamFrame(100, 0, Rainbow()));
  EXPECT_EQ(rig.hid->Records().size(), 4u);  // the third write and its retry
  EXPECT_TRUE(rig.commands.StreamEnabled());
}

TEST(KeyboardCommands, FirmwareToolGetsTheKeyboard) {
  CommandRig rig;
  rig.commands.ReleaseForFirmwareTool();
  EXPECT_EQ(rig.hid->OpenHandles(), 0);
  EXPECT_FALSE(rig.commands.SendMusicLevel(0, 0, 1));
}

}  // namespace
}  // namespace tessaro
