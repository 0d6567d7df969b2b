#pragma once
// The thread-safe part of the UI thread's queue: one line of posted messages
// and of messages sent from other threads (whose senders wait for the
// answer), so what one thread posts and sends arrives in that order; and the
// quit request. Every change wakes the UI thread.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

#include "platform/window/Message.h"

namespace platform {

class PostedQueue {
 public:
  explicit PostedQueue(std::function<void()> wake) : wake_(std::move(wake)) {}
  ~PostedQueue() { Shutdown(); }

  void Post(const Message& message);
  // Pointer moves are many: a move that follows a queued move of the same
  // window replaces it.
  void PostMove(const Message& message);
  // The next posted message; sent messages ahead of it are handled on the
  // way and their senders answered.
  std::optional<Message> Pop(const std::function<std::intptr_t(const Message&)>& handle_sent);
  // Drops the window's posted messages and answers its sent ones with 0.
  void DropWindow(WindowId window);

  void PostQuit(int code);
  std::optional<int> TakeQuit();

  // From another thread: queues the message and waits until Pop has
  // handled it; 0 after Shutdown.
  std::intptr_t SendAndWait(const Message& message);
  // Answers every waiting sender with 0 and refuses new ones.
  void Shutdown();

 private:
  struct Sent {
    std::intptr_t result = 0;
    bool done = false;
  };
  struct Entry {
    Message message;
    Sent* sent = nullptr;  // the waiting sender, for a sent message
  };

  void Answer(Sent* sent, std::intptr_t result);

  std::function<void()> wake_;
  mutable std::mutex mutex_;
  std::condition_variable answered_;
  std::deque<Entry> entries_;
  std::optional<int> quit_;
  bool shut_down_ = false;
};

}  // namespace platform
