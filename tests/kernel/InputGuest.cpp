// The key filter, the virtual device and recording against the kernel's own
// input stack: a uinput keyboard with the served ids stands for the physical
// keyboard. Discovery finds it by the ids of config.xml (and leaves out the
// program's own devices); the filter, armed from the store's assignments as
// the program arms it, grabs it and passes unassigned keys through its uinput
// clone; assigned keys come out of the uhid device "vhidev".
//
// Usage: tessaro_kernel_input <folder with config.xml and layouts/>
//        tessaro_kernel_input --hold-filter <vendor id> <product id>
//                             (a child of the test)
#include <fcntl.h>
#include <linux/input.h>
#include <linux/uinput.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/device/DeviceDescriptionLoader.h"
#include "app/device/FakeDeviceDescriptionView.h"
#include "app/device/FakeKeyboardStoreOpener.h"
#include "app/macros/FilterMonitor.h"
#include "app/macros/KeyAssignmentPlayer.h"
#include "app/macros/MacroPlayer.h"
#include "app/macros/MacroRecorder.h"
#include "app/macros/MacroType.h"
#include "app/macros/PlaybackHandoff.h"
#include "app/macros/UhidVHidev.h"
#include "app/store/ConfigStore.h"
#include "platform/hid/FakeHidBackend.h"
#include "platform/input/EvdevBackend.h"
#include "platform/input/FilterProtocol.h"
#include "platform/input/KeyFilter.h"
#include "platform/input/ServedKeyboard.h"
#include "platform/input/UhidDevice.h"
#include "platform/system/Clock.h"
#include "tests/kernel/GuestCases.h"

namespace tessaro::kernel {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Virtual-key codes of the keys the test assigns.
constexpr int32_t kVkA = 'A';
constexpr int32_t kVkM = 'M';
constexpr int kUsageB = 5;  // HID keyboard usage of B
constexpr int kUsageX = 27;

struct KeyChange {
  int code = 0;
  int value = 0;
  bool operator==(const KeyChange&) const = default;
};

std::string Describe(const std::vector<KeyChange>& changes) {
  if (changes.empty()) return "nothing";
  std::string text;
  for (const KeyChange& c : changes) {
    text += (text.empty() ? "" : ", ") + std::to_string(c.code) + (c.value ? " down" : " up");
  }
  return text;
}

std::string ReadLine(const fs::path& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

// "/dev/input/eventN" of every input device with these ids.
std::vector<std::string> EventNodes(uint16_t vendor_id, uint16_t product_id) {
  std::vector<std::string> nodes;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/sys/class/input", error)) {
    const std::string name = entry.path().filename();
    if (!name.starts_with("event")) continue;
    const fs::path id = entry.path() / "device" / "id";
    if (std::stoul("0" + ReadLine(id / "vendor"), nullptr, 16) == vendor_id &&
        std::stoul("0" + ReadLine(id / "product"), nullptr, 16) == product_id) {
      nodes.push_back("/dev/input/" + name);
    }
  }
  std::sort(nodes.begin(), nodes.end());
  return nodes;
}

template <typename Predicate>
bool WaitFor(Predicate ready, std::chrono::milliseconds timeout = 5s) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!ready()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

// Reads the key changes of event nodes (auto-repeat left out).
class KeyReader {
 public:
  explicit KeyReader(const std::vector<std::string>& nodes) {
    for (const std::string& node : nodes) {
      const int fd = open(node.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) fds_.push_back(fd);
    }
  }
  ~KeyReader() {
    for (int fd : fds_) close(fd);
  }
  KeyReader(const KeyReader&) = delete;
  KeyReader& operator=(const KeyReader&) = delete;

  size_t Nodes() const { return fds_.size(); }

