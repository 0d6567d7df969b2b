#pragma once
// The main window's stand-in while the program runs without one: detection
// and the device tasks run for real on the keyboard link, and what a window
// would show goes to a text stream (stderr for the program).
#include <cstdio>
#include <mutex>
#include <vector>

#include "app/device/DeviceDescriptionView.h"
#include "app/lights/NoKeyPicture.h"
#include "app/link/DeviceDetection.h"
#include "app/link/KeyboardCommands.h"
#include "app/shell/MainWindow.h"

namespace tessaro {

class HeadlessWindow final : public MainWindow,
                             private DeviceDescriptionView,
                             private DeviceWorkerHost {
 public:
  HeadlessWindow(KeyboardLink& link, platform::Clock& clock, std::FILE* out = stderr)
      : link_(link), commands_(link, clock), out_(out) {}

  DeviceDescriptionView& DescriptionView() override { return *this; }
  DeviceWorkerHost& WorkerHost() override { return *this; }
  void AttachDeviceWorker(DeviceWorker* worker) override;
  KeyPictureTarget& LightPicture() override { return picture_; }
  // No window takes messages: what a software-function key asks for is told.
  void PostWindowMessage(int message, int first, int second) override;
  void ShowInstallFailure() override {
    Say("Install Driver: InstallDriver Error! (the virtual keyboard cannot be made)");
  }
  void OnDeviceChange(const platform::DeviceChange& change) override;

  void ShowWindow() override {
    ++shows;
    Say("asked to show the window");
  }
  void HideWindow() override { Say("window hidden"); }
  void MinimizeWindow() override { Say("window minimised"); }
  void CloseStrayPopups() override {}
  std::optional<int> RunCloseWindowTip() override { return std::nullopt; }
  void SetCloseButtonTip(const std::string&) override {}
  void Destroy() override { Say("exiting"); }

  bool DeviceReadyNow();
  int shows = 0;

 private:

  // DeviceDescriptionView: nothing to draw.
  void AddDevice(const std::string&, int) override {}
  void ShowVersion(const std::string&) override {}
  void ShowNotice(const std::string&) override {}
  void ShowPageTabs(bool, bool, bool) override {}
  void ShowFirmwareButton(bool) override {}
  void SetLightSliderMaxima(int, int) override {}
  void ClearKeys(KeyboardPicture) override {}
  void PlacePicture(KeyboardPicture, const KeyRect&) override {}
  void SetKeyboardImage(KeyboardPicture, const std::string&) override {}
  void SetWidthAndHeight(KeyboardPicture, int, int) override {}
  void AddKeyItem(KeyboardPicture, const KeyItem&) override {}
  void WatchDeviceChanges() override {}

  // DeviceWorkerHost, on the worker thread.
  void DetectAndUpdatePages() override;
  void StartEndpointWatch() override {}
  void CheckSoftwareVersion() override {}
  bool DeviceReady() override { return DeviceReadyNow(); }
  void EnableWindow(bool) override {}
  void RunTask(DeviceTask task) override;
  void WriteTaskFinished(uint64_t) override {}
  void IdleTick() override {}
  void HandleFilterEvent(int) override {}

  void Say(const char* text);

  KeyboardLink& link_;
  KeyboardCommands commands_;
  std::FILE* out_;
  std::mutex mutex_;  // the worker writes what the UI thread reads
  DeviceWorker* worker_ = nullptr;
  DetectionResult detection_;
  NoKeyPicture picture_;
};

}  // namespace tessaro
