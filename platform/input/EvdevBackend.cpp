#include "platform/input/EvdevBackend.h"

#include <fcntl.h>
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#include <libudev.h>
#include <linux/uinput.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/input/ServedKeyboard.h"

namespace platform {
namespace {

struct UdevDeleter {
  void operator()(udev* u) const { udev_unref(u); }
  void operator()(udev_enumerate* e) const { udev_enumerate_unref(e); }
  void operator()(udev_device* d) const { udev_device_unref(d); }
};
template <typename T>
using UdevPtr = std::unique_ptr<T, UdevDeleter>;

// The "id/vendor" style attributes of the input device above an event node
// are four hex digits.
int HexAttribute(udev_device* device, const char* name) {
  const char* text = udev_device_get_sysattr_value(device, name);
  if (text == nullptr) return -1;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 16);
  return end == text ? -1 : static_cast<int>(value);
}

class UinputClone final : public EventSink {
 public:
  // The clone owns the uinput descriptor it was made on.
  UinputClone(int fd, libevdev_uinput* device) : fd_(fd), device_(device) {}
  ~UinputClone() override {
    libevdev_uinput_destroy(device_);
    close(fd_);
  }

  bool Write(std::span<const InputEvent> events) override {
    for (const InputEvent& event : events) {
      if (libevdev_uinput_write_event(device_, event.type, event.code, event.value) != 0) {
        return false;
      }
    }
    return true;
  }

 private:
  int fd_;
  libevdev_uinput* device_;
};

class EvdevNode final : public EventNode {
 public:
  EvdevNode(int fd, libevdev* device) : fd_(fd), device_(device) {}
  ~EvdevNode() override {
    // Closing the descriptor drops the grab.
    libevdev_free(device_);
    close(fd_);
  }

  int PollFd() const override { return fd_; }

  bool Grab() override { return libevdev_grab(device_, LIBEVDEV_GRAB) == 0; }
  void Ungrab() override { libevdev_grab(device_, LIBEVDEV_UNGRAB); }

  bool AnyKeyDown() const override {
    for (unsigned code = 0; code <= KEY_MAX; ++code) {
      if (libevdev_has_event_code(device_, EV_KEY, code) &&
          libevdev_get_event_value(device_, EV_KEY, code) != 0) {
        return true;
      }
    }
    return false;
  }

  ReadStatus Read(std::vector<InputEvent>& out) override {
    unsigned flags = LIBEVDEV_READ_FLAG_NORMAL;
    for (;;) {
      input_event event{};
      const int rc = libevdev_next_event(device_, flags, &event);
      if (rc == -EAGAIN) {
        if (flags == LIBEVDEV_READ_FLAG_SYNC) {
          flags = LIBEVDEV_READ_FLAG_NORMAL;  // the resync is over
          continue;
        }
        return ReadStatus::kRead;
      }
      if (rc == LIBEVDEV_READ_STATUS_SYNC) {
        // The kernel dropped events; libevdev hands out the difference to
        // bring every key to its real state.
        flags = LIBEVDEV_READ_FLAG_SYNC;
      } else if (rc != LIBEVDEV_READ_STATUS_SUCCESS) {
        return rc == -ENODEV ? ReadStatus::kGone : ReadStatus::kRead;
      }
      if (event.type == EV_SYN && event.code == SYN_DROPPED) continue;
      out.push_back({event.type, event.code, event.value,
                     static_cast<int64_t>(event.input_event_sec) * 1000000 +
                         static_cast<int64_t>(event.input_event_usec)});
    }
  }

  std::unique_ptr<EventSink> CreateClone() override {
    const int uinput = open("/dev/uinput", O_RDWR | O_CLOEXEC);
    if (uinput < 0) return nullptr;
    // The clone keeps the keyboard's name and ids, so desktops treat it as the
    // keyboard; its phys marks it as ours, so discovery never takes it. This
    // libevdev does not pass phys on to uinput, hence the ioctl; the
    // description carries the marked phys too for versions that do (the
    // kernel's device is untouched by it).
    const char* phys = libevdev_get_phys(device_);
    const std::string original = phys != nullptr ? phys : "";
    const std::string marked = PassThroughPhys(original);
    libevdev_set_phys(device_, marked.c_str());
    libevdev_uinput* clone = nullptr;
    const bool made = ioctl(uinput, UI_SET_PHYS, marked.c_str()) == 0 &&
                      libevdev_uinput_create_from_device(device_, uinput, &clone) == 0;
    libevdev_set_phys(device_, phys != nullptr ? original.c_str() : nullptr);
    if (!made) {
      close(uinput);
      return nullptr;
    }
    return std::make_unique<UinputClone>(uinput, clone);
  }

 private:
  int fd_;
  libevdev* device_;
};

}  // namespace

std::vector<std::string> EvdevBackend::FindKeyboardNodes(const std::vector<UsbId>& ids) {
  std::vector<std::string> paths;
  UdevPtr<udev> context(udev_new());
  if (!context) return paths;
  UdevPtr<udev_enumerate> enumerate(udev_enumerate_new(context.get()));
  if (!enumerate) return paths;
  udev_enumerate_add_match_subsystem(enumerate.get(), "input");
  udev_enumerate_add_match_sysname(enumerate.get(), "event*");
  udev_enumerate_scan_devices(enumerate.get());
  udev_list_entry* entry = nullptr;
  udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get())) {
    const char* syspath = udev_list_entry_get_name(entry);
    UdevPtr<udev_device> node(udev_device_new_from_syspath(context.get(), syspath));
    if (!node) continue;
    udev_device* input =
        udev_device_get_parent_with_subsystem_devtype(node.get(), "input", nullptr);
    const char* devnode = udev_device_get_devnode(node.get());
    if (input == nullptr || devnode == nullptr) continue;
    const char* phys = udev_device_get_sysattr_value(input, "phys");
    const InputDeviceInfo device{{static_cast<uint16_t>(HexAttribute(input, "id/vendor")),
                                  static_cast<uint16_t>(HexAttribute(input, "id/product"))},
                                 phys != nullptr ? phys : ""};
    if (IsServedKeyboard(device, ids)) paths.emplace_back(devnode);
  }
  return paths;
}

std::unique_ptr<EventNode> EvdevBackend::OpenNode(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  libevdev* device = nullptr;
  if (libevdev_new_from_fd(fd, &device) != 0) {
    close(fd);
    return nullptr;
  }
  // Only nodes with keys are worth grabbing; a keyboard's mouse or LED node is
  // left alone.
  if (!libevdev_has_event_type(device, EV_KEY)) {
    libevdev_free(device);
    close(fd);
    return nullptr;
  }
  return std::make_unique<EvdevNode>(fd, device);
}

}  // namespace platform
