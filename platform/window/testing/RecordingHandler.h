#pragma once
// A window's handler for tests: records every message and answers through an
// optional reply function (DefaultHandling when there is none).
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <vector>

#include "platform/window/WindowSystem.h"

namespace platform {

class RecordingHandler : public MessageHandler {
 public:
  explicit RecordingHandler(Windows* windows = nullptr) : windows_(windows) {}

  std::function<std::intptr_t(const Message&)> reply;
  std::vector<Message> messages;

  std::intptr_t OnMessage(const Message& message) override {
    messages.push_back(message);
    if (reply) return reply(message);
    return windows_ ? windows_->DefaultHandling(message) : 0;
  }

  // The recorded messages whose numbers are in the list, in order.
  std::vector<Message> Only(std::initializer_list<std::uint32_t> numbers) const {
    std::vector<Message> out;
    for (const Message& m : messages) {
      if (std::find(numbers.begin(), numbers.end(), m.message) != numbers.end()) out.push_back(m);
    }
    return out;
  }
  std::vector<std::uint32_t> Numbers(std::initializer_list<std::uint32_t> numbers) const {
    std::vector<std::uint32_t> out;
    for (const Message& m : Only(numbers)) out.push_back(m.message);
    return out;
  }
  void Clear() { messages.clear(); }

 private:
  Windows* windows_;
};

}  // namespace platform
