#pragma once
// What the update tasks need from the main window. Every call comes on the
// device worker thread; the window posts what touches controls to the UI
// thread.
#include "app/update/DownloadProgress.h"

namespace tessaro {

class UpdateHost : public DownloadProgress {
 public:
  // The upgrade buttons of the settings page show that an update waits.
  virtual void MarkSoftwareUpgrade() = 0;
  virtual void MarkFirmwareUpgrade() = 0;
  // Queues task 15, the firmware tool download.
  virtual void QueueFirmwareDownload() = 0;
  // The link was closed for a firmware tool that then did not start: find
  // and open the keyboard again (a detection task).
  virtual void RedetectKeyboard() = 0;
  // An installer or firmware tool runs now and takes over: leave the program
  // the way the tray menu's exit does.
  virtual void ExitForUpdate() = 0;
};

}  // namespace tessaro
