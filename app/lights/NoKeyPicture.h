#pragma once
// A keyboard picture that shows nothing: for runs without a window, where the
// light engines' colours have nowhere to go.
#include "app/lights/KeyPictureTarget.h"

namespace tessaro {

class NoKeyPicture final : public KeyPictureTarget {
 public:
  void ResetAllItemsColor(uint32_t) override {}
  void SetKeyColor(uint32_t, uint32_t) override {}
  void Repaint() override {}
  std::vector<KeyColorItem> KeyColors() const override { return {}; }
};

}  // namespace tessaro
