#pragma once
// Where the device worker sends the streamed key colours of a first-generation
// keyboard (the keyboard link's stream enable, once, and six stream reports).
#include <cstdint>
#include <span>

namespace tessaro {

struct LightPositionColor {
  int position = 0;
  uint32_t color = 0;  // 0x00BBGGRR
};

class KeyColorStreamSink {
 public:
  virtual ~KeyColorStreamSink() = default;
  virtual bool StreamFrame(std::span<const LightPositionColor> colors) = 0;
};

}  // namespace tessaro
