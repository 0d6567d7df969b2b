#pragma once
// The key filter: takes the keys of its table away from the system and
// reports their presses and releases; every other key of the served keyboard
// passes unchanged. It grabs the keyboard's event nodes and replays what it
// lets through on a uinput clone of each node.
//
// A reader thread of its own does the grabbing, the reading and the
// pass-through, so an unassigned key never waits for a key being played or
// for any lock of the program. Table keys queue up as 4-byte events that
// Control(kWaitKeyEvent) hands out one at a time.
//
// Everything the filter holds is released when it is destroyed; if the
// process dies the kernel closes the nodes, which drops the grabs and removes
// the clones, so the keyboard keeps working either way.
#include <atomic>
#include <bitset>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "platform/input/CancelEvent.h"
#include "platform/input/EventNode.h"
#include "platform/input/FilterDevice.h"
#include "platform/input/FilterProtocol.h"
#include "platform/input/KeyCodeTable.h"

namespace platform {

class KeyFilter final : public FilterDevice {
 public:
  KeyFilter(InputBackend& backend, std::vector<UsbId> served);
  ~KeyFilter() override;
  KeyFilter(const KeyFilter&) = delete;
  KeyFilter& operator=(const KeyFilter&) = delete;

  // One of the four control codes of FilterProtocol.h. False for an unknown
  // code, a wrong input or output size, and a cancelled wait.
  bool Control(uint32_t code, std::span<const uint8_t> input, std::span<uint8_t> output) override;

  // Ends the pending kWaitKeyEvent with false (or the next one, when none
  // waits); ResetCancel forgets a cancel that no wait consumed.
  void CancelWaits() override;
  void ResetCancel() override;

  // While a handler is set every key event of the served keyboard goes to it
  // on the filter's thread and none reaches the system; the table is not
  // consulted. Null ends recording.
  void SetStrokeHandler(StrokeHandler handler) override;

  // The event nodes held and grabbed now (after the last change has been
  // carried out).
  int GrabbedNodes() const;

 private:
  struct Held;

  void Run();
  // Reader thread: brings the held nodes in line with what is wanted.
  void SyncNodes(bool rescan);
  bool Active() const;
  void ReadNode(Held& held, bool& gone);
  void TakeKey(Held& held, const InputEvent& event, const StrokeHandler& handler);
  void Queue(filter::KeyEvent event);
  void ReleaseTakenKeys(Held& held);
  bool WaitKeyEvent(std::span<uint8_t> output);
  // Asks the reader thread to sync and waits until it has.
  void RequestSync();

  InputBackend& backend_;
  const std::vector<UsbId> served_;

  mutable std::mutex mutex_;
  std::condition_variable synced_cv_;
  std::bitset<65536> table_;
  bool table_has_keys_ = false;
  uint64_t table_generation_ = 0;
  bool armed_ = false;
  StrokeHandler stroke_handler_;
  std::deque<filter::KeyEvent> queue_;
  uint64_t sync_requested_ = 0;
  uint64_t sync_done_ = 0;
  int grabbed_nodes_ = 0;

  int queue_fd_ = -1;  // eventfd semaphore: one count per queued event
  CancelEvent cancel_;
  CancelEvent wake_;  // wakes the reader thread
  std::atomic<bool> stop_{false};

  // Reader thread only.
  std::vector<std::unique_ptr<Held>> held_;
  int64_t last_scan_ms_ = -1000000;

  std::thread reader_;
};

}  // namespace platform
