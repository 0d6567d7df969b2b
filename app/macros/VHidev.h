#pragma once
// The virtual HID device through which the program plays what an assigned key
// stands for: a keyboard of 256 usages, a mouse, a consumer control and a
// fourth two-byte collection, fed with input reports. One device serves the
// whole process; the filter monitor thread, the device worker and the UI thread
// share it, and each write is serialised inside the device.
//
// This interface holds what key playback needs; the uhid-backed device and
// FakeVHidev implement it.

namespace tessaro {

class VHidev {
 public:
  virtual ~VHidev() = default;

  // Closes the device when it is open and finds it again; false when it is
  // missing, and the caller then drops the event. Called before every key,
  // mouse, consumer and shortcut event because the device may have been
  // reinstalled since the last one.
  virtual bool ReopenDevice() = 0;

  // Writes every report at rest: no usage, no button, no consumer function.
  virtual void ReleaseAll() = 0;

  // Sets or clears one keyboard usage (0 to 255) and writes the keyboard
  // report. Usages held by other keys stay set.
  virtual void KeyEvent(int usage, bool down) = 0;

  // Sets or clears one bit of the mouse buttons (0 left, 1 right, 2 middle,
  // 3 and 4 the side buttons) and writes the mouse report.
  virtual void MouseButton(int bit, bool down) = 0;

  // Function codes 232 to 249: writes the function's consumer usage when down
  // and 0 when up. Other codes do nothing.
  virtual void ConsumerEvent(int function_code, bool down) = 0;

  // Plays shortcut 1 to 15 as key presses and releases, 10 ms apart. Other
  // values do nothing.
  virtual void PlayShortcut(int value) = 0;
};

}  // namespace tessaro
