// Identity texts, HID_PHYS parsing and the simulated keyboard.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/hid/HidIdentity.h"
#include "platform/hid/HidrawBackend.h"
#include "platform/hid/SimulatedKeyboard.h"
#include "platform/system/SimulatedFacilities.h"

namespace platform {
namespace {

TEST(HidIdentity, TextsFollowTheInterfaceScheme) {
  struct Case {
    uint16_t vid, pid;
    int interface_number;
    bool bluetooth;
    const char* text;
  } cases[] = {
      {0x1A2C, 0x0E24, 3, false, "HID#VID_1A2C&PID_0E24&MI_03"},
      {0xabcd, 0x00ef, 0, false, "HID#VID_ABCD&PID_00EF&MI_00"},
      {0x1A2C, 0x0E24, 0x1F, false, "HID#VID_1A2C&PID_0E24&MI_1F"},
      {0x1A2C, 0x0E24, -1, false, "HID#VID_1A2C&PID_0E24"},
      {0x1A2C, 0x0E24, 2, true, "HID#{00001812-0000-1000-8000-00805F9B34FB}_VID&1A2C_PID&0E24"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HidIdentityText(c.vid, c.pid, c.interface_number, c.bluetooth), c.text);
  }
}

TEST(HidIdentity, InterfaceNumberComesFromTheInputSuffix) {
  struct Case {
    const char* phys;
    int number;
  } cases[] = {
      {"usb-0000:00:14.0-2/input3", 3},
      {"input0", 0},
      {"vhid/input12", 12},
      {"usb-0000:00:14.0-2", -1},
      {"input", -1},
      {"", -1},
      {"usb-1/inputx2", -1},
      {"input99999", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(InterfaceNumberFromPhys(c.phys), c.number) << c.phys;
}

TEST(SimulatedFacilities, ListOrEverything) {
  EXPECT_FALSE(SimulatesFacility(std::nullopt, "keyboard"));
  EXPECT_FALSE(SimulatesFacility("", "keyboard"));
  EXPECT_TRUE(SimulatesFacility("1", "keyboard"));
  EXPECT_TRUE(SimulatesFacility("all", "audio"));
  EXPECT_TRUE(SimulatesFacility("audio, keyboard", "keyboard"));
  EXPECT_FALSE(SimulatesFacility("audio,screen", "keyboard"));
  EXPECT_FALSE(SimulatesFacility("keyboards", "keyboard"));
}

TEST(SimulatedKeyboard, ListsTwoVendorCollectionsAndAnswersTheVersion) {
  FakeClock clock;
  const auto log =
      std::filesystem::temp_directory_path() /
      ("tessaro-sim-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".log");
  std::filesystem::remove(log);
  bool plugged = false;
  SimulatedKeyboard keyboard(
      [&]() -> std::optional<SimulatedKeyboard::Ids> {
        if (!plugged) return std::nullopt;
        return SimulatedKeyboard::Ids{0x1A2C, 0x0E24};
      },
      log.string(), clock);
  EXPECT_TRUE(keyboard.Enumerate().empty());
  plugged = true;

  const std::vector<HidInterfaceInfo> found = keyboard.Enumerate();
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].IdentityText(), "HID#VID_1A2C&PID_0E24&MI_02");
  EXPECT_EQ(found[1].IdentityText(), "HID#VID_1A2C&PID_0E24&MI_03");
  EXPECT_TRUE(found[1].HasCollection(0xFF01, 0x0001));

  std::unique_ptr<HidDevice> command = keyboard.Open(found[0].path);
  ASSERT_TRUE(command);
  const uint8_t query[8] = {0x07, 0xFD};
  clock.Advance(Milliseconds(1250));
  EXPECT_EQ(command->SendFeature(query), 8);
  uint8_t answer[8] = {0x07, 0xFD};
  EXPECT_EQ(command->GetFeature(answer), 8);
  EXPECT_EQ(answer[0], 0x07);
  EXPECT_EQ(answer[1] * 256 + answer[2], 0x0102);

  std::ifstream in(log);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(),
            "1.250 MI_02 feature 07 FD 00 00 00 00 00 00\n"
            "1.250 MI_02 feature-read 07 01 02 00 00 00 00 00\n");
  std::filesystem::remove(log);
}

// Enumeration only reads; nothing is opened. Machines without HID devices (CI)
// list nothing; elsewhere each hidraw node shows up once with its collections.
TEST(HidrawBackend, ListsEachNodeOnce) {
  HidrawBackend backend;
  const std::vector<HidInterfaceInfo> found = backend.Enumerate();
  std::set<std::string> paths;
  for (const HidInterfaceInfo& info : found) {
    EXPECT_TRUE(paths.insert(info.path).second) << info.path;
    EXPECT_FALSE(info.collections.empty()) << info.path;
  }
}

}  // namespace
}  // namespace platform
