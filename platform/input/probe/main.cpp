// input_probe: exercises the real input backends on a real kernel, one at a
// time, for the machine tier of the tests and for checking a desktop by hand.
//   input_probe uhid                 make "vhidev", type A, remove it again
//   input_probe nodes VID:PID        list the keyboard's event nodes
//   input_probe filter VID:PID SECS  take the A key away for SECS seconds and
//                                    print its events; other keys pass
// Exit code 0 when the step worked, 1 otherwise.
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/input/EvdevBackend.h"
#include "platform/input/FilterProtocol.h"
#include "platform/input/KeyFilter.h"
#include "platform/input/UhidDevice.h"
#include "platform/input/UhidPacket.h"

namespace {

bool ParseId(const char* text, platform::UsbId& id) {
  unsigned vendor = 0;
  unsigned product = 0;
  if (std::sscanf(text, "%x:%x", &vendor, &product) != 2) return false;
  id = {static_cast<uint16_t>(vendor), static_cast<uint16_t>(product)};
  return true;
}

int Uhid() {
  platform::UhidDevice device;
  if (!device.Create({"vhidev", 0xDEED, 0xFEED, platform::VirtualDeviceReportDescriptor()})) {
    std::fprintf(stderr, "cannot create the uhid device\n");
    return 1;
  }
  std::array<uint8_t, 33> keyboard{};
  keyboard[1] = 0x10;  // usage 4, A
  const bool down = device.Write(platform::BuildWritePacket(1, keyboard));
  keyboard[1] = 0;
  const bool up = device.Write(platform::BuildWritePacket(1, keyboard));
  std::printf("uhid: press %s, release %s\n", down ? "written" : "failed",
              up ? "written" : "failed");
  return down && up ? 0 : 1;
}

int Nodes(const platform::UsbId& id) {
  platform::EvdevBackend backend;
  const auto nodes = backend.FindKeyboardNodes({id});
  for (const std::string& node : nodes) {
    std::printf("%s %s\n", node.c_str(), backend.OpenNode(node) ? "opens" : "cannot be opened");
  }
  return nodes.empty() ? 1 : 0;
}

int Filter(const platform::UsbId& id, int seconds) {
  platform::EvdevBackend backend;
  platform::KeyFilter filter(backend, {id});
  const std::vector<int32_t> codes{'A'};
  const auto table = platform::filter::BuildKeyTable(codes);
  filter.Control(platform::filter::kSetKeyTable, table, {});
  filter.Control(platform::filter::kArm, {}, {});
  std::printf("grabbed nodes: %d\n", filter.GrabbedNodes());
  std::thread stopper([&] {
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    filter.CancelWaits();
  });
  std::array<uint8_t, platform::filter::kEventSize> event{};
  while (filter.Control(platform::filter::kWaitKeyEvent, {}, event)) {
    const auto key = platform::filter::DecodeKeyEvent(event);
    std::printf("key %u %s\n", key.key_code, key.press ? "press" : "release");
    std::fflush(stdout);
  }
  stopper.join();
  return filter.GrabbedNodes() > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  platform::UsbId id;
  if (command == "uhid") return Uhid();
  if (command == "nodes" && argc > 2 && ParseId(argv[2], id)) return Nodes(id);
  if (command == "filter" && argc > 3 && ParseId(argv[2], id))
    return Filter(id, std::atoi(argv[3]));
  std::fprintf(stderr, "usage: input_probe uhid | nodes VID:PID | filter VID:PID SECONDS\n");
  return 2;
}
