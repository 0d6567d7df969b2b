// Device-change sources: the fake's descriptor follows its queue, the udev
// monitor sets up (or reports that it can not) without blocking, and HID_ID
// texts parse.
#include <poll.h>

#include <gtest/gtest.h>

#include "platform/hid/FakeDeviceChangeSource.h"
#include "platform/hid/HidIdentity.h"
#include "platform/hid/UdevDeviceChangeSource.h"

namespace platform {
namespace {

bool Readable(int fd) {
  pollfd p{fd, POLLIN, 0};
  return poll(&p, 1, 0) == 1 && (p.revents & POLLIN) != 0;
}

TEST(DeviceChangeSource, FakeIsReadableWhileChangesWait) {
  FakeDeviceChangeSource source;
  ASSERT_GE(source.Fd(), 0);
  EXPECT_FALSE(Readable(source.Fd()));
  const DeviceChange in{DeviceChange::Kind::kArrival, "HID#VID_1A2C&PID_0E24&MI_02"};
  const DeviceChange out{DeviceChange::Kind::kRemoval, "HID#VID_1A2C&PID_0E24&MI_02"};
  source.Push(in);
  source.Push(out);
  EXPECT_TRUE(Readable(source.Fd()));
  EXPECT_EQ(source.TakeChanges(), (std::vector<DeviceChange>{in, out}));
  EXPECT_FALSE(Readable(source.Fd()));
  EXPECT_TRUE(source.TakeChanges().empty());
}

TEST(DeviceChangeSource, UdevMonitorNeverBlocks) {
  UdevDeviceChangeSource source;
  // Sandboxes may refuse the netlink socket; then no descriptor and no change.
  for (int i = 0; i < 3; ++i) source.TakeChanges();
  if (source.Fd() < 0) {
    EXPECT_TRUE(source.TakeChanges().empty());
  }
}

TEST(HidIdentity, HidIdTexts) {
  struct Case {
    const char* text;
    bool valid;
    uint16_t bus, vid, pid;
  } cases[] = {
      {"0003:00001A2C:00000E24", true, 0x0003, 0x1A2C, 0x0E24},
      {"0005:0000046D:0000B023", true, 0x0005, 0x046D, 0xB023},
      {"0003:00001A2C", false, 0, 0, 0},
      {"0003:00001A2C:00000E24x", false, 0, 0, 0},
      {"0003:00011A2C:00000E24", false, 0, 0, 0},
      {"", false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const std::optional<HidId> id = ParseHidId(c.text);
    ASSERT_EQ(id.has_value(), c.valid) << c.text;
    if (!id) continue;
    EXPECT_EQ(id->bus, c.bus);
    EXPECT_EQ(id->vendor_id, c.vid);
    EXPECT_EQ(id->product_id, c.pid);
  }
  EXPECT_FALSE(ParseHidId(nullptr));
}

}  // namespace
}  // namespace platform
