// The keyboard link against the kernel's own HID stack: a composite keyboard
// made with uhid (boot keyboard on interface 0, vendor collections on 2 and
// 3, with the ids of the shipped config.xml) is found by the link over hidraw,
// and every report reaches the uhid side byte for byte.
//
// Usage: tessaro_kernel_link <folder with config.xml and layouts/>
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/device/DeviceDescriptionLoader.h"
#include "app/device/FakeDeviceDescriptionView.h"
#include "app/device/FakeKeyboardStoreOpener.h"
#include "app/link/CommandReports.h"
#include "app/link/DeviceDetection.h"
#include "app/link/KeyboardCommands.h"
#include "app/link/KeyboardLink.h"
#include "platform/hid/HidrawBackend.h"
#include "platform/system/Clock.h"
#include "tests/kernel/GuestCases.h"
#include "tests/kernel/UhidDevice.h"

namespace tessaro::kernel {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;
using Kind = UhidMessage::Kind;

constexpr int kCommandInterface = 2;
constexpr int kStreamInterface = 3;
// What the stand-in firmware answers to the version query: version 1.2.
const Bytes kVersionAnswer = {0x07, 0x01, 0x02, 0, 0, 0, 0, 0};

struct Received {
  int interface_number = -1;
  Kind kind = Kind::kOther;
  Bytes bytes;
};

std::string Hex(const Bytes& bytes) {
  size_t end = bytes.size();
  while (end > 0 && bytes[end - 1] == 0) --end;
  std::string text;
  for (size_t i = 0; i < end; ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X ", bytes[i]);
    text += hex;
  }
  return text + "(" + std::to_string(bytes.size()) + " bytes)";
}

// The keyboard's firmware, played by uhid devices: one thread per interface
// records what the host sends and answers its requests.
class FirmwareStandIn {
 public:
  FirmwareStandIn(uint16_t vendor_id, uint16_t product_id) {
    const struct {
      int number;
      Bytes descriptor;
    } interfaces[] = {{0, BootKeyboardDescriptor()},
                      {kCommandInterface, VendorCollectionDescriptor()},
                      {kStreamInterface, VendorCollectionDescriptor()}};
    for (const auto& i : interfaces) {
      const std::string phys = "usb-0000:00:14.0-4/input" + std::to_string(i.number);
      devices_.push_back(
          {i.number,
           std::make_unique<UhidDevice>(
               UhidIdentity{"Tessaro test keyboard", phys, vendor_id, product_id}, i.descriptor)});
    }
  }
  ~FirmwareStandIn() {
    stop_ = true;
    for (std::thread& t : threads_) t.join();
  }

  // Every interface was created and bound by a driver; serving starts.
  bool Start() {
    for (auto& d : devices_) {
      if (!d.device->Valid() || !d.device->WaitStarted(5s)) return false;
    }
    for (auto& d : devices_) threads_.emplace_back([this, &d] { Serve(d.number, *d.device); });
    return true;
  }

  // What arrived so far, once at least `count` reports are in. Output reports
  // reach the uhid side after the write returned, so they are waited for; a
  // short grace afterwards lets reports beyond the expected ones show.
  std::vector<Received> Take(size_t count) {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, 3s, [&] { return received_.size() >= count; });
    arrived_.wait_for(lock, 100ms, [&] { return received_.size() > count; });
    return std::exchange(received_, {});
  }

 private:
  struct Interface {
    int number;
    std::unique_ptr<UhidDevice> device;
  };

  void Serve(int number, UhidDevice& device) {
    while (!stop_) {
      auto message = device.Read(50ms);
      if (!message) continue;
      if (message->kind == Kind::kSetReport) device.ReplySetReport(message->request_id, true);
      if (message->kind == Kind::kGetReport)
        device.ReplyGetReport(message->request_id, kVersionAnswer);
      if (message->kind != Kind::kOutput && message->kind != Kind::kSetReport &&
          message->kind != Kind::kGetReport) {
        continue;
      }
      std::lock_guard lock(mutex_);
      received_.push_back({number, message->kind, std::move(message->bytes)});
      arrived_.notify_all();
    }
  }

  std::vector<Interface> devices_;
  std::vector<std::thread> threads_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<Received> received_;
};

Bytes Padded(Bytes bytes, size_t size) {
  bytes.resize(size, 0);
  return bytes;
}
template <size_t N>
Bytes ToBytes(const std::array<uint8_t, N>& report) {
  return Bytes(report.begin(), report.end());
}

