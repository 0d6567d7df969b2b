#pragma once
// The window layer as one object, grouped by concern. The UI library holds a
// WindowSystem; its backend is picked by name at start: "sdl" for a real
// display, "headless" for tests and for runs without a display.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window/Clipboard.h"
#include "platform/window/DialogTimer.h"
#include "platform/window/Displays.h"
#include "platform/window/KeyboardInput.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/PointerInput.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/WindowTimers.h"
#include "platform/window/Windows.h"

namespace platform {

// Destroying it destroys the windows still open, without messages: their
// handlers may be gone already.
class WindowSystem : public Windows,
                     public MessageQueue,
                     public WindowTimers,
                     public PointerInput,
                     public KeyboardInput,
                     public Clipboard,
                     public Displays {
 public:
  ~WindowSystem() override = default;
  virtual std::string_view BackendName() const = 0;
  virtual DialogTimer& GetDialogTimer() = 0;
  // The clock that window timers, hover tracking and double clicks follow.
  virtual Clock& GetClock() = 0;
};

// "headless" or "sdl"; an empty name takes $TESSARO_WINDOW_BACKEND, else
// "sdl". Null, with the reason in *error, when the backend is unknown or
// cannot start (no display). Call it on the thread that will be the UI thread.
std::unique_ptr<WindowSystem> CreateWindowSystem(std::string_view name,
                                                 std::string* error = nullptr);
std::vector<std::string> WindowBackendNames();

}  // namespace platform
