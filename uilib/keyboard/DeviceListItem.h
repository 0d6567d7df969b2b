#pragma once
// One keyboard model in the device list.
#include <string>

#include "uilib/core/Rect.h"

namespace tumi {

struct DeviceListItem {
  // What a model's row shows.
  enum State : int { kHidden = 0, kConnected = 1, kListed = 2 };

  std::string name;
  int value1 = 0;  // kept for the caller, not used by the list
  int value2 = 0;
  int device_type = 0;
  int state = kHidden;
  bool listed = false;
  Rect rect;  // the row last drawn for the model, in control coordinates
};

}  // namespace tumi
