#pragma once
// The key functions that run in the program rather than through the virtual
// device: start a program, open a web page, type a text, switch the profile.
// Run on the UI thread when the main window takes message 1092 with the
// KeyOtherData id; the filter monitor thread only posts that message.
#include <functional>
#include <string>

#include "app/macros/TextClipboard.h"
#include "app/macros/VHidev.h"
#include "app/store/ConfigStore.h"
#include "platform/system/Clock.h"
#include "platform/system/ProgramRunner.h"

namespace tessaro {

class SoftwareFunctions {
 public:
  // How long V is held in the paste, and how long the typed text stays on the
  // clipboard for the focused program to read it.
  static constexpr platform::Milliseconds kPasteHold{100};
  static constexpr platform::Milliseconds kPasteTimeout{1000};
  static constexpr const char* kOpener = "xdg-open";

  using ProfileSwitch = std::function<void(int32_t profile)>;

  SoftwareFunctions(ConfigStore& store, VHidev& device, TextClipboard& clipboard,
                    platform::ProgramRunner& runner, platform::Clock& clock,
                    ProfileSwitch switch_profile)
      : store_(store),
        device_(device),
        clipboard_(clipboard),
        runner_(runner),
        clock_(clock),
        switch_profile_(std::move(switch_profile)) {}

  // The KeyOtherData row's function by its type: 8 starts the program (an
  // executable file is started, anything else opened with the desktop's
  // opener), 9 opens the web address, 10 types the text, 11 switches to the
  // profile. False when the row is missing or nothing could be done.
  bool RunSoftwareFunction(int32_t other_data_id);

  // Pastes the text into the focused window: the text goes on the clipboard,
  // Ctrl+V is played on the virtual keyboard, and once the paste has been
  // served (or after a short time) the clipboard gets back what it held.
  void TypeText(const std::string& text);

 private:
  ConfigStore& store_;
  VHidev& device_;
  TextClipboard& clipboard_;
  platform::ProgramRunner& runner_;
  platform::Clock& clock_;
  ProfileSwitch switch_profile_;
};

}  // namespace tessaro
