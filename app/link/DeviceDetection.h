#pragma once
// Device detection on the keyboard link, run by the device worker for the
// detection tasks: the link is closed, reset and opened again, and every
// accepted mode is looked up. The main window shows the result (device list,
// tabs, status).
#include <vector>

#include "app/link/KeyboardLink.h"

namespace tessaro {

struct DetectionResult {
  bool present = false;              // the enumeration found an interface of a served keyboard
  bool opened = false;               // some mode's interface was found
  std::vector<bool> connected;       // per accepted mode, in registration order
  std::vector<int> connected_types;  // device type of each connected mode, in order
};

DetectionResult DetectDevices(KeyboardLink& link);

// The page update's part of the link: commands go to the second-generation
// family marker, and the connection mode of the keyboard is read back.
inline constexpr int kCommandFamilyMarker = 201;
int SelectCommandFamily(KeyboardLink& link);

}  // namespace tessaro
