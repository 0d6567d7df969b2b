#include "app/link/KeyboardLink.h"

#include <algorithm>
#include <cctype>

#include "app/link/CommandReports.h"
#include "platform/hid/HidrawBackend.h"
#include "platform/hid/SimulatedKeyboard.h"
#include "platform/system/Environment.h"
#include "platform/system/SimulatedFacilities.h"

namespace tessaro {
namespace {

std::atomic<bool> g_use_simulation{false};

std::string UpperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

std::unique_ptr<platform::HidBackend> MakeBackend(platform::Clock& clock) {
  platform::ProcessEnvironment environment;
  if (!g_use_simulation &&
      !platform::SimulatesFacility(environment.Get("TESSARO_SIMULATE"), "keyboard")) {
    return std::make_unique<platform::HidrawBackend>();
  }
  // The simulated keyboard takes the ids of the first mode of the device
  // description, which registers its modes after the link exists.
  auto ids = []() -> std::optional<platform::SimulatedKeyboard::Ids> {
    const std::vector<AcceptedMode> modes = KeyboardLink::Instance().AcceptedModes();
    if (modes.empty()) return std::nullopt;
    return platform::SimulatedKeyboard::Ids{static_cast<uint16_t>(modes.front().vendor_id),
                                            static_cast<uint16_t>(modes.front().product_id)};
  };
  return std::make_unique<platform::SimulatedKeyboard>(
      ids, environment.Get("TESSARO_SIM_LOG").value_or(""), clock);
}

}  // namespace

KeyboardLink::KeyboardLink(std::unique_ptr<platform::HidBackend> backend, platform::Clock& clock)
    : backend_(std::move(backend)), clock_(clock) {}

KeyboardLink::~KeyboardLink() {
  CloseAll();
}

KeyboardLink& KeyboardLink::Instance() {
  static platform::SteadyClock clock;
  static KeyboardLink link(MakeBackend(clock), clock);
  return link;
}

void KeyboardLink::UseSimulatedKeyboard() {
  g_use_simulation = true;
}

void KeyboardLink::AddAcceptedMode(int vendor_id, int product_id, const std::string& product_name,
                                   int device_type, int mode_value,
                                   const std::string& hid_interface) {
  std::lock_guard lock(modes_mutex_);
  accepted_modes_.push_back(
      AcceptedMode{vendor_id, product_id, product_name, device_type, mode_value, hid_interface});
}

std::vector<AcceptedMode> KeyboardLink::AcceptedModes() const {
  std::lock_guard lock(modes_mutex_);
  return accepted_modes_;
}

void KeyboardLink::ClearAcceptedModes() {
  std::lock_guard lock(modes_mutex_);
  accepted_modes_.clear();
}

void KeyboardLink::OpenAll() {
  const std::vector<AcceptedMode> modes = AcceptedModes();
  // Enumerating may ask the modes again (the simulated keyboard does), so it
  // runs before the list is locked.
  const std::vector<platform::HidInterfaceInfo> present =
      backend_ ? backend_->Enumerate() : std::vector<platform::HidInterfaceInfo>{};

  auto lock = Exclusive();
  CloseAllLocked();  // opening twice never lists an interface twice
  for (const platform::HidInterfaceInfo& info : present) {
    // Product strings are not read, so only modes without a product name
    // accept an interface; a named mode is skipped and the search goes on.
    const std::string product_string;
    const bool accepted = std::any_of(modes.begin(), modes.end(), [&](const AcceptedMode& m) {
      return m.vendor_id == info.vendor_id && m.product_id == info.product_id &&
             (m.product_name.empty() || m.product_name == product_string);
    });
    // Only the vendor collection carries commands and streams; the keyboard's
    // other interfaces are not even opened.
    if (!accepted || !info.HasCollection(kVendorUsagePage, kVendorUsage)) continue;
    std::unique_ptr<platform::HidDevice> device = backend_->Open(info.path);
    if (!device) continue;

    auto linked = std::make_unique<LinkedInterface>();
    linked->info.vendor_id = info.vendor_id;
    linked->info.product_id = info.product_id;
    linked->info.path = info.path;
    linked->info.identity = UpperCase(info.IdentityText());
    linked->info.product_string = product_string;
    linked->device = std::move(device);
    if (linked->info.identity.find(kStreamInterfaceMark) != std::string::npos) {
      stream_ = std::move(linked);  // a stream interface found earlier is closed
      continue;
    }
    const auto first = std::find_if(modes.begin(), modes.end(), [&](const AcceptedMode& m) {
      return m.vendor_id == info.vendor_id && m.product_id == info.product_id;
    });
    linked->info.device_type = first->device_type;
    linked->info.mode_value = first->mode_value;
    interfaces_.push_back(std::move(linked));
  }
  open_ = true;
}

void KeyboardLink::CloseAll() {
  auto lock = Exclusive();
  CloseAllLocked();
}

// Detection waits for the sends in flight, and new sends wait for detection,
// so a steady stream of level reports can not keep detection out.
std::unique_lock<std::shared_mutex> KeyboardLink::Exclusive() const {
  std::lock_guard gate(gate_);
  return std::unique_lock(structure_);
}

std::shared_lock<std::shared_mutex> KeyboardLink::Shared() const {
  { std::lock_guard gate(gate_); }
  return std::shared_lock(structure_);
}

void KeyboardLink::CloseAllLocked() {
  if (!open_) return;
  open_ = false;
  command_ = nullptr;
  interfaces_.clear();
  stream_.reset();
}

bool KeyboardLink::IsOpen() const {
  auto lock = Shared();
  return open_;
}

bool KeyboardLink::CollectInterfaces(std::vector<LinkedInterfaceInfo>& output) const {
  auto lock = Shared();
  if (interfaces_.empty()) return false;
  for (const auto& linked : interfaces_) {
    if (selected_device_type_ == 0 || linked->info.device_type == selected_device_type_) {
      output.push_back(linked->info);
    }
  }
  return true;
}

int KeyboardLink::FindInterface(int vendor_id, int product_id, const std::string& product_name,
                                int mode_value) const {
  auto lock = Shared();
  for (size_t i = 0; i < interfaces_.size(); ++i) {
    const LinkedInterfaceInfo& info = interfaces_[i]->info;
    if (info.vendor_id != vendor_id || info.product_id != product_id ||
        info.mode_value != mode_value) {
      continue;
    }
    // The first match decides; later interfaces are not tried.
    if (product_name.empty() || info.product_string == product_name) return static_cast<int>(i);
    return -1;
  }
  return -1;
}

void KeyboardLink::SelectDeviceType(int device_type) {
  auto lock = Exclusive();
  selected_device_type_ = device_type;
  command_ = nullptr;
}

int KeyboardLink::SelectedDeviceType() const {
  auto lock = Shared();
  return selected_device_type_;
}

int KeyboardLink::GetConnectionMode() const {
  auto lock = Shared();
  bool has[3] = {false, false, false};
  for (const auto& linked : interfaces_) {
    const int mode = linked->info.mode_value;
    if (linked->info.device_type == selected_device_type_ && mode >= 0 && mode <= 2) {
      has[mode] = true;
    }
  }
  for (int mode : {0, 2, 1}) {
    if (has[mode]) return mode;
  }
  return -1;
}

LinkedInterface* KeyboardLink::CommandInterfaceLocked() const {
  if (LinkedInterface* cached = command_.load()) return cached;
  for (int mode : {0, 1, 2}) {
    for (const auto& linked : interfaces_) {
      if (linked->info.device_type == selected_device_type_ && linked->info.mode_value == mode) {
        command_ = linked.get();
        return linked.get();
      }
    }
  }
  return nullptr;
}

std::optional<LinkedInterfaceInfo> KeyboardLink::GetCommandInterface() {
  auto lock = Shared();
  const LinkedInterface* command = CommandInterfaceLocked();
  if (command == nullptr) return std::nullopt;
  return command->info;
}

bool KeyboardLink::HasStreamInterface() const {
  auto lock = Shared();
  return open_ && stream_ != nullptr;
}

template <typename Send>
std::optional<int> KeyboardLink::WithTarget(Target target, Send&& send) {
  auto lock = Shared();
  if (!open_) return std::nullopt;
  LinkedInterface* linked = target == Target::kStream ? stream_.get() : CommandInterfaceLocked();
  if (linked == nullptr || !linked->device) return std::nullopt;
  std::lock_guard send_lock(linked->send_mutex);
  return send(*linked->device);
}

bool KeyboardLink::SendFeature(const FeatureReport& report, bool paced) {
  if (!WithTarget(Target::kCommand, [](platform::HidDevice&) { return 0; })) return false;
  if (paced) clock_.SleepFor(kFeaturePacing);
  const std::optional<int> sent = WithTarget(
      Target::kCommand, [&](platform::HidDevice& device) { return device.SendFeature(report); });
  return sent && *sent >= 0;
}

int KeyboardLink::GetFeature(FeatureReport& buffer) {
  return WithTarget(Target::kCommand,
                    [&](platform::HidDevice& device) { return device.GetFeature(buffer); })
      .value_or(-1);
}

bool KeyboardLink::WriteReport(const OutputReport& report) {
  auto write = [&](platform::HidDevice& device) { return device.Write(report); };
  const std::optional<int> first = WithTarget(Target::kCommand, write);
  if (!first) return false;
  if (*first >= 1) return true;
  clock_.SleepFor(kReportRetryWait);
  const std::optional<int> second = WithTarget(Target::kCommand, write);
  return second && *second >= 1;
}

bool KeyboardLink::WritePayload(const Payload& payload) {
  OutputReport report{};
  std::copy(payload.begin(), payload.end(), report.begin() + 1);
  auto write = [&](platform::HidDevice& device) { return device.Write(report); };
  const std::optional<int> first = WithTarget(Target::kCommand, write);
  if (!first) return false;
  if (*first >= 1) return true;
  clock_.SleepFor(kPayloadRetryWait);
  const std::optional<int> second = WithTarget(Target::kCommand, write);
  return second && *second >= 1;
}

bool KeyboardLink::WriteStream(const OutputReport& report) {
  auto write = [&](platform::HidDevice& device) { return device.Write(report); };
  const std::optional<int> first = WithTarget(Target::kStream, write);
  if (!first) return false;
  if (*first >= 1) return true;
  clock_.SleepFor(kReportRetryWait);
  const std::optional<int> second = WithTarget(Target::kStream, write);
  return second && *second >= 1;
}

std::optional<uint16_t> KeyboardLink::ReadFirmwareVersion() {
  const FeatureReport query = command::VersionQuery();
  if (!SendFeature(query, true)) return std::nullopt;
  FeatureReport answer = query;
  clock_.SleepFor(kAnswerWait);
  if (GetFeature(answer) < 0) return std::nullopt;
  if (std::optional<uint16_t> version = command::VersionFromAnswer(answer)) return version;
  // The firmware sometimes answers with another report first; one more read.
  answer = query;
  clock_.SleepFor(kAnswerWait);
  if (GetFeature(answer) < 0) return std::nullopt;
  return command::VersionFromAnswer(answer);
}

}  // namespace tessaro
