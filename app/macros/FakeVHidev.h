#pragma once
// A virtual device and hand-off that record every call, in order, as text such
// as "KeyEvent 4 down", so tests compare what a key did with one list.
#include <mutex>
#include <string>
#include <vector>

#include "app/macros/PlaybackHandoff.h"
#include "app/macros/VHidev.h"

namespace tessaro {

class FakeVHidev final : public VHidev, public PlaybackHandoff {
 public:
  bool ReopenDevice() override;
  void ReleaseAll() override;
  void KeyEvent(int usage, bool down) override;
  void MouseButton(int bit, bool down) override;
  void ConsumerEvent(int function_code, bool down) override;
  void PlayShortcut(int value) override;
  void QueueMacro(int macro_id) override;
  void PostSoftwareFunction(int other_data_id) override;

  // False makes ReopenDevice fail, as when the device is not installed.
  void SetPresent(bool present);
  std::vector<std::string> Calls() const;
  void ClearCalls();

 private:
  void Log(std::string call);

  mutable std::mutex mutex_;
  bool present_ = true;
  std::vector<std::string> calls_;
};

}  // namespace tessaro
