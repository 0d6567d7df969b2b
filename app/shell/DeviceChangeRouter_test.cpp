// Which task a device change queues.
#include "app/shell/DeviceChangeRouter.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using Kind = platform::DeviceChange::Kind;

TEST(DeviceChangeRouter, ArrivalsAndRemovalsOfServedModes) {
  const std::vector<AcceptedMode> modes = {
      {0x1A2C, 0x0E24, "", 201, 0, "VID_1A2C&PID_0E24&MI_02"},
      {0x1A2C, 0x0E25, "", 201, 1, "vid_1a2c&pid_0e25"},
      {0x1A2C, 0x0E26, "", 201, 2, ""},
  };
  struct Case {
    const char* name;
    Kind kind;
    const char* identity;
    std::vector<bool> connected_before;
    std::optional<DeviceTask> task;
    std::vector<bool> connected_after;
  } cases[] = {
      {"wired arrival",
       Kind::kArrival,
       "HID#VID_1A2C&PID_0E24&MI_02",
       {false, false, false},
       DeviceTask::kDeviceArrived,
       {false, false, false}},
      {"the stream interface is not the mode's",
       Kind::kArrival,
       "HID#VID_1A2C&PID_0E24&MI_03",
       {false, false, false},
       std::nullopt,
       {false, false, false}},
      {"interface texts match in any case",
       Kind::kArrival,
       "hid#vid_1a2c&pid_0e25&mi_00",
       {false, false, false},
       DeviceTask::kDeviceArrived,
       {false, false, false}},
      {"Bluetooth LE is ignored",
       Kind::kArrival,
       "HID#{00001812-0000-1000-8000-00805f9b34fb}_VID&1A2C_PID&0E24&MI_02",
       {false, false, false},
       std::nullopt,
       {false, false, false}},
      {"removal of a connected mode",
       Kind::kRemoval,
       "HID#VID_1A2C&PID_0E24&MI_02",
       {true, true, false},
       DeviceTask::kDeviceRemoved,
       {false, true, false}},
      {"removal of a mode not marked connected",
       Kind::kRemoval,
       "HID#VID_1A2C&PID_0E24&MI_02",
       {false, true, false},
       std::nullopt,
       {false, true, false}},
      {"somebody else's device",
       Kind::kArrival,
       "HID#VID_046D&PID_C52B&MI_02",
       {false, false, false},
       std::nullopt,
       {false, false, false}},
      {"a mode without interface text matches nothing",
       Kind::kRemoval,
       "HID#VID_1A2C&PID_0E26&MI_02",
       {false, false, true},
       std::nullopt,
       {false, false, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<bool> connected = c.connected_before;
    EXPECT_EQ(RouteDeviceChange({c.kind, c.identity}, modes, connected), c.task);
    EXPECT_EQ(connected, c.connected_after);
  }
}

}  // namespace
}  // namespace tessaro
