#pragma once
// Where a download reports how far it is: the main window's message 1690
// (wparam 0, lparam the value 0 to 100). Called on the device worker thread;
// the window posts it on to the UI thread.
namespace tessaro {

class DownloadProgress {
 public:
  static constexpr int kMessage = 1690;

  virtual ~DownloadProgress() = default;
  virtual void PostDownloadProgress(int value) = 0;
};

}  // namespace tessaro
