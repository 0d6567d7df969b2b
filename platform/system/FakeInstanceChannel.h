#pragma once
// The instance channel for tests: whether another instance runs is set by the
// test, lines sent to "the running one" are recorded, and lines the test
// delivers make Fd() readable.
#include <deque>
#include <mutex>

#include "platform/system/InstanceChannel.h"

namespace platform {

class FakeInstanceChannel final : public InstanceChannel {
 public:
  FakeInstanceChannel();
  ~FakeInstanceChannel() override;
  FakeInstanceChannel(const FakeInstanceChannel&) = delete;
  FakeInstanceChannel& operator=(const FakeInstanceChannel&) = delete;

  Claim claim = Claim::kFirst;
  bool reachable = true;
  std::vector<std::string> sent;

  Claim ClaimInstance() override { return claim; }
  bool SendToRunning(const std::string& line) override;
  int Fd() const override { return fd_; }
  std::vector<std::string> TakeLines() override;

  // A line from a later start; thread-safe.
  void Deliver(const std::string& line);

 private:
  int fd_ = -1;
  std::mutex mutex_;
  std::deque<std::string> lines_;
};

}  // namespace platform
