#include "app/macros/KeyAssignmentPlayer.h"

#include <optional>

#include "app/macros/HidUsages.h"
#include "app/macros/MacroType.h"

namespace tessaro {
namespace {

constexpr int kModifierCount = 4;  // Ctrl, Shift, Alt, Win: bits 0 to 3, usages 224 to 227

// A keyboard usage or function code, with the modifiers of a key combination
// held around it: pressed before the key, released after it.
void PlayKey(const KeyAssignment& assignment, bool press, VHidev& device) {
  const int code = assignment.macro_value;
  if (code < 0 || code >= macro_type::kFirstUnplayedCode) return;
  if (!device.ReopenDevice()) return;
  auto play_code = [&] {
    if (code < kFirstFunctionCode) {
      device.KeyEvent(code, press);
    } else {
      device.ConsumerEvent(code, press);
    }
  };
  const int32_t modifiers = assignment.macro_value2;
  if (press) {
    for (int bit = 0; bit < kModifierCount; ++bit) {
      if ((modifiers & (1 << bit)) != 0) device.KeyEvent(kFirstModifierUsage + bit, true);
    }
    play_code();
  } else {
    play_code();
    for (int bit = kModifierCount - 1; bit >= 0; --bit) {
      if ((modifiers & (1 << bit)) != 0) device.KeyEvent(kFirstModifierUsage + bit, false);
    }
  }
}

void PlayMouse(const KeyAssignment& assignment, bool press, VHidev& device) {
  const std::optional<int> bit = MouseButtonBit(assignment.macro_value);
  if (!bit || !device.ReopenDevice()) return;
  device.MouseButton(*bit, press);
}

void PlayShortcut(const KeyAssignment& assignment, bool press, VHidev& device) {
  if (!press || !device.ReopenDevice()) return;
  device.PlayShortcut(assignment.macro_value);
  device.ReleaseAll();
}

}  // namespace

void PlayAssignment(const KeyAssignment& assignment, bool press, VHidev& device,
                    PlaybackHandoff& handoff) {
  switch (assignment.macro_type) {
    case macro_type::kKey:
      PlayKey(assignment, press, device);
      break;
    case macro_type::kMouse:
      PlayMouse(assignment, press, device);
      break;
    case macro_type::kShortcut:
      PlayShortcut(assignment, press, device);
      break;
    case macro_type::kMacro:
      if (press && assignment.macro_value > 0) handoff.QueueMacro(assignment.macro_value);
      break;
    case macro_type::kProgram:
    case macro_type::kWebPage:
    case macro_type::kText:
    case macro_type::kProfile:
      if (press && assignment.macro_value > 0) handoff.PostSoftwareFunction(assignment.macro_value);
      break;
    default:
      // Default, disabled, list values and list functions: the filter already
      // keeps the key from the system, and nothing takes its place.
      break;
  }
}

void KeyAssignmentPlayer::SetAssignments(const std::vector<KeyAssignment>& rows) {
  std::lock_guard lock(mutex_);
  assignments_.clear();
  for (const KeyAssignment& row : rows) assignments_[row.key_code] = row;
  // The rebuild has released every report; a key still held starts afresh.
  held_.clear();
}

bool KeyAssignmentPlayer::OnFilterEvent(int32_t key_code, bool press) {
  KeyAssignment assignment;
  {
    std::lock_guard lock(mutex_);
    const auto found = assignments_.find(key_code);
    if (found == assignments_.end()) return false;
    if (press && !held_.insert(key_code).second) return true;
    if (!press) held_.erase(key_code);
    assignment = found->second;
  }
  // Played outside the lock: a shortcut takes tens of milliseconds, and a
  // rebuild must not wait for it.
  PlayAssignment(assignment, press, device_, handoff_);
  return true;
}

}  // namespace tessaro
