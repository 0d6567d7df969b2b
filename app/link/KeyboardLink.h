#pragma once
// The process-wide connection to the keyboard: which HID interfaces belong to
// the served keyboard models, which of them carries commands and which colour
// streams, and the transport primitives with their retry and pacing rules.
//
// Thread rules: detection (CloseAll, OpenAll) and the command tasks run on the
// device worker; the audio capture thread and the UI thread send feature
// reports too. Sends hold the interface list shared and their interface's send
// mutex, so they are serialised per interface and detection waits for every
// send in flight before it closes a handle. Waits (pacing, retry gaps) are
// taken outside the locks.
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <string>
#include <vector>

#include "app/link/AcceptedMode.h"
#include "app/link/LinkReports.h"
#include "app/link/LinkedInterface.h"
#include "app/link/LinkedInterfaceInfo.h"
#include "platform/hid/HidBackend.h"
#include "platform/system/Clock.h"

namespace tessaro {

class KeyboardLink {
 public:
  static constexpr uint16_t kVendorUsagePage = 0xFF01;
  static constexpr uint16_t kVendorUsage = 0x0001;
  // The identity of the composite keyboard's colour stream collection.
  static constexpr const char* kStreamInterfaceMark = "&MI_03";

  static constexpr platform::Milliseconds kFeaturePacing{16};
  static constexpr platform::Milliseconds kReportRetryWait{10};
  static constexpr platform::Milliseconds kPayloadRetryWait{32};
  static constexpr platform::Milliseconds kAnswerWait{16};

  KeyboardLink(std::unique_ptr<platform::HidBackend> backend, platform::Clock& clock);
  ~KeyboardLink();
  KeyboardLink(const KeyboardLink&) = delete;
  KeyboardLink& operator=(const KeyboardLink&) = delete;

  // The process's link, made on first use: on the simulated keyboard when
  // TESSARO_SIMULATE names "keyboard" (or everything) or UseSimulatedKeyboard
  // was called before, otherwise on hidraw.
  static KeyboardLink& Instance();
  static void UseSimulatedKeyboard();

  // Appends a mode (duplicates are allowed); called once per mode of the
  // device description.
  void AddAcceptedMode(int vendor_id, int product_id, const std::string& product_name,
                       int device_type, int mode_value, const std::string& hid_interface);
  std::vector<AcceptedMode> AcceptedModes() const;
  void ClearAcceptedModes();

  // Enumerates and opens the vendor collections of accepted keyboards, in
  // place of whatever was open.
  void OpenAll();
  // Closes every interface; harmless when already closed.
  void CloseAll();
  bool IsOpen() const;

  // False (output untouched) when nothing is listed; otherwise the output
  // receives every listed interface, or with a selected device type only the
  // interfaces of that type.
  bool CollectInterfaces(std::vector<LinkedInterfaceInfo>& output) const;
  // List position of the first interface with these ids and mode value, when
  // the name is empty or equals its product string; otherwise -1.
  int FindInterface(int vendor_id, int product_id, const std::string& product_name,
                    int mode_value) const;
  void SelectDeviceType(int device_type);
  int SelectedDeviceType() const;
  // 0, 2 or 1 (in that order of preference) among the interfaces of the
  // selected device type; -1 when there is none.
  int GetConnectionMode() const;
  // The interface commands go to: mode 0, else 1, else 2 of the selected type.
  std::optional<LinkedInterfaceInfo> GetCommandInterface();
  bool HasStreamInterface() const;

  // Feature report through the command interface; paced waits 16 ms first.
  bool SendFeature(const FeatureReport& report, bool paced);
  // Reads the feature report whose id is buffer[0] into buffer: bytes read or -1.
  int GetFeature(FeatureReport& buffer);
  // Output report through the command interface, written once more after 10 ms
  // when nothing was written.
  bool WriteReport(const OutputReport& report);
  // The payload behind report id 0, written once more after 32 ms on failure.
  bool WritePayload(const Payload& payload);
  // Output report through the stream interface, once more after 10 ms on failure.
  bool WriteStream(const OutputReport& report);
  // Asks the firmware for its version: nullopt when the query is refused, a
  // read fails or both answers carry another report id.
  std::optional<uint16_t> ReadFirmwareVersion();

 private:
  enum class Target { kCommand, kStream };
  // Runs the send on the target under its locks; nullopt when the link is
  // closed or the target missing, otherwise the backend's byte count.
  template <typename Send>
  std::optional<int> WithTarget(Target target, Send&& send);
  LinkedInterface* CommandInterfaceLocked() const;
  void CloseAllLocked();
  std::unique_lock<std::shared_mutex> Exclusive() const;
  std::shared_lock<std::shared_mutex> Shared() const;

  std::unique_ptr<platform::HidBackend> backend_;
  platform::Clock& clock_;

  mutable std::mutex modes_mutex_;
  std::vector<AcceptedMode> accepted_modes_;

  // Guards everything below: shared for sends and reads, exclusive for
  // detection and selection.
  mutable std::shared_mutex structure_;
  mutable std::mutex gate_;  // taken by detection while it waits, passed by every send
  bool open_ = false;
  std::vector<std::unique_ptr<LinkedInterface>> interfaces_;
  std::unique_ptr<LinkedInterface> stream_;
  int selected_device_type_ = 0;
  // A cache filled under the shared lock; cleared under the exclusive one.
  mutable std::atomic<LinkedInterface*> command_{nullptr};
};

}  // namespace tessaro
