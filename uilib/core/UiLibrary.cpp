#include "uilib/core/UiLibrary.h"

namespace tumi {

const char* LibraryVersion() {
  return TESSARO_VERSION;
}

}  // namespace tumi
