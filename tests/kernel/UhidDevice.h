#pragma once
// A HID device made by this process through /dev/uhid, as the kernel sees a
// USB interface: the kernel's HID drivers bind to it and hidraw and event
// nodes appear. The process plays the firmware: it reads what the host sends
// (output reports, feature reports set and asked for) and answers requests.
// Test code for the guest of the kernel tier only.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaro::kernel {

struct UhidIdentity {
  std::string name;
  std::string phys;  // "...inputN" tells the interface number
  uint16_t vendor_id = 0;
  uint16_t product_id = 0;
};

// What arrived from the host.
struct UhidMessage {
  enum class Kind { kStart, kOpen, kClose, kOutput, kSetReport, kGetReport, kOther };
  Kind kind = Kind::kOther;
  uint32_t request_id = 0;  // of a set or get report request, for the reply
  uint8_t report_number = 0;
  std::vector<uint8_t> bytes;
};

class UhidDevice {
 public:
  // Creates the device; Valid() tells whether the kernel took it.
  UhidDevice(const UhidIdentity& identity, const std::vector<uint8_t>& descriptor);
  ~UhidDevice();
  UhidDevice(const UhidDevice&) = delete;
  UhidDevice& operator=(const UhidDevice&) = delete;

  bool Valid() const { return fd_ >= 0; }
  int Fd() const { return fd_; }

  // The next message, waiting at most the time-out; nullopt when none came.
  std::optional<UhidMessage> Read(std::chrono::milliseconds timeout);
  bool ReplySetReport(uint32_t request_id, bool ok);
  bool ReplyGetReport(uint32_t request_id, const std::vector<uint8_t>& bytes);
  // An input report, as if keys were pressed.
  bool SendInput(const std::vector<uint8_t>& report);
  // Waits until the kernel started the device (a driver bound to it).
  bool WaitStarted(std::chrono::milliseconds timeout);

 private:
  int fd_ = -1;
};

// Report descriptors the tests use.
std::vector<uint8_t> VendorCollectionDescriptor();  // usage page 0xFF01, usage 1
std::vector<uint8_t> BootKeyboardDescriptor();

}  // namespace tessaro::kernel
