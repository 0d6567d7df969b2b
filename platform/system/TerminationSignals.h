#pragma once
// SIGTERM and SIGINT as events of the UI loop rather than handlers: the loop
// polls Fd() and takes the signals that arrived, so the exit runs on the UI
// thread like every other exit and nothing is done inside a handler.
#include <vector>

namespace platform {

class TerminationSignals {
 public:
  virtual ~TerminationSignals() = default;
  // Readable while a signal waits; -1 when signals could not be caught.
  virtual int Fd() const = 0;
  // The signal numbers that arrived since the last call, oldest first.
  virtual std::vector<int> TakeSignals() = 0;
};

// A signalfd. The signals are blocked for the calling thread, and every thread
// started afterwards inherits that, so make it before any other thread starts;
// the mask is restored when it goes. Programs started meanwhile inherit the
// mask too: start them with POSIX_SPAWN_SETSIGMASK and an empty mask.
class SignalfdTerminationSignals final : public TerminationSignals {
 public:
  SignalfdTerminationSignals();
  ~SignalfdTerminationSignals() override;
  SignalfdTerminationSignals(const SignalfdTerminationSignals&) = delete;
  SignalfdTerminationSignals& operator=(const SignalfdTerminationSignals&) = delete;

  int Fd() const override { return fd_; }
  std::vector<int> TakeSignals() override;

 private:
  int fd_ = -1;
  bool blocked_ = false;
  unsigned long long previous_mask_[16] = {};  // a sigset_t, kept opaque here
};

class FakeTerminationSignals final : public TerminationSignals {
 public:
  FakeTerminationSignals();
  ~FakeTerminationSignals() override;
  FakeTerminationSignals(const FakeTerminationSignals&) = delete;
  FakeTerminationSignals& operator=(const FakeTerminationSignals&) = delete;

  int Fd() const override { return fd_; }
  std::vector<int> TakeSignals() override;
  void Raise(int signal_number);

 private:
  int fd_ = -1;
  std::vector<int> pending_;
};

}  // namespace platform
