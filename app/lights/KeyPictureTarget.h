#pragma once
// The light page's keyboard picture as the light engines recolour it. Called
// from the capture thread and the device worker: implementations lock their
// key list and only invalidate, never paint, on those threads.
#include <cstdint>
#include <vector>

namespace tessaro {

struct KeyColorItem {
  uint32_t key_code = 0;
  uint32_t color = 0;  // 0x00BBGGRR
};

class KeyPictureTarget {
 public:
  virtual ~KeyPictureTarget() = default;
  virtual void ResetAllItemsColor(uint32_t color) = 0;
  virtual void SetKeyColor(uint32_t key_code, uint32_t color) = 0;
  virtual void Repaint() = 0;
  virtual std::vector<KeyColorItem> KeyColors() const = 0;
};

}  // namespace tessaro
