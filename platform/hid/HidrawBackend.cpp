#include "platform/hid/HidrawBackend.h"

#include <hidapi/hidapi.h>
#include <libudev.h>

#include <map>

#include "platform/hid/HidIdentity.h"

namespace platform {
namespace {

struct EnumerationFree {
  void operator()(hid_device_info* list) const { hid_free_enumeration(list); }
};
struct UdevUnref {
  void operator()(udev* u) const { udev_unref(u); }
};
struct UdevDeviceUnref {
  void operator()(udev_device* d) const { udev_device_unref(d); }
};

class HidrawDevice final : public HidDevice {
 public:
  explicit HidrawDevice(hid_device* handle) : handle_(handle) {}
  ~HidrawDevice() override { hid_close(handle_); }
  HidrawDevice(const HidrawDevice&) = delete;
  HidrawDevice& operator=(const HidrawDevice&) = delete;

  int Write(std::span<const uint8_t> report) override {
    return hid_write(handle_, report.data(), report.size());
  }
  int SendFeature(std::span<const uint8_t> report) override {
    return hid_send_feature_report(handle_, report.data(), report.size());
  }
  int GetFeature(std::span<uint8_t> buffer) override {
    return hid_get_feature_report(handle_, buffer.data(), buffer.size());
  }

 private:
  hid_device* handle_;
};

// "/dev/hidraw5" -> the "inputN" number of its HID parent's HID_PHYS, or -1.
int InterfaceNumberFromUdev(udev* context, const std::string& path) {
  if (context == nullptr) return -1;
  const size_t slash = path.rfind('/');
  const std::string sysname = slash == std::string::npos ? path : path.substr(slash + 1);
  std::unique_ptr<udev_device, UdevDeviceUnref> device(
      udev_device_new_from_subsystem_sysname(context, "hidraw", sysname.c_str()));
  if (!device) return -1;
  // The parent belongs to the child; it is not unreferenced separately.
  udev_device* hid = udev_device_get_parent_with_subsystem_devtype(device.get(), "hid", nullptr);
  const char* phys = hid ? udev_device_get_property_value(hid, "HID_PHYS") : nullptr;
  return phys ? InterfaceNumberFromPhys(phys) : -1;
}

}  // namespace

HidrawBackend::HidrawBackend() : initialised_(hid_init() == 0) {}

HidrawBackend::~HidrawBackend() {
  if (initialised_) hid_exit();
}

std::vector<HidInterfaceInfo> HidrawBackend::Enumerate() {
  std::vector<HidInterfaceInfo> found;
  if (!initialised_) return found;
  std::unique_ptr<hid_device_info, EnumerationFree> list(hid_enumerate(0, 0));
  std::unique_ptr<udev, UdevUnref> context;
  std::map<std::string, size_t> by_path;
  for (const hid_device_info* info = list.get(); info != nullptr; info = info->next) {
    if (info->path == nullptr) continue;
    const HidCollection collection{info->usage_page, info->usage};
    auto known = by_path.find(info->path);
    if (known != by_path.end()) {
      found[known->second].collections.push_back(collection);
      continue;
    }
    HidInterfaceInfo entry;
    entry.path = info->path;
    entry.vendor_id = info->vendor_id;
    entry.product_id = info->product_id;
    entry.collections.push_back(collection);
    entry.interface_number = info->interface_number;
    entry.bluetooth = info->bus_type == HID_API_BUS_BLUETOOTH;
    if (entry.interface_number < 0) {
      if (!context) context.reset(udev_new());
      entry.interface_number = InterfaceNumberFromUdev(context.get(), entry.path);
    }
    by_path.emplace(entry.path, found.size());
    found.push_back(std::move(entry));
  }
  return found;
}

std::unique_ptr<HidDevice> HidrawBackend::Open(const std::string& path) {
  if (!initialised_) return nullptr;
  hid_device* handle = hid_open_path(path.c_str());
  if (handle == nullptr) return nullptr;
  return std::make_unique<HidrawDevice>(handle);
}

}  // namespace platform