// Compares what arrived with the expected reports, in order on each interface
// (interfaces are served by their own threads, so only that order is kept);
// "" when equal, otherwise the first difference.
std::string Difference(std::vector<Received> got, std::vector<Received> want) {
  auto by_interface = [](const Received& a, const Received& b) {
    return a.interface_number < b.interface_number;
  };
  std::stable_sort(got.begin(), got.end(), by_interface);
  std::stable_sort(want.begin(), want.end(), by_interface);
  const char* kinds[] = {"start", "open", "close", "output", "set-report", "get-report", "other"};
  auto describe = [&](const Received& r) {
    return std::string("MI_0") + std::to_string(r.interface_number) + " " +
           kinds[static_cast<int>(r.kind)] + " " + Hex(r.bytes);
  };
  for (size_t i = 0; i < std::max(got.size(), want.size()); ++i) {
    if (i >= got.size()) return "missing report " + std::to_string(i) + ": " + describe(want[i]);
    if (i >= want.size()) return "unexpected report: " + describe(got[i]);
    if (got[i].interface_number != want[i].interface_number || got[i].kind != want[i].kind ||
        got[i].bytes != want[i].bytes) {
      return "report " + std::to_string(i) + " is " + describe(got[i]) + ", expected " +
             describe(want[i]);
    }
  }
  return "";
}

// Polls the enumeration until the kernel shows every uhid interface on hidraw.
bool WaitForHidraw(uint16_t vendor_id, size_t count) {
  platform::HidrawBackend backend;
  for (int attempt = 0; attempt < 100; ++attempt) {
    size_t seen = 0;
    for (const auto& info : backend.Enumerate()) seen += info.vendor_id == vendor_id ? 1 : 0;
    if (seen >= count) return true;
    std::this_thread::sleep_for(50ms);
  }
  return false;
}

