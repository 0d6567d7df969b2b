#pragma once
// Where recording and key capture get their keystrokes: the key filter (which
// takes the keys away from the system) or, when the keyboard's event nodes
// cannot be read, the X server's raw key events (which cannot).
#include <cstdint>
#include <functional>

#include "platform/input/KeyCodeTable.h"

namespace platform {

// A key event as recording sees it.
struct KeyStroke {
  uint16_t linux_code = 0;
  VirtualKey key;     // vk 0 when the program has no code for the key
  int32_t value = 0;  // 0 release, 1 press, 2 auto-repeat
  int64_t time_us = 0;

  bool operator==(const KeyStroke&) const = default;
};

class StrokeSource {
 public:
  virtual ~StrokeSource() = default;

  using StrokeHandler = std::function<void(const KeyStroke&)>;
  // While a handler is set every key event goes to it on the source's own
  // thread; null ends it and returns once no call to the old handler runs.
  virtual void SetStrokeHandler(StrokeHandler handler) = 0;
  // Whether keystrokes are kept from the system while a handler is set.
  virtual bool ConsumesKeys() const = 0;
};

}  // namespace platform
