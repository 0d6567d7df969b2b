#pragma once
// The UI thread's message queue and its run loops.
//
// Any thread may post or send; only the UI thread (the one that created the
// window system) handles messages. Messages to a window that does not exist,
// or that is destroyed while they wait, are dropped (a waiting sender gets
// 0). What one thread posts and sends arrives in that order; messages sent
// from other threads are handled on the way and never reach a loop's hooks.
// When the queue runs dry the UI thread handles due timers, then paints.
#include <cstdint>

#include "platform/window/Message.h"

namespace platform {

enum class Fetch {
  kMessage,  // a message to dispatch
  kQuit,     // the quit message (its code in wparam); it is taken off the queue
  kEmpty,    // nothing pending (only without waiting)
  kError,    // the display failed; no further messages will come
};

enum class LoopEnd {
  kEnded,  // EndLoop, or a hook asked to end
  kQuit,   // a quit message arrived; it is posted again for the outer loops
  kError,  // fetching failed: the loop ends instead of spinning
};

struct LoopResult {
  LoopEnd end = LoopEnd::kEnded;
  int code = 0;  // EndLoop's code, the quit code, or -1 for an error
};

// A run loop's view of each message, on the UI thread.
class LoopHooks {
 public:
  virtual ~LoopHooks() = default;
  // Before dispatch; true consumes the message (it is not dispatched).
  virtual bool PreTranslate(const Message&) { return false; }
  // After dispatch (or consumption); true ends the loop with kEnded and code 0
  // unless EndLoop set a code.
  virtual bool AfterDispatch(const Message&) { return false; }
};

class MessageQueue {
 public:
  virtual ~MessageQueue() = default;

  // Any thread. False (nothing queued) when the window does not exist.
  bool Post(WindowId window, std::uint32_t message, std::uintptr_t wparam = 0,
            std::intptr_t lparam = 0) {
    return PostMessage(window, message, wparam, lparam);
  }
  // Any thread. On the UI thread the handler runs at once; from another
  // thread the call waits until the UI thread has handled it. 0 when the
  // window is gone. A thread that the UI thread waits for must not send.
  std::intptr_t Send(WindowId window, std::uint32_t message, std::uintptr_t wparam = 0,
                     std::intptr_t lparam = 0) {
    return SendMessage(window, message, wparam, lparam);
  }
  // Any thread: queues the quit message that ends the run loops.
  virtual void PostQuit(int code) = 0;

  // UI thread. Runs a loop, nested in any running one, until EndLoop, a hook,
  // a quit message or an error ends it.
  LoopResult RunLoop(LoopHooks* hooks = nullptr) { return RunLoopWith(hooks); }
  // UI thread: the innermost loop returns this code after the current message.
  virtual void EndLoop(int code) = 0;
  virtual int LoopDepth() const = 0;

  // UI thread, for loops of one's own: the next message (sent messages from
  // other threads are handled inside), waiting for one when asked.
  virtual Fetch NextMessage(Message& message, bool wait) = 0;
  virtual std::intptr_t Dispatch(const Message& message) = 0;
  // UI thread: handles everything pending, due timers and paints included,
  // without waiting; returns how many messages were dispatched.
  virtual int Pump() = 0;

  virtual bool IsUiThread() const = 0;

 protected:
  virtual bool PostMessage(WindowId window, std::uint32_t message, std::uintptr_t wparam,
                           std::intptr_t lparam) = 0;
  virtual std::intptr_t SendMessage(WindowId window, std::uint32_t message, std::uintptr_t wparam,
                                    std::intptr_t lparam) = 0;
  virtual LoopResult RunLoopWith(LoopHooks* hooks) = 0;
};

}  // namespace platform
