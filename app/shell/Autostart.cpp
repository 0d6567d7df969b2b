#include "app/shell/Autostart.h"

namespace tessaro {

void Autostart::Set(bool on) {
  if (on) {
    entry_.Write(executable_);
  } else if (entry_.Read()) {
    entry_.Remove();
  }
}

}  // namespace tessaro
