#pragma once
// A dialog for tests that records every notification its controls send
// (every OnMessage call) and lets a test build its controls in InitUI.
#include <functional>
#include <vector>

#include "uilib/core/MDialog.h"

namespace tumi::testing {

struct Notification {
  unsigned id = 0;
  unsigned code = 0;
  std::uintptr_t wparam = 0;
  std::intptr_t lparam = 0;
  friend bool operator==(const Notification&, const Notification&) = default;
};

class RecordingDialog : public MDialog {
 public:
  RecordingDialog() = default;
  ~RecordingDialog() override { DestroyWindow(); }

  // Runs in InitUI, with the client rectangle.
  std::function<void(RecordingDialog&, const Rect&)> on_init;
  std::vector<Notification> notifications;
  std::vector<unsigned> timers;
  int close_count = 0;

  void InitUI(const Rect& client) override {
    if (on_init) on_init(*this, client);
  }
  long OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) override {
    notifications.push_back({id, code, wparam, lparam});
    return 0;
  }
  void OnTimer(std::uintptr_t id) override { timers.push_back(static_cast<unsigned>(id)); }
  int OnClose() override {
    ++close_count;
    return 1;
  }

  // The codes received from one control, in order.
  std::vector<unsigned> CodesFrom(unsigned id) const {
    std::vector<unsigned> out;
    for (const Notification& n : notifications) {
      if (n.id == id) out.push_back(n.code);
    }
    return out;
  }
};

}  // namespace tumi::testing
