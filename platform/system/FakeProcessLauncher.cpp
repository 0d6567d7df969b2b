#include "platform/system/FakeProcessLauncher.h"

namespace platform {

void FakeProcessLauncher::SetFails(bool fails) {
  std::lock_guard lock(mutex_);
  fails_ = fails;
}

std::vector<FakeProcessLauncher::Started> FakeProcessLauncher::Starts() const {
  std::lock_guard lock(mutex_);
  return starts_;
}

int FakeProcessLauncher::Start(const std::string& program,
                               const std::vector<std::string>& arguments) {
  std::lock_guard lock(mutex_);
  starts_.push_back({program, arguments});
  return fails_ ? 0 : 1000 + static_cast<int>(starts_.size());
}

}  // namespace platform
