#pragma once
// Where the device worker sends the streamed key colours of a first-generation
// keyboard (the stream enable once, then six stream reports a frame).
#include <span>

#include "app/link/PositionColor.h"

namespace tessaro {

class KeyColorStreamSink {
 public:
  virtual ~KeyColorStreamSink() = default;
  virtual bool StreamFrame(std::span<const PositionColor> colors) = 0;
};

}  // namespace tessaro
