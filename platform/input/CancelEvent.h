#pragma once
// Waits that another thread can cancel: an eventfd that a wait polls together
// with the descriptors it waits for.
#include <chrono>
#include <span>
#include <vector>

namespace platform {

class CancelEvent {
 public:
  CancelEvent();
  ~CancelEvent();
  CancelEvent(const CancelEvent&) = delete;
  CancelEvent& operator=(const CancelEvent&) = delete;

  bool Valid() const { return fd_ >= 0; }
  // Makes the current wait return kCancelled, or the next one when none waits.
  void Signal();
  // Forgets a signal that no wait has consumed.
  void Reset();

  enum class Result { kReady, kCancelled, kTimeout, kError };
  // Waits until one of the descriptors is readable (ready[i] tells which),
  // the event is signalled (and consumed) or the time-out passes; a negative
  // time-out waits for ever.
  Result Wait(std::span<const int> fds, std::chrono::milliseconds timeout,
              std::vector<bool>& ready);

 private:
  int fd_ = -1;
};

}  // namespace platform
