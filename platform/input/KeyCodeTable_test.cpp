#include "platform/input/KeyCodeTable.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

namespace platform {
namespace {

TEST(KeyCodeTable, KeysCarryTheirCodeScanCodeAndExtendedFlag) {
  struct Case {
    uint16_t linux_code;
    VirtualKey key;
  };
  const Case cases[] = {
      {KEY_A, {'A', 0x1E, false}},
      {KEY_ENTER, {13, 0x1C, false}},
      // The numeric pad's Enter is the layout's code 108 with the E0 flag.
      {KEY_KPENTER, {108, 0x1C, true}},
      {KEY_KP7, {103, 0x47, false}},
      {KEY_HOME, {36, 0x47, true}},
      {KEY_RIGHT, {39, 0x4D, true}},
      {KEY_LEFTSHIFT, {160, 0x2A, false}},
      {KEY_RIGHTSHIFT, {161, 0x36, false}},
      {KEY_RIGHTCTRL, {163, 0x1D, true}},
      {KEY_LEFTMETA, {91, 0x5B, true}},
      {KEY_NUMLOCK, {144, 0x45, true}},
      {KEY_PAUSE, {19, 0x45, false}},
      {KEY_F19, {130, 0x6A, false}},
      {KEY_MUTE, {173, 0x20, true}},
      {KEY_102ND, {226, 0x56, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.linux_code);
    EXPECT_EQ(VirtualKeyFromLinux(c.linux_code), c.key);
    EXPECT_EQ(LinuxKeyFromVirtual(c.key.vk), c.linux_code);
  }
}

TEST(KeyCodeTable, KeysWithoutACodeGiveNothing) {
  EXPECT_FALSE(VirtualKeyFromLinux(BTN_LEFT));
  EXPECT_FALSE(VirtualKeyFromLinux(KEY_RESERVED));
  EXPECT_FALSE(VirtualKeyFromLinux(0xFFFF));
  EXPECT_FALSE(LinuxKeyFromVirtual(0));
  EXPECT_FALSE(LinuxKeyFromVirtual(255));
}

TEST(KeyCodeTable, EveryVirtualKeyBelongsToOneLinuxKey) {
  for (uint16_t code = 0; code <= KEY_MAX; ++code) {
    const auto key = VirtualKeyFromLinux(code);
    if (!key) continue;
    EXPECT_EQ(LinuxKeyFromVirtual(key->vk), code) << "vk " << key->vk;
  }
}

}  // namespace
}  // namespace platform
