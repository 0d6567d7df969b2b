#pragma once
// Keystrokes from the X server's raw key events (XInput 2.2), for recording
// and key capture when the keyboard's event nodes cannot be read. Raw events
// come from every keyboard, whatever window has the focus, but the server
// delivers the keys to the focused window all the same: this source cannot
// consume them.
//
// The source has an X connection of its own and, while a handler is set, a
// thread that selects the raw events on the root window and polls the
// connection together with a cancel event.
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/input/CancelEvent.h"
#include "platform/input/StrokeSource.h"

struct _XDisplay;

namespace platform {

// The keystroke of an X key code under the evdev keymap, where a key code is
// the Linux KEY_* code plus 8; nothing for codes below 8. time_ms is the X
// server's time.
std::optional<KeyStroke> StrokeFromXKeycode(uint32_t keycode, int32_t value, uint64_t time_ms);

class XInputKeySource final : public StrokeSource {
 public:
  // Null when the display cannot be opened or lacks XInput 2.2. An empty
  // name opens $DISPLAY. Keys of devices with one of the ignored names (the
  // program's own virtual keyboard) are not reported.
  static std::unique_ptr<XInputKeySource> Open(const std::string& display_name,
                                               std::vector<std::string> ignored_devices);
  ~XInputKeySource() override;
  XInputKeySource(const XInputKeySource&) = delete;
  XInputKeySource& operator=(const XInputKeySource&) = delete;

  // Never from the handler itself: a change stops the thread and joins it.
  void SetStrokeHandler(StrokeHandler handler) override;
  bool ConsumesKeys() const override { return false; }

 private:
  XInputKeySource(_XDisplay* display, int opcode, std::vector<std::string> ignored_devices);

  void Run(const StrokeHandler& handler);
  void SelectRawKeys(bool on);
  void HandleCookie(void* cookie, const StrokeHandler& handler);
  bool Ignored(int device_id);
  void StopThread();

  _XDisplay* display_;
  const int opcode_;
  const std::vector<std::string> ignored_devices_;
  std::mutex mutex_;  // serialises handler changes
  CancelEvent cancel_;
  std::thread thread_;
  // The thread's: device id to whether its keys are ignored.
  std::map<int, bool> device_ignored_;
};

}  // namespace platform
