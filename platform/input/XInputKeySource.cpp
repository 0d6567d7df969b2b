#include "platform/input/XInputKeySource.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <algorithm>

namespace platform {

namespace {

constexpr uint32_t kEvdevKeycodeOffset = 8;

}  // namespace

std::optional<KeyStroke> StrokeFromXKeycode(uint32_t keycode, int32_t value, uint64_t time_ms) {
  if (keycode < kEvdevKeycodeOffset) return std::nullopt;
  KeyStroke stroke;
  stroke.linux_code = static_cast<uint16_t>(keycode - kEvdevKeycodeOffset);
  stroke.key = VirtualKeyFromLinux(stroke.linux_code).value_or(VirtualKey{});
  stroke.value = value;
  stroke.time_us = static_cast<int64_t>(time_ms) * 1000;
  return stroke;
}

std::unique_ptr<XInputKeySource> XInputKeySource::Open(const std::string& display_name,
                                                       std::vector<std::string> ignored_devices) {
  Display* display = XOpenDisplay(display_name.empty() ? nullptr : display_name.c_str());
  if (display == nullptr) return nullptr;
  int opcode = 0;
  int first_event = 0;
  int first_error = 0;
  // Raw events reach every client, grabs or not, from version 2.1; 2.2 is
  // what every server of the last decade speaks.
  int major = 2;
  int minor = 2;
  if (!XQueryExtension(display, "XInputExtension", &opcode, &first_event, &first_error) ||
      XIQueryVersion(display, &major, &minor) != Success || major * 10 + minor < 22) {
    XCloseDisplay(display);
    return nullptr;
  }
  return std::unique_ptr<XInputKeySource>(
      new XInputKeySource(display, opcode, std::move(ignored_devices)));
}

XInputKeySource::XInputKeySource(Display* display, int opcode,
                                 std::vector<std::string> ignored_devices)
    : display_(display), opcode_(opcode), ignored_devices_(std::move(ignored_devices)) {}

XInputKeySource::~XInputKeySource() {
  StopThread();
  XCloseDisplay(display_);
}

void XInputKeySource::SetStrokeHandler(StrokeHandler handler) {
  std::lock_guard lock(mutex_);
  StopThread();
  if (!handler || !cancel_.Valid()) return;
  // The selection is made before the thread starts, so no key pressed after
  // this call returns is missed.
  SelectRawKeys(true);
  thread_ = std::thread([this, handler = std::move(handler)] { Run(handler); });
}

void XInputKeySource::StopThread() {
  if (!thread_.joinable()) return;
  cancel_.Signal();
  thread_.join();
  cancel_.Reset();
  SelectRawKeys(false);
}

void XInputKeySource::SelectRawKeys(bool on) {
  unsigned char raw_bits[XIMaskLen(XI_LASTEVENT)] = {};
  unsigned char hierarchy_bits[XIMaskLen(XI_LASTEVENT)] = {};
  if (on) {
    XISetMask(raw_bits, XI_RawKeyPress);
    XISetMask(raw_bits, XI_RawKeyRelease);
    XISetMask(hierarchy_bits, XI_HierarchyChanged);
  }
  // Master devices report each key once, with the physical device as its
  // source; the hierarchy tells when device ids are handed out anew.
  XIEventMask masks[2] = {
      {XIAllMasterDevices, sizeof(raw_bits), raw_bits},
      {XIAllDevices, sizeof(hierarchy_bits), hierarchy_bits},
  };
  XISelectEvents(display_, DefaultRootWindow(display_), masks, 2);
  // Whatever is queued belongs to the handler before: dropped, so a key of
  // a finished recording never reaches the key capture that follows it.
  XSync(display_, True);
  device_ignored_.clear();
}

void XInputKeySource::Run(const StrokeHandler& handler) {
  const int fds[] = {ConnectionNumber(display_)};
  std::vector<bool> ready;
  for (;;) {
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      XGenericEventCookie* cookie = &event.xcookie;
      if (cookie->type != GenericEvent || cookie->extension != opcode_) continue;
      if (!XGetEventData(display_, cookie)) continue;
      HandleCookie(cookie, handler);
      XFreeEventData(display_, cookie);
    }
    const auto result = cancel_.Wait(fds, std::chrono::milliseconds(-1), ready);
    if (result == CancelEvent::Result::kCancelled || result == CancelEvent::Result::kError) return;
  }
}

void XInputKeySource::HandleCookie(void* data, const StrokeHandler& handler) {
  const auto* cookie = static_cast<XGenericEventCookie*>(data);
  if (cookie->evtype == XI_HierarchyChanged) {
    device_ignored_.clear();
    return;
  }
  if (cookie->evtype != XI_RawKeyPress && cookie->evtype != XI_RawKeyRelease) return;
  const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
  if (Ignored(raw->sourceid)) return;
  int32_t value = 0;
  if (cookie->evtype == XI_RawKeyPress) value = (raw->flags & XIKeyRepeat) != 0 ? 2 : 1;
  const auto stroke = StrokeFromXKeycode(static_cast<uint32_t>(raw->detail), value, raw->time);
  if (stroke) handler(*stroke);
}

bool XInputKeySource::Ignored(int device_id) {
  if (ignored_devices_.empty()) return false;
  if (!device_ignored_.contains(device_id)) {
    // All devices at once: asking for one id that has just gone away would
    // be an X error, which ends the process under Xlib's default handler.
    device_ignored_.clear();
    int count = 0;
    XIDeviceInfo* info = XIQueryDevice(display_, XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
      const std::string name = info[i].name != nullptr ? info[i].name : "";
      device_ignored_[info[i].deviceid] =
          std::find(ignored_devices_.begin(), ignored_devices_.end(), name) !=
          ignored_devices_.end();
    }
    if (info != nullptr) XIFreeDeviceInfo(info);
    device_ignored_.try_emplace(device_id, false);
  }
  return device_ignored_[device_id];
}

}  // namespace platform
