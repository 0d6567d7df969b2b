#pragma once
// A scripted HID backend for tests: interfaces are added by hand, opens can be
// refused, writes made to fail (once, or from some write on as if the keyboard
// had been unplugged), feature reads answered from a script. Every report is
// recorded with its interface and the clock's time. Never touches a real device.
#include <deque>
#include <memory>
#include <mutex>
#include <set>

#include "platform/hid/HidBackend.h"
#include "platform/hid/HidReportRecord.h"
#include "platform/system/Clock.h"

namespace platform {

class FakeHidBackend final : public HidBackend {
 public:
  explicit FakeHidBackend(const Clock& clock);

  std::vector<HidInterfaceInfo> Enumerate() override;
  std::unique_ptr<HidDevice> Open(const std::string& path) override;

  // An interface with one top-level collection; the path is "fake:<vid>:<pid>:<n>".
  HidInterfaceInfo AddInterface(uint16_t vendor_id, uint16_t product_id, int interface_number,
                                uint16_t usage_page = 0xFF01, uint16_t usage = 0x0001);
  void RefuseOpen(const std::string& path);
  // Writes (output and feature set) are counted from 1 across all interfaces.
  void FailWrite(int number);       // that one write fails
  void FailWritesFrom(int number);  // that write and every later one fail
  void Unplug();                    // enumeration empty, every operation on open handles fails
  // The next feature read answers these bytes; with no answer queued it fails.
  void QueueFeatureAnswer(std::vector<uint8_t> answer);

  std::vector<HidReportRecord> Records() const;
  void ClearRecords();
  int OpenHandles() const;
  int OpenCalls() const;

 private:
  class Device;
  struct State {
    mutable std::mutex mutex;
    std::vector<HidInterfaceInfo> interfaces;
    std::set<std::string> refused;
    std::set<int> failing_writes;
    int fail_from = 0;
    int writes = 0;
    bool unplugged = false;
    std::deque<std::vector<uint8_t>> answers;
    std::vector<HidReportRecord> records;
    int open_handles = 0;
    int open_calls = 0;
  };

  const Clock& clock_;
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace platform
