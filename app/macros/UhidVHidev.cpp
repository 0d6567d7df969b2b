#include "app/macros/UhidVHidev.h"

#include "app/macros/HidUsages.h"
#include "platform/input/ServedKeyboard.h"
#include "platform/input/UhidPacket.h"

namespace tessaro {

// Key filter discovery leaves the device out by these ids.
static_assert(platform::kVirtualDeviceId ==
              platform::UsbId{UhidVHidev::kVendorId, UhidVHidev::kProductId});

bool UhidVHidev::FindDevice() {
  std::lock_guard lock(mutex_);
  return FindDeviceLocked();
}

bool UhidVHidev::FindDeviceLocked() {
  if (device_.IsOpen()) return true;
  return device_.Create({kName, kVendorId, kProductId, platform::VirtualDeviceReportDescriptor()});
}

bool UhidVHidev::ReopenDevice() {
  // A device that still exists is the one to use: making a new one would make
  // the system see a keyboard unplugged and plugged in again.
  return FindDevice();
}

bool UhidVHidev::Write(std::span<const uint8_t> data, uint8_t report_id) {
  std::lock_guard lock(mutex_);
  return WriteLocked(data, report_id);
}

bool UhidVHidev::WriteLocked(std::span<const uint8_t> data, uint8_t report_id) {
  return device_.Write(platform::BuildWritePacket(report_id, data));
}

void UhidVHidev::ReleaseAll() {
  std::lock_guard lock(mutex_);
  keyboard_.fill(0);
  mouse_.fill(0);
  consumer_ = 0;
  const std::array<uint8_t, 2> zero{};
  WriteLocked(keyboard_, kKeyboardReport);
  WriteLocked(mouse_, kMouseReport);
  WriteLocked(zero, kConsumerReport);
  WriteLocked(zero, kFourthReport);
}

void UhidVHidev::KeyEvent(int usage, bool down) {
  if (usage < 0 || usage > 255) return;
  std::lock_guard lock(mutex_);
  uint8_t& byte = keyboard_[1 + (usage >> 3)];
  const auto bit = static_cast<uint8_t>(1u << (usage & 7));
  byte = down ? (byte | bit) : (byte & ~bit);
  // A failed write keeps the slot's new state, so the next write carries it.
  WriteLocked(keyboard_, kKeyboardReport);
}

void UhidVHidev::MouseButton(int bit, bool down) {
  if (bit < 0 || bit > 7) return;
  std::lock_guard lock(mutex_);
  const auto mask = static_cast<uint8_t>(1u << bit);
  mouse_[0] = down ? (mouse_[0] | mask) : (mouse_[0] & ~mask);
  WriteLocked(mouse_, kMouseReport);
}

void UhidVHidev::ConsumerEvent(int function_code, bool down) {
  const uint16_t usage = ConsumerUsage(function_code);
  if (usage == 0) return;
  std::lock_guard lock(mutex_);
  consumer_ = down ? usage : 0;
  const std::array<uint8_t, 2> data{static_cast<uint8_t>(consumer_ & 0xFF),
                                    static_cast<uint8_t>(consumer_ >> 8)};
  WriteLocked(data, kConsumerReport);
}

void UhidVHidev::PlayShortcut(int value) {
  const std::vector<ShortcutStep> steps = ShortcutSequence(value);
  for (size_t i = 0; i < steps.size(); ++i) {
    KeyEvent(steps[i].usage, steps[i].down);
    // Waits outside the lock, so keys of other threads are not held up.
    if (i + 1 < steps.size()) clock_.SleepFor(kShortcutStepWait);
  }
}

}  // namespace tessaro
