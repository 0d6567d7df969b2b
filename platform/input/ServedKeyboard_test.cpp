#include "platform/input/ServedKeyboard.h"

#include <gtest/gtest.h>

#include <vector>

namespace platform {
namespace {

constexpr UsbId kServed{0x1A2B, 0x3C4D};
constexpr UsbId kSecondMode{0x1A2B, 0x3C4E};

TEST(ServedKeyboard, OnlyTheProgramsOwnDevicesAreLeftOut) {
  const std::vector<UsbId> served = {kServed, kSecondMode};
  struct Case {
    const char* name;
    InputDeviceInfo device;
    bool taken;
  };
  const Case cases[] = {
      {"real USB keyboard", {kServed, "usb-0000:00:14.0-2/input0"}, true},
      {"second accepted mode", {kSecondMode, "usb-0000:00:14.0-2/input1"}, true},
      {"uinput keyboard with the served ids, no phys", {kServed, ""}, true},
      {"Bluetooth keyboard through uhid", {kServed, "a0:b1:c2:d3:e4:f5"}, true},
      {"our pass-through clone of the USB keyboard",
       {kServed, PassThroughPhys("usb-0000:00:14.0-2/input0")},
       false},
      {"our pass-through clone of a keyboard without phys", {kServed, PassThroughPhys("")}, false},
      {"vhidev", {kVirtualDeviceId, ""}, false},
      {"another keyboard", {{0x1111, 0x2222}, "usb-0000:00:14.0-3/input0"}, false},
      {"same vendor, other product", {{0x1A2B, 0x0001}, "usb-0000:00:14.0-3/input0"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsServedKeyboard(c.device, served), c.taken);
  }
}

TEST(ServedKeyboard, VhidevIsLeftOutEvenWhenServed) {
  const std::vector<UsbId> served = {kVirtualDeviceId};
  EXPECT_FALSE(IsServedKeyboard({kVirtualDeviceId, "usb-0000:00:14.0-2/input0"}, served));
}

TEST(ServedKeyboard, TheCloneKeepsTheOriginalPhysAfterItsMarker) {
  EXPECT_EQ(PassThroughPhys("usb-0000:00:14.0-2/input0"),
            "tessaro-pass-through/usb-0000:00:14.0-2/input0");
  EXPECT_EQ(PassThroughPhys(""), "tessaro-pass-through");
  EXPECT_FALSE(IsPassThroughClone("usb-0000:00:14.0-2/input0"));
}

}  // namespace
}  // namespace platform
