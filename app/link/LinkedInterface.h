#pragma once
// An opened interface owned by the keyboard link. Its send mutex serialises the
// threads that write to it (device worker, audio capture, UI).
#include <memory>
#include <mutex>

#include "app/link/LinkedInterfaceInfo.h"
#include "platform/hid/HidDevice.h"

namespace tessaro {

struct LinkedInterface {
  LinkedInterfaceInfo info;
  std::unique_ptr<platform::HidDevice> device;
  std::mutex send_mutex;
};

}  // namespace tessaro
