#pragma once
// What the shell needs of the main window (KeyboardDlg). Every call comes on
// the UI thread except those of WorkerHost(), which the device worker makes.
#include <optional>
#include <string>

#include "app/device/DeviceDescriptionView.h"
#include "app/lights/KeyPictureTarget.h"
#include "app/macros/DriverInstaller.h"
#include "app/shell/DeviceWorkerHost.h"
#include "platform/hid/DeviceChange.h"

namespace tessaro {

class DeviceWorker;

class MainWindow : public InstallFailureNotice {
 public:
  ~MainWindow() override = default;

  // What loading the device description shows.
  virtual DeviceDescriptionView& DescriptionView() = 0;
  // Detection with its page update and the keyboard work of the tasks.
  virtual DeviceWorkerHost& WorkerHost() = 0;
  // The worker the window queues its tasks on; null once it has stopped.
  virtual void AttachDeviceWorker(DeviceWorker* worker) = 0;
  // The light page's keyboard picture, which the light engines recolour.
  virtual KeyPictureTarget& LightPicture() = 0;
  // Queues a window message for the UI thread; any thread.
  virtual void PostWindowMessage(int message, int first, int second) = 0;
  // A HID interface came or went (the window knows which modes are connected).
  virtual void OnDeviceChange(const platform::DeviceChange& change) = 0;

  // Shows the window, also when it is hidden to the tray, and raises it.
  virtual void ShowWindow() = 0;
  virtual void HideWindow() = 0;
  virtual void MinimizeWindow() = 0;
  // Closes the popups and dialogs that float over the window.
  virtual void CloseStrayPopups() = 0;
  // Runs CloseWindowTipDlg modally: the choice the user confirmed (1 or 2),
  // nullopt when the dialog was closed without one.
  virtual std::optional<int> RunCloseWindowTip() = 0;
  virtual void SetCloseButtonTip(const std::string& text) = 0;
  // The window goes; the last call the shell makes on every exit path.
  virtual void Destroy() = 0;
};

}  // namespace tessaro