int Run(const std::string& program_folder) {
  GuestCases cases("link");
  platform::SteadyClock clock;
  KeyboardLink link(std::make_unique<platform::HidrawBackend>(), clock);
  DeviceDescription description;
  FakeDeviceDescriptionView view;
  FakeKeyboardStoreOpener store;
  DeviceDescriptionLoader loader(description, view, store, link, program_folder);
  const std::vector<AcceptedMode> modes =
      loader.LoadDeviceDescription() ? link.AcceptedModes() : std::vector<AcceptedMode>{};
  if (!cases.Report("config", !modes.empty() && modes[0].mode_value == 0,
                    "config.xml in " + program_folder + " names a wired mode")) {
    return cases.ExitCode();
  }
  const AcceptedMode& wired = modes[0];
  char ids[48];
  std::snprintf(ids, sizeof ids, "%04X:%04X", wired.vendor_id, wired.product_id);

  FirmwareStandIn firmware(static_cast<uint16_t>(wired.vendor_id),
                           static_cast<uint16_t>(wired.product_id));
  const bool started = firmware.Start() && WaitForHidraw(static_cast<uint16_t>(wired.vendor_id), 3);
  if (!cases.Report(
          "uhid", started,
          std::string("uhid keyboard ") + ids + " on interfaces 0, 2, 3 has hidraw nodes")) {
    return cases.ExitCode();
  }

  // Detection as the device worker runs it.
  const DetectionResult detected = DetectDevices(link);
  std::vector<LinkedInterfaceInfo> listed;
  link.CollectInterfaces(listed);
  const int connection_mode = SelectCommandFamily(link);
  const auto command = link.GetCommandInterface();
  const bool found = detected.present && detected.opened && detected.connected.at(0) &&
                     listed.size() == 1 && listed[0].identity == wired.hid_interface &&
                     link.HasStreamInterface() && connection_mode == 0 && command &&
                     command->identity == wired.hid_interface;
  cases.Report("open_all", found,
               "OpenAll lists only " + wired.hid_interface +
                   " (boot keyboard left out), keeps MI_03 as the stream interface, connection "
                   "mode 0; listed " +
                   std::to_string(listed.size()) + ", mode " + std::to_string(connection_mode));
  if (!found) return cases.ExitCode();
  firmware.Take(0);

  KeyboardCommands commands(link, clock);
  {
    const auto version = commands.CheckFirmwareVersion();
    const std::vector<Received> want = {
        {kCommandInterface, Kind::kSetReport, Padded({0x07, 0xFD}, 8)},
        {kCommandInterface, Kind::kGetReport, {}}};
    const std::string difference = Difference(firmware.Take(want.size()), want);
    cases.Report("firmware_version", difference.empty() && version == 0x0102,
                 "query 07 FD as feature report on MI_02, answer 07 01 02 read as version " +
                     (version ? std::to_string(*version) + " (258 wanted)" : std::string("none")) +
                     (difference.empty() ? "" : "; " + difference));
  }
  {
    LightParams light;
    light.mode = command::kLightModeRgb;
    light.colorindex = 2;
    light.direction = 1;
    light.speed = 3;
    light.brightness = 4;
    light.color_value = 0x00332211;
    const bool sent =
        commands.WriteLightSetting(DeviceDescriptionLoader::kServedDeviceType, 0, light, 0) &&
        commands.WriteLightSetting(DeviceDescriptionLoader::kServedDeviceType, 1, light, 0);
    Bytes payload = {0x00, 0xBB, 0xAA, 0x99, 0x88, 0xAA, 0x03, 0x02, 0x11, 0x22, 0x03, 0x33};
    const std::vector<Received> want = {
        {kCommandInterface, Kind::kSetReport, {0x07, 0xF7, 0x03, 0x02, 0x11, 0x22, 0x03, 0x33}},
        {kCommandInterface, Kind::kOutput, Padded(payload, kOutputReportSize)}};
    std::string difference = Difference(firmware.Take(want.size()), want);
    Bytes built_payload = {command::kOutputId};
    for (uint8_t b : command::SecondGenLightPayload(light, 0)) built_payload.push_back(b);
    if (difference.empty() && (want[0].bytes != ToBytes(command::SecondGenLightFeature(light, 0)) ||
                               want[1].bytes != built_payload)) {
      difference = "the report builders disagree with the wire bytes";
    }
    cases.Report("light_setting", sent && difference.empty(),
                 "mode-4 light setting arrives as feature 07 F7 03 02 11 22 03 33 (mode 0) and as "
                 "payload BB AA 99 88 AA ... (mode 1) on MI_02" +
                     (difference.empty() ? "" : "; " + difference));
  }
  const std::vector<PositionColor> colors = {{0, 0x00030201}, {1, 0x00060504}, {109, 0x00FFEEDD}};
  {
    const bool sent = commands.WriteCustomColors(colors);
    std::vector<Received> want;
    for (const OutputReport& r : command::CustomColorReports(colors))
      want.push_back({kCommandInterface, Kind::kOutput, ToBytes(r)});
    std::string difference = Difference(firmware.Take(want.size()), want);
    // The builders themselves, against the bytes the firmware expects.
    const Bytes first = {0x00, 0x8B, 60,   0x00, 0x00, 0x01, 0x02,
                         0x03, 0xFF, 0x04, 0x05, 0x06, 0xFF};
    const Bytes last_head = {0x00, 0x8B, 20, 0xA4, 0x01};  // offset 420
    if (difference.empty() &&
        (want.size() != 8 || !std::equal(first.begin(), first.end(), want[0].bytes.begin()) ||
         !std::equal(last_head.begin(), last_head.end(), want[7].bytes.begin()) ||
         want[7].bytes[5 + 16] != 0xDD || want[7].bytes[5 + 17] != 0xEE ||
         want[7].bytes[5 + 18] != 0xFF || want[7].bytes[5 + 19] != 0xFF)) {
      difference = "the upload's reports are not 00 8B <length> <offset> R G B FF ...";
    }
    cases.Report("custom_colors", sent && difference.empty(),
                 "eight 8B reports (60 bytes each, 20 in the last) with positions 0, 1 and 109 "
                 "arrive on MI_02 as built" +
                     (difference.empty() ? "" : "; " + difference));
  }
  {
    const int first_generation_type = 100;
    const bool sent = commands.StreamFrame(first_generation_type, 0, colors);
    std::vector<Received> want = {
        {kCommandInterface, Kind::kOutput, Padded({0x00, 0xF0, 0xF4, 0x01}, kOutputReportSize)}};
    for (const OutputReport& r : command::StreamFrame(colors))
      want.push_back({kStreamInterface, Kind::kOutput, ToBytes(r)});
    std::string difference = Difference(firmware.Take(want.size()), want);
    const Bytes first = {0x00, 0xF1, 60, 0x00, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
    const Bytes last_head = {0x00, 0xF1, 30, 0x2C, 0x01};  // offset 300
    if (difference.empty() &&
        (want.size() != 7 || !std::equal(first.begin(), first.end(), want[1].bytes.begin()) ||
         !std::equal(last_head.begin(), last_head.end(), want[6].bytes.begin()) ||
         want[6].bytes[5 + 27] != 0xDD || want[6].bytes[5 + 28] != 0xEE ||
         want[6].bytes[5 + 29] != 0xFF)) {
      difference = "the frame's reports are not 00 F1 <length> <offset> R G B ...";
    }
    cases.Report("stream_frame", sent && difference.empty(),
                 "stream enable F0 F4 01 on MI_02, then six F1 frame reports on MI_03 as built" +
                     (difference.empty() ? "" : "; " + difference));
  }
  link.CloseAll();
  return cases.ExitCode();
}

}  // namespace
}  // namespace tessaro::kernel

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <folder with config.xml>\n", argv[0]);
    return 2;
  }
  return tessaro::kernel::Run(argv[1]);
}
