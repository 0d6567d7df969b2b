#include "platform/window/PostedQueue.h"

#include "platform/window/MessageIds.h"

namespace platform {

void PostedQueue::Post(const Message& message) {
  {
    std::lock_guard lock(mutex_);
    entries_.push_back({message});
  }
  wake_();
}

void PostedQueue::PostMove(const Message& message) {
  {
    std::lock_guard lock(mutex_);
    if (!entries_.empty() && !entries_.back().sent &&
        entries_.back().message.message == msg::kMouseMove &&
        entries_.back().message.window == message.window) {
      entries_.back().message = message;
      return;
    }
    entries_.push_back({message});
  }
  wake_();
}

std::optional<Message> PostedQueue::Pop(
    const std::function<std::intptr_t(const Message&)>& handle_sent) {
  for (;;) {
    Entry entry;
    {
      std::lock_guard lock(mutex_);
      if (entries_.empty()) return std::nullopt;
      entry = entries_.front();
      entries_.pop_front();
    }
    if (!entry.sent) return entry.message;
    Answer(entry.sent, handle_sent(entry.message));
  }
}

void PostedQueue::Answer(Sent* sent, std::intptr_t result) {
  {
    std::lock_guard lock(mutex_);
    sent->result = result;
    sent->done = true;
  }
  answered_.notify_all();
}

void PostedQueue::DropWindow(WindowId window) {
  {
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [window](const Entry& e) {
      if (e.message.window != window) return false;
      if (e.sent) e.sent->done = true;  // answered with 0
      return true;
    });
  }
  answered_.notify_all();
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
  Sent sent;
  {
    std::lock_guard lock(mutex_);
    if (shut_down_) return 0;
    entries_.push_back({message, &sent});
  }
  wake_();
  std::unique_lock lock(mutex_);
  answered_.wait(lock, [&] { return sent.done; });
  return sent.result;
}

void PostedQueue::Shutdown() {
  {
    std::lock_guard lock(mutex_);
    shut_down_ = true;
    for (const Entry& e : entries_) {
      if (e.sent) e.sent->done = true;
    }
    std::erase_if(entries_, [](const Entry& e) { return e.sent != nullptr; });
  }
  answered_.notify_all();
}

}  // namespace platform
