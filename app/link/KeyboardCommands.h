#pragma once
// The keyboard work of the device tasks and the reports sent outside them,
// in the command set of the keyboard's generation, through the link's
// primitives. Holds the two flags the command sets remember: the
// first-generation mode-select flag (cleared by the UI thread when the user
// picks a light mode, set by the device worker's light writes) and whether the
// colour stream was enabled. Both are atomic because two threads use them.
#include <atomic>
#include <optional>
#include <span>

#include "app/link/KeyboardLink.h"
#include "app/link/LightParams.h"
#include "app/link/PositionColor.h"
#include "platform/system/Clock.h"

namespace tessaro {

enum class CommandSet { kFirstGeneration, kSecondGeneration, kNone };
// Device types up to 200: first generation; 201 to 299: second; others none.
CommandSet CommandSetOf(int device_type);

class KeyboardCommands {
 public:
  static constexpr platform::Milliseconds kChunkWait{1};
  static constexpr platform::Milliseconds kAfterReset{100};
  static constexpr platform::Milliseconds kResetGap{1600};
  // The light slot report and the colour stream exist below this type only.
  static constexpr int kStreamingTypesBelow = 200;
  // A light mode's config_func bit that makes the custom slot count.
  static constexpr int kConfigFuncUsesSlot = 0x100;

  KeyboardCommands(KeyboardLink& link, platform::Clock& clock) : link_(link), clock_(clock) {}

  // The slot a light setting carries: the chosen one only for modes that use it.
  static int SlotFor(int config_func, int chosen_slot) {
    return (config_func & kConfigFuncUsesSlot) != 0 ? chosen_slot : 0;
  }

  // Task 7. The first generation sends the mode-select form after a mode
  // change and the parameter form otherwise.
  bool WriteLightSetting(int device_type, int connection_mode, const LightParams& light, int slot);
  // Task 8: the first-generation upload whatever the device type; stops at the
  // first report that fails.
  bool WriteCustomColors(std::span<const PositionColor> colors);
  // Task 10.
  bool ResetDevice(int device_type, int connection_mode);
  // Task 13.
  std::optional<uint16_t> CheckFirmwareVersion() { return link_.ReadFirmwareVersion(); }
  // Task 16: the firmware tool opens the keyboard itself.
  void ReleaseForFirmwareTool() { link_.CloseAll(); }

  // Audio capture thread: unpaced, any device type.
  bool SendMusicLevel(int source_option, int colour_index, int level);
  // UI thread: the first generation's slot control (types below 200).
  bool SendLightSlot(int device_type, const LightParams& light, int slot);
  // Device worker, idle ticks: one frame of streamed key colours (types below
  // 200, connection mode 0, some colour above 1). Enables the stream once.
  bool StreamFrame(int device_type, int connection_mode, std::span<const PositionColor> colors);

  // The user picked a light mode: the next first-generation write selects it.
  void ClearModeSelect() { mode_selected_ = false; }
  bool ModeSelected() const { return mode_selected_; }
  bool StreamEnabled() const { return stream_enabled_; }

 private:
  bool SendChunks(std::span<const OutputReport> reports, bool stream);

  KeyboardLink& link_;
  platform::Clock& clock_;
  std::atomic<bool> mode_selected_{true};
  std::atomic<bool> stream_enabled_{false};
};

}  // namespace tessaro
