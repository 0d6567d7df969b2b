#pragma once
// The thread-safe part of the UI thread's queue: posted messages in order,
// messages sent from other threads with their waiting senders, and the quit
// request. Every change wakes the UI thread.
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
  std::optional<Message> Pop();
  bool Empty() const;
  void DropWindow(WindowId window);

  void PostQuit(int code);
  std::optional<int> TakeQuit();

  // From another thread: queues the message and waits until HandleSent has
  // answered it; 0 after Shutdown.
  std::intptr_t SendAndWait(const Message& message);
  // UI thread: answers every waiting sender.
  void HandleSent(const std::function<std::intptr_t(const Message&)>& handle);
  // Answers every waiting sender with 0 and refuses new ones.
  void Shutdown();

 private:
  struct Sent {
    Message message;
    std::intptr_t result = 0;
    bool done = false;
  };

  std::function<void()> wake_;
  mutable std::mutex mutex_;
  std::condition_variable answered_;
  std::deque<Message> posted_;
  std::deque<Sent*> sent_;
  std::optional<int> quit_;
  bool shut_down_ = false;
};

}  // namespace platform
