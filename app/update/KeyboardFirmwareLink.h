#pragma once
// The firmware update's view of the keyboard link: the version query of the
// command set and CloseAll. Device worker thread only, as the link's
// detection is.
#include "app/link/KeyboardLink.h"
#include "app/update/FirmwareLink.h"

namespace tessaro {

class KeyboardFirmwareLink final : public FirmwareLink {
 public:
  explicit KeyboardFirmwareLink(KeyboardLink& link) : link_(link) {}
  std::optional<uint16_t> ReadFirmwareVersion() override { return link_.ReadFirmwareVersion(); }
  void CloseAll() override { link_.CloseAll(); }

 private:
  KeyboardLink& link_;
};

}  // namespace tessaro
