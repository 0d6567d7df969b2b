// The path of an assigned key: a key event written into a keyboard node (a
// socketpair standing in for the evdev node), the key filter's reader thread,
// the monitor thread, the key's assignment and the virtual device's packet,
// read back from a second socketpair standing in for /dev/uhid. Also the
// pass-through of an unassigned key to its clone. Prints p50 and p99.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <bitset>
#include <chrono>
#include <vector>

#include "app/macros/FakeVHidev.h"
#include "app/macros/FilterMonitor.h"
#include "app/macros/KeyAssignmentPlayer.h"
#include "app/macros/MacroType.h"
#include "app/macros/UhidVHidev.h"
#include "platform/input/FakeInputBackend.h"
#include "platform/input/KeyCodeTable.h"
#include "platform/input/KeyFilter.h"
#include "platform/input/KeyFrames.h"
#include "platform/input/SocketVirtualHidDevice.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

void Percentiles(benchmark::State& state, std::vector<double>& micros) {
  std::sort(micros.begin(), micros.end());
  if (micros.empty()) return;
  state.counters["p50_us"] = micros[micros.size() / 2];
  state.counters["p99_us"] = micros[std::min(micros.size() - 1, micros.size() * 99 / 100)];
}

void BM_AssignedKeyToPacket(benchmark::State& state) {
  platform::FakeInputBackend backend;
  const platform::UsbId served{0x1234, 0x5678};
  const std::string node = backend.AddNode(served);
  platform::KeyFilter filter(backend, {served});
  platform::SteadyClock clock;
  platform::SocketVirtualHidDevice uhid;
  tessaro::UhidVHidev device(uhid, clock);
  tessaro::FakeVHidev handoff;
  tessaro::KeyAssignmentPlayer player(device, handoff);
  tessaro::FilterMonitor monitor(filter, device);
  monitor.AddProxy(player);

  tessaro::KeyAssignment row;
  row.key_code = 'A';
  row.macro_type = tessaro::macro_type::kKey;
  row.macro_value = 5;
  player.SetAssignments({row});
  const std::vector<int32_t> codes{'A'};
  const auto table = platform::filter::BuildKeyTable(codes);
  filter.Control(platform::filter::kSetKeyTable, table, {});
  filter.Control(platform::filter::kArm, {}, {});
  monitor.StartMonitor();

  const uint16_t key_a = *platform::LinuxKeyFromVirtual('A');
  platform::HidPacket packet;
  std::vector<double> micros;
  int32_t value = 1;
  for (auto _ : state) {
    const auto start = Clock::now();
    backend.PushKey(node, key_a, value);
    if (!uhid.ReadPacket(packet)) {
      state.SkipWithError("no packet");
      break;
    }
    const std::chrono::duration<double> took = Clock::now() - start;
    state.SetIterationTime(took.count());
    micros.push_back(took.count() * 1e6);
    value = 1 - value;
  }
  Percentiles(state, micros);
  monitor.Shutdown();
}
BENCHMARK(BM_AssignedKeyToPacket)->UseManualTime()->Iterations(20000);

void BM_UnassignedKeyPassThrough(benchmark::State& state) {
  platform::FakeInputBackend backend;
  const platform::UsbId served{0x1234, 0x5678};
  const std::string node = backend.AddNode(served);
  platform::KeyFilter filter(backend, {served});
  const std::vector<int32_t> codes{'A'};
  const auto table = platform::filter::BuildKeyTable(codes);
  filter.Control(platform::filter::kSetKeyTable, table, {});
  filter.Control(platform::filter::kArm, {}, {});

  const uint16_t key_b = *platform::LinuxKeyFromVirtual('B');
  std::vector<double> micros;
  size_t passed = 0;
  int32_t value = 1;
  for (auto _ : state) {
    const auto start = Clock::now();
    backend.PushKey(node, key_b, value);
    passed += 3;
    if (!backend.WaitPassed(node, passed, 1s)) {
      state.SkipWithError("nothing passed");
      break;
    }
    const std::chrono::duration<double> took = Clock::now() - start;
    state.SetIterationTime(took.count());
    micros.push_back(took.count() * 1e6);
    value = 1 - value;
  }
  Percentiles(state, micros);
}
BENCHMARK(BM_UnassignedKeyPassThrough)->UseManualTime()->Iterations(20000);

// The same work without the two thread hand-offs: the frame split of the
// filter, the key's lookup and playing, and the packet through the socket, all
// on one thread. What is left when the scheduler is taken out.
void BM_AssignedKeyToPacketOneThread(benchmark::State& state) {
  platform::SteadyClock clock;
  platform::SocketVirtualHidDevice uhid;
  tessaro::UhidVHidev device(uhid, clock);
  tessaro::FakeVHidev handoff;
  tessaro::KeyAssignmentPlayer player(device, handoff);
  tessaro::KeyAssignment row;
  row.key_code = 'A';
  row.macro_type = tessaro::macro_type::kKey;
  row.macro_value = 5;
  player.SetAssignments({row});
  std::bitset<65536> table;
  table.set('A');
  auto takes = [&](uint16_t code) {
    const auto key = platform::VirtualKeyFromLinux(code);
    return key && table.test(key->vk);
  };

  const uint16_t key_a = *platform::LinuxKeyFromVirtual('A');
  platform::HidPacket packet;
  std::vector<platform::InputEvent> pass;
  std::vector<platform::InputEvent> taken;
  std::vector<double> micros;
  int32_t value = 1;
  for (auto _ : state) {
    const auto start = Clock::now();
    // MSC_SCAN, the key, SYN_REPORT, as the keyboard sends them.
    const platform::InputEvent frame[] = {{4, 4, 0x1E, 0}, {1, key_a, value, 0}, {0, 0, 0, 0}};
    pass.clear();
    taken.clear();
    platform::SplitFrame(frame, takes, pass, taken);
    for (const auto& event : taken) {
      const auto key = platform::VirtualKeyFromLinux(event.code);
      player.OnFilterEvent(static_cast<int32_t>(key->vk), event.value == 1);
    }
    if (!uhid.ReadPacket(packet)) {
      state.SkipWithError("no packet");
      break;
    }
    const std::chrono::duration<double> took = Clock::now() - start;
    state.SetIterationTime(took.count());
    micros.push_back(took.count() * 1e6);
    value = 1 - value;
  }
  Percentiles(state, micros);
}
BENCHMARK(BM_AssignedKeyToPacketOneThread)->UseManualTime()->Iterations(20000);

}  // namespace

BENCHMARK_MAIN();
