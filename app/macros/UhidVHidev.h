#pragma once
// The virtual HID device of the process: a uhid device named "vhidev"
// (vendor 0xDEED, product 0xFEED) fed with the keyboard, mouse, consumer and
// fourth reports. Each report slot keeps its contents between writes, so a
// second key pressed while the first is held keeps both down.
//
// One lock covers a slot's change, the write of its packet and the device
// check before an event: two threads never interleave a change and a write,
// and a key event never replaces the device while a macro writes through it.
#include <array>
#include <cstdint>
#include <mutex>
#include <span>

#include "app/macros/VHidev.h"
#include "platform/input/VirtualHidDevice.h"
#include "platform/system/Clock.h"

namespace tessaro {

class UhidVHidev final : public VHidev {
 public:
  static constexpr uint16_t kVendorId = 0xDEED;
  static constexpr uint16_t kProductId = 0xFEED;
  static constexpr const char* kName = "vhidev";

  static constexpr uint8_t kKeyboardReport = 1;
  static constexpr uint8_t kMouseReport = 2;
  static constexpr uint8_t kConsumerReport = 3;
  static constexpr uint8_t kFourthReport = 4;

  static constexpr platform::Milliseconds kShortcutStepWait{10};

  UhidVHidev(platform::VirtualHidDevice& device, platform::Clock& clock)
      : device_(device), clock_(clock) {}

  // Makes the device when it does not exist; a device that works is kept.
  bool FindDevice();
  bool ReopenDevice() override;
  void ReleaseAll() override;
  void KeyEvent(int usage, bool down) override;
  void MouseButton(int bit, bool down) override;
  void ConsumerEvent(int function_code, bool down) override;
  void PlayShortcut(int value) override;

  // Writes one report as it is given; false when the write failed.
  bool Write(std::span<const uint8_t> data, uint8_t report_id);

 private:
  bool FindDeviceLocked();
  bool WriteLocked(std::span<const uint8_t> data, uint8_t report_id);

  platform::VirtualHidDevice& device_;
  platform::Clock& clock_;
  std::mutex mutex_;
  // Byte 0 is always 0; usage u is bit (u & 7) of byte 1 + (u >> 3).
  std::array<uint8_t, 33> keyboard_{};
  std::array<uint8_t, 4> mouse_{};  // byte 0 the buttons
  uint16_t consumer_ = 0;
};

}  // namespace tessaro
