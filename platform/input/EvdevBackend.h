#pragma once
// The served keyboards' event nodes through libudev and libevdev, with uinput
// clones for what passes through. Needs read access to the nodes and write
// access to /dev/uinput (the udev rules of data/driver give both to the
// seat's user).
#include "platform/input/EventNode.h"

namespace platform {

class EvdevBackend final : public InputBackend {
 public:
  std::vector<std::string> FindKeyboardNodes(const std::vector<UsbId>& ids) override;
  std::unique_ptr<EventNode> OpenNode(const std::string& path) override;
};

}  // namespace platform