  // The key changes that arrive until `count` are in (at most 5 s: events
  // reach the nodes through other threads of an emulated machine), and any
  // that follow within the grace.
  std::vector<KeyChange> Collect(size_t count, std::chrono::milliseconds grace = 200ms) {
    std::vector<KeyChange> changes;
    auto end = std::chrono::steady_clock::now() + 5s;
    bool complete = false;
    while (std::chrono::steady_clock::now() < end) {
      if (!complete && changes.size() >= count) {
        complete = true;
        end = std::chrono::steady_clock::now() + grace;
      }
      for (int fd : fds_) {
        input_event event{};
        while (read(fd, &event, sizeof event) == static_cast<ssize_t>(sizeof event)) {
          if (event.type == EV_KEY && event.value != 2)
            changes.push_back({event.code, event.value});
        }
      }
      std::this_thread::sleep_for(10ms);
    }
    return changes;
  }

 private:
  std::vector<int> fds_;
};

// The "physical" keyboard: a uinput device with the served ids.
class UinputKeyboard {
 public:
  UinputKeyboard(uint16_t vendor_id, uint16_t product_id) {
    fd_ = open("/dev/uinput", O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return;
    ioctl(fd_, UI_SET_EVBIT, EV_KEY);
    for (int key = KEY_ESC; key <= KEY_KPDOT; ++key) ioctl(fd_, UI_SET_KEYBIT, key);
    uinput_setup setup{};
    setup.id = {BUS_USB, vendor_id, product_id, 1};
    std::snprintf(setup.name, sizeof setup.name, "Tessaro test physical keyboard");
    char sysname[64] = {};
    if (ioctl(fd_, UI_DEV_SETUP, &setup) != 0 || ioctl(fd_, UI_DEV_CREATE) != 0 ||
        ioctl(fd_, UI_GET_SYSNAME(sizeof sysname), sysname) < 0) {
      close(fd_);
      fd_ = -1;
      return;
    }
    WaitFor([&] {
      std::error_code error;
      for (const auto& entry :
           fs::directory_iterator("/sys/class/input/" + std::string(sysname), error)) {
        const std::string name = entry.path().filename();
        if (name.starts_with("event") && fs::exists("/dev/input/" + name)) {
          node_ = "/dev/input/" + name;
          return true;
        }
      }
      return false;
    });
  }
  ~UinputKeyboard() {
    if (fd_ < 0) return;
    ioctl(fd_, UI_DEV_DESTROY);
    close(fd_);
  }
  UinputKeyboard(const UinputKeyboard&) = delete;
  UinputKeyboard& operator=(const UinputKeyboard&) = delete;

  const std::string& Node() const { return node_; }

  void Tap(int key) {
    Emit(EV_MSC, MSC_SCAN, key);
    Emit(EV_KEY, key, 1);
    Emit(EV_SYN, SYN_REPORT, 0);
    std::this_thread::sleep_for(30ms);
    Emit(EV_MSC, MSC_SCAN, key);
    Emit(EV_KEY, key, 0);
    Emit(EV_SYN, SYN_REPORT, 0);
  }

 private:
  void Emit(int type, int code, int value) {
    input_event event{};
    event.type = static_cast<uint16_t>(type);
    event.code = static_cast<uint16_t>(code);
    event.value = value;
    if (write(fd_, &event, sizeof event) < 0) std::perror("uinput write");
  }

  int fd_ = -1;
  std::string node_;
};

// Whether a grab of the node by another reader is refused (someone holds it).
bool GrabRefused(const std::string& node) {
  const int fd = open(node.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool refused = ioctl(fd, EVIOCGRAB, 1) != 0 && errno == EBUSY;
  if (!refused) ioctl(fd, EVIOCGRAB, 0);
  close(fd);
  return refused;
}

bool ArmFilter(platform::KeyFilter& filter, const std::vector<int32_t>& keys) {
  const auto table = platform::filter::BuildKeyTable(keys);
  return filter.Control(platform::filter::kSetKeyTable, table, {}) &&
         filter.Control(platform::filter::kDiscardEvents, {}, {}) &&
         filter.Control(platform::filter::kArm, {}, {}) &&
         WaitFor([&] { return filter.GrabbedNodes() == 1; });
}

// Plays macros at once instead of queueing them for the device worker.
class DirectHandoff final : public PlaybackHandoff {
 public:
  explicit DirectHandoff(MacroPlayer& player) : player_(player) {}
  void QueueMacro(int macro_id) override { player_.PlayMacro(macro_id); }
  void PostSoftwareFunction(int) override {}

 private:
  MacroPlayer& player_;
};

class StepList final : public RecordedSteps {
 public:
  void AddStep(const std::string&, int32_t type, uint32_t value, int32_t) override {
    steps.push_back({static_cast<int>(value), type == MacroRecorder::kPressStep ? 1 : 0});
  }
  void UpdateLastDelay(int32_t) override {}
  std::vector<KeyChange> steps;  // virtual-key code, 1 for a press
};

// The ids of the accepted modes of config.xml.
std::vector<platform::UsbId> ServedKeyboards(const std::string& program_folder) {
  platform::FakeClock clock;
  KeyboardLink link(std::make_unique<platform::FakeHidBackend>(clock), clock);
  DeviceDescription description;
  FakeDeviceDescriptionView view;
  FakeKeyboardStoreOpener store;
  DeviceDescriptionLoader loader(description, view, store, link, program_folder);
  std::vector<platform::UsbId> served;
  if (!loader.LoadDeviceDescription()) return served;
  for (const AcceptedMode& mode : link.AcceptedModes()) {
    served.push_back(
        {static_cast<uint16_t>(mode.vendor_id), static_cast<uint16_t>(mode.product_id)});
  }
  return served;
}

std::string Describe(const std::vector<std::string>& nodes) {
  std::string text;
  for (const std::string& node : nodes) text += (text.empty() ? "" : " ") + node;
  return text.empty() ? "none" : text;
}

// The child of the process_death case: holds the keyboard until killed.
int HoldFilter(platform::UsbId served) {
  platform::EvdevBackend backend;
  platform::KeyFilter filter(backend, {served});
  if (!ArmFilter(filter, {kVkA})) return 1;
  std::printf("held\n");
  std::fflush(stdout);
  for (;;) pause();
}

int Run(const std::string& program_folder) {
  GuestCases cases("input");
  const std::vector<platform::UsbId> served_ids = ServedKeyboards(program_folder);
  if (!cases.Report("config", !served_ids.empty(),
                    "config.xml in " + program_folder + " names a keyboard")) {
    return cases.ExitCode();
  }
  const platform::UsbId served = served_ids.front();
  platform::SteadyClock clock;
  UinputKeyboard physical(served.vendor_id, served.product_id);
  platform::UhidDevice uhid;
  UhidVHidev vhidev(uhid, clock);
  const bool made = !physical.Node().empty() && vhidev.FindDevice() && WaitFor([] {
    return !EventNodes(UhidVHidev::kVendorId, UhidVHidev::kProductId).empty();
  });
  if (!cases.Report("devices", made,
                    "uinput keyboard with the served ids at " + physical.Node() +
                        ", uhid \"vhidev\" DEED:FEED with event nodes")) {
    return cases.ExitCode();
  }
  KeyReader vhidev_keys(EventNodes(UhidVHidev::kVendorId, UhidVHidev::kProductId));

  platform::EvdevBackend backend;
  {
    // uinput and uhid devices both live under /sys/devices/virtual: the ids
    // decide, and vhidev is never taken even when its ids are asked for.
    std::vector<platform::UsbId> with_vhidev = served_ids;
    with_vhidev.push_back(platform::kVirtualDeviceId);
    const auto found = backend.FindKeyboardNodes(served_ids);
    const auto found_with_vhidev = backend.FindKeyboardNodes(with_vhidev);
    const std::vector<std::string> want = {physical.Node()};
    cases.Report("discovery", found == want && found_with_vhidev == want,
                 "discovery by the ids of config.xml finds the uinput keyboard " + physical.Node() +
                     " and leaves vhidev out even when its ids are asked for; "
                     "found: " +
                     Describe(found) + "; with DEED:FEED: " + Describe(found_with_vhidev));
  }

  const std::string store_folder = "/tmp/store";
  fs::create_directories(store_folder);
  ConfigStore store;
  int32_t macro_id = 0;
  if (store.Open(store_folder, "K1")) {
    macro_id = store.AddMacro("x twice");
    MacroRecord macro;
    store.GetMacro(macro_id, macro);
    macro.play_times = 2;
    store.UpdateMacroPlayback(macro);
    store.ReplaceMacroSteps(macro_id,
                            {{0, macro_id, 2, 0, 'X', 5, ""}, {0, macro_id, 3, 1, 'X', 5, ""}});
  }
  MacroPlayer macro_player(vhidev, store, clock);
  DirectHandoff handoff(macro_player);
  KeyAssignmentPlayer player(vhidev, handoff);
  KeyAssignment to_b;
  to_b.key_code = kVkA;
  to_b.macro_type = macro_type::kKey;
  to_b.macro_value = kUsageB;
  KeyAssignment to_macro;
  to_macro.key_code = kVkM;
  to_macro.macro_type = macro_type::kMacro;
  to_macro.macro_value = macro_id;
  ProfileRecord profile;
  profile.name = "kernel";
  const int32_t profile_id = store.AddProfile(profile);
  store.SetActiveProfile(profile_id);
  for (KeyAssignment row : {to_b, to_macro}) {
    row.profile = profile_id;
    store.SaveKeyAssignment(row);
  }

  {
    // As the program starts it: the filter over the evdev backend, armed by
    // the monitor's rebuild from the active profile's assignments.
    platform::KeyFilter filter(backend, served_ids);
    FilterMonitor monitor(filter, vhidev);
    monitor.AddProxy(player);
    const int keys = monitor.RebuildKeyTable(store, player);
    std::vector<std::string> clones;
    const bool armed =
        keys == 2 && WaitFor([&] {
          clones.clear();
          for (const std::string& node : EventNodes(served.vendor_id, served.product_id)) {
            if (node != physical.Node()) clones.push_back(node);
          }
          return filter.GrabbedNodes() == 1 && clones.size() == 1;
        });
    const bool grabbed = armed && GrabRefused(physical.Node());
    if (!cases.Report("grab", grabbed,
                      "the rebuild arms the filter with " + std::to_string(keys) +
                          " keys; it grabs the keyboard (a second grab gets EBUSY) and makes "
                          "one pass-through clone; clones: " +
                          Describe(clones))) {
      return cases.ExitCode();
    }
    const auto found = backend.FindKeyboardNodes(served_ids);
    cases.Report("clone_left_out", found == std::vector<std::string>{physical.Node()},
                 "discovery leaves out the pass-through clone " + Describe(clones) +
                     " that carries the keyboard's ids; found: " + Describe(found));
    KeyReader clone_keys(clones);

    physical.Tap(KEY_A);
    auto played = vhidev_keys.Collect(2);
    auto passed = clone_keys.Collect(0);
    cases.Report("assigned_key",
                 played == std::vector<KeyChange>{{KEY_B, 1}, {KEY_B, 0}} && passed.empty(),
                 "A (assigned to B) comes out of vhidev as B down, B up and not through the "
                 "clone; vhidev: " +
                     Describe(played) + "; clone: " + Describe(passed));

    physical.Tap(KEY_C);
    passed = clone_keys.Collect(2);
    played = vhidev_keys.Collect(0);
    cases.Report("pass_through",
                 passed == std::vector<KeyChange>{{KEY_C, 1}, {KEY_C, 0}} && played.empty(),
                 "C (unassigned) passes through the clone unchanged, nothing on vhidev; clone: " +
                     Describe(passed) + "; vhidev: " + Describe(played));

    physical.Tap(KEY_M);
    played = vhidev_keys.Collect(4);
    passed = clone_keys.Collect(0);
    cases.Report(
        "macro",
        macro_id > 0 &&
            played == std::vector<KeyChange>{{KEY_X, 1}, {KEY_X, 0}, {KEY_X, 1}, {KEY_X, 0}} &&
            passed.empty(),
        "M (assigned a macro of X down, X up, played twice) plays its steps on vhidev; "
        "vhidev: " +
            Describe(played) + "; clone: " + Describe(passed));

    StepList steps;
    MacroRecorder recorder(steps);
    recorder.StartRecording(macro_id, MacroRecorder::DelayType::kMeasured, 0);
    filter.SetStrokeHandler([&](const platform::KeyStroke& stroke) {
      recorder.OnKeystroke(KeyInputFromStroke(stroke), StrokeTimeMs(stroke));
    });
    physical.Tap(KEY_D);
    physical.Tap(KEY_A);
    // Nothing may arrive: the window lets the keys be handled first.
    passed = clone_keys.Collect(0, 1000ms);
    played = vhidev_keys.Collect(0);
    filter.SetStrokeHandler(nullptr);
    recorder.StopRecording();
    const std::vector<KeyChange> want = {{'D', 1}, {'D', 0}, {'A', 1}, {'A', 0}};
    std::string recorded;
    for (const KeyChange& s : steps.steps) {
      recorded += (recorded.empty() ? "" : ", ") + std::string(1, static_cast<char>(s.code)) +
                  (s.value ? " down" : " up");
    }
    cases.Report("recording", steps.steps == want && passed.empty() && played.empty(),
                 "D and A (assigned) while recording become the steps D down, D up, A down, A up "
                 "and reach neither the clone nor vhidev; steps: " +
                     (recorded.empty() ? "none" : recorded) + "; clone: " + Describe(passed) +
                     "; vhidev: " + Describe(played));
  }

  {
    // A filter process that dies leaves the keyboard working.
    KeyReader direct({physical.Node()});
    int pipe_fds[2];
    bool held = false;
    pid_t child = -1;
    if (pipe(pipe_fds) == 0) {
      posix_spawn_file_actions_t actions;
      posix_spawn_file_actions_init(&actions);
      posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
      posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
      std::string self = fs::read_symlink("/proc/self/exe");
      std::string flag = "--hold-filter";
      std::string vendor = std::to_string(served.vendor_id);
      std::string product = std::to_string(served.product_id);
      char* argv[] = {self.data(), flag.data(), vendor.data(), product.data(), nullptr};
      if (posix_spawn(&child, self.c_str(), &actions, nullptr, argv, environ) != 0) child = -1;
      posix_spawn_file_actions_destroy(&actions);
      close(pipe_fds[1]);
      char text[8] = {};
      held = child > 0 && read(pipe_fds[0], text, 4) == 4 && std::string(text, 4) == "held";
      close(pipe_fds[0]);
    }
    physical.Tap(KEY_A);
    const auto while_held = direct.Collect(0, 500ms);
    if (child > 0) {
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
    }
    physical.Tap(KEY_A);
    const auto after = direct.Collect(2);
    const bool free_again = !GrabRefused(physical.Node());
    cases.Report("filter_killed",
                 held && while_held.empty() &&
                     after == std::vector<KeyChange>{{KEY_A, 1}, {KEY_A, 0}} && free_again,
                 "while a filter process holds the keyboard its keys reach no other reader; "
                 "killed, the keyboard's events reach readers again; held: " +
                     Describe(while_held) + "; after: " + Describe(after));
  }
  return cases.ExitCode();
}

}  // namespace
}  // namespace tessaro::kernel

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--hold-filter") {
    return tessaro::kernel::HoldFilter(
        {static_cast<uint16_t>(std::stoul(argv[2])), static_cast<uint16_t>(std::stoul(argv[3]))});
  }
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <folder with config.xml>\n", argv[0]);
    return 2;
  }
  return tessaro::kernel::Run(argv[1]);
}
