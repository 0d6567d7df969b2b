#include "app/ui/UiThreadQueue.h"

namespace tessaro {

void UiThreadQueue::Post(std::function<void()> work) {
  {
    std::lock_guard lock(mutex_);
    work_.push_back(std::move(work));
  }
  wake_();
}

void UiThreadQueue::RunAll() {
  for (;;) {
    std::function<void()> next;
    {
      std::lock_guard lock(mutex_);
      if (work_.empty()) return;
      next = std::move(work_.front());
      work_.pop_front();
    }
    next();
  }
}

}  // namespace tessaro
