#include "platform/hid/SimulatedKeyboard.h"

#include <cstdio>
#include <fstream>

namespace platform {
namespace {

constexpr uint8_t kFeatureReportId = 0x07;
constexpr uint8_t kVersionQuery = 0xFD;

const char* KindName(HidReportRecord::Kind kind) {
  switch (kind) {
    case HidReportRecord::Kind::kOutput:
      return "output";
    case HidReportRecord::Kind::kFeatureSet:
      return "feature";
    case HidReportRecord::Kind::kFeatureGet:
      return "feature-read";
  }
  return "?";
}

}  // namespace

class SimulatedKeyboard::Device final : public HidDevice {
 public:
  Device(SimulatedKeyboard& keyboard, int interface_number)
      : keyboard_(keyboard), interface_number_(interface_number) {}

  int Write(std::span<const uint8_t> report) override {
    keyboard_.Received(HidReportRecord::Kind::kOutput, interface_number_, report);
    return static_cast<int>(report.size());
  }
  int SendFeature(std::span<const uint8_t> report) override {
    keyboard_.Received(HidReportRecord::Kind::kFeatureSet, interface_number_, report);
    return static_cast<int>(report.size());
  }
  int GetFeature(std::span<uint8_t> buffer) override {
    return keyboard_.Answer(interface_number_, buffer);
  }

 private:
  SimulatedKeyboard& keyboard_;
  int interface_number_;
};

SimulatedKeyboard::SimulatedKeyboard(IdSource ids, std::string log_path, const Clock& clock)
    : ids_(std::move(ids)), log_path_(std::move(log_path)), clock_(clock), start_(clock.Now()) {}

std::string SimulatedKeyboard::PathOf(int interface_number) {
  return "sim:hidraw" + std::to_string(interface_number);
}

std::vector<HidInterfaceInfo> SimulatedKeyboard::Enumerate() {
  const std::optional<Ids> ids = ids_ ? ids_() : std::nullopt;
  if (!ids) return {};
  std::vector<HidInterfaceInfo> found;
  for (int number : {kCommandInterface, kStreamInterface}) {
    HidInterfaceInfo info;
    info.path = PathOf(number);
    info.vendor_id = ids->vendor_id;
    info.product_id = ids->product_id;
    info.collections.push_back({kVendorUsagePage, kVendorUsage});
    info.interface_number = number;
    found.push_back(std::move(info));
  }
  return found;
}

std::unique_ptr<HidDevice> SimulatedKeyboard::Open(const std::string& path) {
  for (int number : {kCommandInterface, kStreamInterface}) {
    if (path == PathOf(number)) return std::make_unique<Device>(*this, number);
  }
  return nullptr;
}

void SimulatedKeyboard::Received(HidReportRecord::Kind kind, int interface_number,
                                 std::span<const uint8_t> bytes) {
  std::lock_guard lock(mutex_);
  if (kind == HidReportRecord::Kind::kFeatureSet && bytes.size() >= 2 &&
      bytes[0] == kFeatureReportId) {
    version_asked_ = bytes[1] == kVersionQuery;
  }
  Log(HidReportRecord{kind, interface_number, {bytes.begin(), bytes.end()}, clock_.Now(), true});
}

// The firmware answers the version query on its next feature read: report id,
// then the version high byte first.
int SimulatedKeyboard::Answer(int interface_number, std::span<uint8_t> buffer) {
  std::lock_guard lock(mutex_);
  if (buffer.empty()) return -1;
  const uint8_t id = buffer[0];
  std::fill(buffer.begin(), buffer.end(), uint8_t{0});
  buffer[0] = id;
  if (id == kFeatureReportId && version_asked_ && buffer.size() >= 3) {
    buffer[1] = static_cast<uint8_t>(kFirmwareVersion >> 8);
    buffer[2] = static_cast<uint8_t>(kFirmwareVersion & 0xFF);
  }
  Log(HidReportRecord{HidReportRecord::Kind::kFeatureGet,
                      interface_number,
                      {buffer.begin(), buffer.end()},
                      clock_.Now(),
                      true});
  return static_cast<int>(buffer.size());
}

// One line per report: seconds since start, interface, kind, the bytes in hex.
void SimulatedKeyboard::Log(const HidReportRecord& record) {
  if (log_path_.empty()) return;
  std::ofstream log(log_path_, std::ios::app);
  if (!log) return;
  char head[64];
  const auto ms = (record.time - start_).count();
  std::snprintf(head, sizeof head, "%lld.%03lld MI_%02X %s", static_cast<long long>(ms / 1000),
                static_cast<long long>(ms % 1000), static_cast<unsigned>(record.interface_number),
                KindName(record.kind));
  log << head;
  for (uint8_t byte : record.bytes) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", byte);
    log << hex;
  }
  log << '\n';
}

}  // namespace platform
