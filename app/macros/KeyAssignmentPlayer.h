#pragma once
// Carries out the assigned function of a key that the filter reports pressed
// or released: keys, consumer functions, mouse buttons and shortcuts through
// the virtual device; macros and software functions are handed on.
#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "app/macros/FilterEventHandler.h"
#include "app/macros/PlaybackHandoff.h"
#include "app/macros/VHidev.h"
#include "app/store/Records.h"

namespace tessaro {

// The effect of one press or release of a key with this assignment.
void PlayAssignment(const KeyAssignment& assignment, bool press, VHidev& device,
                    PlaybackHandoff& handoff);

class KeyAssignmentPlayer final : public FilterEventHandler {
 public:
  KeyAssignmentPlayer(VHidev& device, PlaybackHandoff& handoff)
      : device_(device), handoff_(handoff) {}

  // UI thread, at every rebuild of the filter's key table: the rows sent in the
  // table, looked up by key code from now on. A later row for the same key
  // replaces an earlier one.
  void SetAssignments(const std::vector<KeyAssignment>& rows);

  // Filter monitor thread. False when the key has no assignment. A press of a
  // key that is already down is auto-repeat and plays nothing: a held key
  // stays down on the virtual keyboard, which repeats it itself, and a macro or
  // software function runs once per press.
  bool OnFilterEvent(int32_t key_code, bool press) override;

 private:
  VHidev& device_;
  PlaybackHandoff& handoff_;
  std::mutex mutex_;
  std::unordered_map<int32_t, KeyAssignment> assignments_;
  std::unordered_set<int32_t> held_;
};

}  // namespace tessaro
