#pragma once
// The settings page's autostart switch: an entry that starts the program at
// log-in. The command is the running executable itself, so an installed and a
// self-built program each start themselves.
#include <string>

#include "platform/system/AutostartEntry.h"

namespace tessaro {

class Autostart {
 public:
  Autostart(platform::AutostartEntry& entry, std::string executable)
      : entry_(entry), executable_(std::move(executable)) {}

  // On writes the entry, off removes it; failures are ignored.
  void Set(bool on);
  // Whether an entry can be read: the state the check box shows.
  bool IsOn() { return entry_.Read().has_value(); }

 private:
  platform::AutostartEntry& entry_;
  std::string executable_;
};

}  // namespace tessaro
