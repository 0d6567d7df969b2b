#pragma once
// Windows are named by ids, never by pointers: a queued message carries the id
// of its window and two integers, so a message that outlives its window finds
// no window and is dropped instead of reaching freed memory. Ids are never
// reused within a process.
#include <cstdint>

#include "platform/window/Geometry.h"

namespace platform {

using WindowId = std::uint32_t;
inline constexpr WindowId kNoWindow = 0;

struct Message {
  WindowId window = kNoWindow;
  std::uint32_t message = 0;
  std::uintptr_t wparam = 0;
  std::intptr_t lparam = 0;
  friend bool operator==(const Message&, const Message&) = default;
};

// What a window's owner implements: every message of the window, on the UI
// thread. The result answers a sent message; posted messages drop it.
class MessageHandler {
 public:
  virtual ~MessageHandler() = default;
  virtual std::intptr_t OnMessage(const Message& message) = 0;
};

// A point packed into a parameter as two signed 16-bit halves, x low, the way
// mouse messages carry their position.
inline std::intptr_t PackPoint(Point p) {
  auto x = static_cast<std::uint16_t>(static_cast<std::int16_t>(p.x));
  auto y = static_cast<std::uint16_t>(static_cast<std::int16_t>(p.y));
  return static_cast<std::intptr_t>(static_cast<std::uint32_t>(x) |
                                    (static_cast<std::uint32_t>(y) << 16));
}

inline Point UnpackPoint(std::intptr_t param) {
  auto bits = static_cast<std::uint32_t>(param);
  return {static_cast<std::int16_t>(bits & 0xFFFF), static_cast<std::int16_t>(bits >> 16)};
}

// Two 16-bit halves (sizes, wheel delta with key flags).
inline std::uintptr_t PackWords(int low, int high) {
  return static_cast<std::uintptr_t>(static_cast<std::uint16_t>(low)) |
         (static_cast<std::uintptr_t>(static_cast<std::uint16_t>(high)) << 16);
}
inline int LowWord(std::uintptr_t v) {
  return static_cast<int>(v & 0xFFFF);
}
inline int HighWord(std::uintptr_t v) {
  return static_cast<int>((v >> 16) & 0xFFFF);
}
inline int SignedHighWord(std::uintptr_t v) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>((v >> 16) & 0xFFFF));
}

}  // namespace platform
