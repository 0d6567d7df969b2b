#include "platform/hid/UdevDeviceChangeSource.h"

#include <libudev.h>

#include <cstring>
#include <optional>

#include "platform/hid/HidIdentity.h"

namespace platform {
namespace {

struct DeviceUnref {
  void operator()(udev_device* d) const { udev_device_unref(d); }
};
struct EnumerateUnref {
  void operator()(udev_enumerate* e) const { udev_enumerate_unref(e); }
};
using DevicePtr = std::unique_ptr<udev_device, DeviceUnref>;

// The identity of a hidraw node from its HID parent's HID_ID and HID_PHYS.
std::optional<std::string> IdentityOf(udev_device* hidraw) {
  udev_device* hid = udev_device_get_parent_with_subsystem_devtype(hidraw, "hid", nullptr);
  if (hid == nullptr) return std::nullopt;
  const std::optional<HidId> id = ParseHidId(udev_device_get_property_value(hid, "HID_ID"));
  if (!id) return std::nullopt;
  const char* phys = udev_device_get_property_value(hid, "HID_PHYS");
  return HidIdentityText(id->vendor_id, id->product_id, phys ? InterfaceNumberFromPhys(phys) : -1,
                         id->bus == kBusBluetooth);
}

}  // namespace

UdevDeviceChangeSource::UdevDeviceChangeSource() : udev_(udev_new()) {
  if (udev_ == nullptr) return;
  monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
  if (monitor_ == nullptr) return;
  if (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor_) < 0) {
    udev_monitor_unref(monitor_);
    monitor_ = nullptr;
    return;
  }
  RememberPresent();
}

UdevDeviceChangeSource::~UdevDeviceChangeSource() {
  if (monitor_ != nullptr) udev_monitor_unref(monitor_);
  if (udev_ != nullptr) udev_unref(udev_);
}

void UdevDeviceChangeSource::RememberPresent() {
  std::unique_ptr<udev_enumerate, EnumerateUnref> scan(udev_enumerate_new(udev_));
  if (!scan || udev_enumerate_add_match_subsystem(scan.get(), "hidraw") < 0 ||
      udev_enumerate_scan_devices(scan.get()) < 0) {
    return;
  }
  udev_list_entry* entry;
  udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(scan.get())) {
    const char* syspath = udev_list_entry_get_name(entry);
    DevicePtr device(udev_device_new_from_syspath(udev_, syspath));
    if (!device) continue;
    if (std::optional<std::string> identity = IdentityOf(device.get())) {
      identities_[syspath] = *identity;
    }
  }
}

int UdevDeviceChangeSource::Fd() const {
  return monitor_ != nullptr ? udev_monitor_get_fd(monitor_) : -1;
}

std::vector<DeviceChange> UdevDeviceChangeSource::TakeChanges() {
  std::vector<DeviceChange> changes;
  if (monitor_ == nullptr) return changes;
  // The monitor's socket does not block: receiving ends when nothing waits.
  while (DevicePtr device{udev_monitor_receive_device(monitor_)}) {
    const char* action = udev_device_get_action(device.get());
    const char* syspath = udev_device_get_syspath(device.get());
    if (action == nullptr || syspath == nullptr) continue;
    if (std::strcmp(action, "add") == 0) {
      std::optional<std::string> identity = IdentityOf(device.get());
      if (!identity) continue;
      identities_[syspath] = *identity;
      changes.push_back({DeviceChange::Kind::kArrival, std::move(*identity)});
    } else if (std::strcmp(action, "remove") == 0) {
      auto known = identities_.find(syspath);
      if (known == identities_.end()) continue;
      changes.push_back({DeviceChange::Kind::kRemoval, std::move(known->second)});
      identities_.erase(known);
    }
  }
  return changes;
}

}  // namespace platform
