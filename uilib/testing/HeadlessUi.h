#pragma once
// The UI library on the headless window system, for the length of a test: the
// window system is installed in Manager, the program folder is a scratch
// folder whose skin folder tests fill with fixtures, and everything is put
// back afterwards.
#include <memory>
#include <string>

#include "platform/window/headless/HeadlessWindowSystem.h"
#include "uilib/testing/TempFolder.h"

namespace tumi::testing {

class HeadlessUi {
 public:
  HeadlessUi();
  ~HeadlessUi();
  HeadlessUi(const HeadlessUi&) = delete;
  HeadlessUi& operator=(const HeadlessUi&) = delete;

  platform::HeadlessWindowSystem& System() { return *system_; }
  // "<scratch>/skins/theme1"; skin image names are relative to it.
  std::string SkinFolder() const;
  // The path of a skin image name.
  std::string SkinFile(const std::string& name) const;
  // Writes a strip of `count` frames of StateColor(i) into the skin folder.
  bool AddStrip(const std::string& name, int frame_width, int frame_height, int count);

  // Handles everything pending (input, timers that are due, paints).
  int Pump() { return system_->Pump(); }
  // Moves time on and handles what fell due.
  int Advance(int ms);

 private:
  TempFolder folder_;
  std::unique_ptr<platform::HeadlessWindowSystem> system_;
  platform::WindowSystem* previous_system_;
  std::string previous_folder_;
};

}  // namespace tumi::testing
