#include "platform/window/PostedQueue.h"

#include <algorithm>

#include "platform/window/MessageIds.h"

namespace platform {

void PostedQueue::Post(const Message& message) {
  {
    std::lock_guard lock(mutex_);
    posted_.push_back(message);
  }
  wake_();
}

void PostedQueue::PostMove(const Message& message) {
  {
    std::lock_guard lock(mutex_);
    if (!posted_.empty() && posted_.back().message == msg::kMouseMove &&
        posted_.back().window == message.window) {
      posted_.back() = message;
      return;
    }
    posted_.push_back(message);
  }
  wake_();
}

std::optional<Message> PostedQueue::Pop() {
  std::lock_guard lock(mutex_);
  if (posted_.empty()) return std::nullopt;
  Message m = posted_.front();
  posted_.pop_front();
  return m;
}

bool PostedQueue::Empty() const {
  std::lock_guard lock(mutex_);
  return posted_.empty() && sent_.empty();
}

void PostedQueue::DropWindow(WindowId window) {
  std::lock_guard lock(mutex_);
  std::erase_if(posted_, [window](const Message& m) { return m.window == window; });
}

void PostedQueue::PostQuit(int code) {
  {
    std::lock_guard lock(mutex_);
    quit_ = code;
  }
  wake_();
}

std::optional<int> PostedQueue::TakeQuit() {
  std::lock_guard lock(mutex_);
  std::optional<int> quit = quit_;
  quit_.reset();
  return quit;
}

std::intptr_t PostedQueue::SendAndWait(const Message& message) {
  Sent sent{message};
  {
    std::lock_guard lock(mutex_);
    if (shut_down_) return 0;
    sent_.push_back(&sent);
  }
  wake_();
  std::unique_lock lock(mutex_);
  answered_.wait(lock, [&] { return sent.done; });
  return sent.result;
}

void PostedQueue::HandleSent(const std::function<std::intptr_t(const Message&)>& handle) {
  for (;;) {
    Sent* sent = nullptr;
    {
      std::lock_guard lock(mutex_);
      if (sent_.empty()) return;
      sent = sent_.front();
      sent_.pop_front();
    }
    std::intptr_t result = handle(sent->message);
    {
      std::lock_guard lock(mutex_);
      sent->result = result;
      sent->done = true;
    }
    answered_.notify_all();
  }
}

void PostedQueue::Shutdown() {
  {
    std::lock_guard lock(mutex_);
    shut_down_ = true;
    for (Sent* sent : sent_) {
      sent->result = 0;
      sent->done = true;
    }
    sent_.clear();
  }
  answered_.notify_all();
}

}  // namespace platform
