#include "app/shell/CThreadBasic.h"

namespace tessaro {

CThreadBasic::~CThreadBasic() {
  {
    std::lock_guard lock(mutex_);
    running_ = false;
  }
  Join();
}

void CThreadBasic::Join() {
  std::lock_guard join_lock(join_mutex_);
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

bool CThreadBasic::Start(bool loop, platform::Milliseconds period) {
  std::lock_guard join_lock(join_mutex_);
  std::lock_guard lock(mutex_);
  if (running_ || !stopped_) return false;
  if (thread_.joinable()) thread_.join();  // a finished earlier run
  running_ = true;
  stopped_ = false;
  loop_ = loop;
  period_ = period;
  started_at_ = clock_.Now();
  thread_ = std::thread([this] { Run(); });
  return true;
}

bool CThreadBasic::Stop(platform::Milliseconds timeout) {
  std::unique_lock lock(mutex_);
  running_ = false;
  const bool ended = stopped_signal_.wait_for(lock, timeout, [this] { return stopped_; });
  lock.unlock();
  if (ended) Join();
  return ended;
}

platform::Milliseconds CThreadBasic::StartedAt() const {
  std::lock_guard lock(mutex_);
  return started_at_;
}

bool CThreadBasic::IsRunning() const {
  std::lock_guard lock(mutex_);
  return running_;
}

void CThreadBasic::Run() {
  bool loop;
  platform::Milliseconds period;
  {
    std::lock_guard lock(mutex_);
    loop = loop_;
    period = period_;
  }
  if (!loop) {
    ThreadBody();
  } else {
    while (IsRunning()) {
      ThreadBody();
      clock_.SleepFor(period);
    }
  }
  std::lock_guard lock(mutex_);
  running_ = false;
  stopped_ = true;
  stopped_signal_.notify_all();
}

}  // namespace tessaro
