#include "platform/system/TerminationSignals.h"

#include <signal.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

namespace platform {

static_assert(sizeof(sigset_t) <= sizeof(unsigned long long[16]));

SignalfdTerminationSignals::SignalfdTerminationSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  sigset_t previous;
  if (pthread_sigmask(SIG_BLOCK, &set, &previous) != 0) return;
  blocked_ = true;
  std::memcpy(previous_mask_, &previous, sizeof previous);
  fd_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
}

SignalfdTerminationSignals::~SignalfdTerminationSignals() {
  if (fd_ >= 0) close(fd_);
  if (blocked_) {
    sigset_t previous;
    std::memcpy(&previous, previous_mask_, sizeof previous);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  }
}

std::vector<int> SignalfdTerminationSignals::TakeSignals() {
  std::vector<int> taken;
  if (fd_ < 0) return taken;
  signalfd_siginfo info;
  while (read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
    taken.push_back(static_cast<int>(info.ssi_signo));
  }
  return taken;
}

FakeTerminationSignals::FakeTerminationSignals() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

FakeTerminationSignals::~FakeTerminationSignals() {
  if (fd_ >= 0) close(fd_);
}

void FakeTerminationSignals::Raise(int signal_number) {
  pending_.push_back(signal_number);
  const uint64_t one = 1;
  if (fd_ >= 0 && write(fd_, &one, sizeof one) < 0) return;
}

std::vector<int> FakeTerminationSignals::TakeSignals() {
  uint64_t count = 0;
  if (fd_ >= 0 && read(fd_, &count, sizeof count) < 0) count = 0;
  std::vector<int> taken;
  taken.swap(pending_);
  return taken;
}

}  // namespace platform
