#pragma once
// Grabs of the X root window: into a shared-memory image (MIT-SHM) where the
// server offers it, so a grab is one request and no pixels cross the socket;
// with XGetImage otherwise (a remote display). The display connection is the
// capture's own and is used from one thread only. Under Wayland this sees the
// X clients only.
#include <memory>
#include <string>

#include "platform/screen/ScreenCapture.h"

namespace platform {

class X11ScreenCapture final : public ScreenCapture {
 public:
  // The display name; empty: $DISPLAY.
  explicit X11ScreenCapture(std::string display = {});
  ~X11ScreenCapture() override;
  X11ScreenCapture(const X11ScreenCapture&) = delete;
  X11ScreenCapture& operator=(const X11ScreenCapture&) = delete;

  bool Grab(ScreenImage& image) override;
  // Whether the grabs go through shared memory (after the first grab).
  bool UsesSharedMemory() const;

  struct Connection;

 private:
  std::string display_name_;
  std::unique_ptr<Connection> connection_;
};

}  // namespace platform
