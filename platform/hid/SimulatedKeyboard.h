#pragma once
// A second-generation keyboard that exists only in memory, for --simulate and
// end-to-end tests: its command collection on interface 2, its stream
// collection on interface 3 (both usage page 0xFF01, usage 1), firmware
// version 0x0102. Every report it receives is written, with a time stamp, to a
// log file when one is named ($TESSARO_SIM_LOG).
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "platform/hid/HidBackend.h"
#include "platform/hid/HidReportRecord.h"
#include "platform/system/Clock.h"

namespace platform {

class SimulatedKeyboard final : public HidBackend {
 public:
  static constexpr uint16_t kFirmwareVersion = 0x0102;
  static constexpr int kCommandInterface = 2;
  static constexpr int kStreamInterface = 3;
  static constexpr uint16_t kVendorUsagePage = 0xFF01;
  static constexpr uint16_t kVendorUsage = 0x0001;

  struct Ids {
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
  };
  // The ids are asked for at each enumeration, because they come from the
  // device description, which may load after the backend is made; while there
  // are none the keyboard is not plugged in.
  using IdSource = std::function<std::optional<Ids>()>;

  SimulatedKeyboard(IdSource ids, std::string log_path, const Clock& clock);

  std::vector<HidInterfaceInfo> Enumerate() override;
  std::unique_ptr<HidDevice> Open(const std::string& path) override;

  // "sim:hidraw2" and "sim:hidraw3".
  static std::string PathOf(int interface_number);

 private:
  class Device;
  // Called by the devices, under the mutex.
  void Received(HidReportRecord::Kind kind, int interface_number, std::span<const uint8_t> bytes);
  int Answer(int interface_number, std::span<uint8_t> buffer);
  void Log(const HidReportRecord& record);

  IdSource ids_;
  std::string log_path_;
  const Clock& clock_;
  const Milliseconds start_;
  std::mutex mutex_;
  bool version_asked_ = false;
};

}  // namespace platform
