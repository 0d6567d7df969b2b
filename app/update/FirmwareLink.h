#pragma once
// The keyboard link as the firmware update sees it.
#include <cstdint>
#include <optional>

namespace tessaro {

class FirmwareLink {
 public:
  virtual ~FirmwareLink() = default;
  // The keyboard's firmware version; nullopt when it cannot be read.
  virtual std::optional<uint16_t> ReadFirmwareVersion() = 0;
  // Closes every interface of the keyboard so that the firmware tool can open
  // it.
  virtual void CloseAll() = 0;
};

}  // namespace tessaro
