#pragma once
// Who takes the key events the filter reports: the main window registers one
// handler, which carries out the key's assignment.
#include <cstdint>

namespace tessaro {

class FilterEventHandler {
 public:
  virtual ~FilterEventHandler() = default;
  // Filter monitor thread. True when the event was handled; later handlers
  // then do not see it.
  virtual bool OnFilterEvent(int32_t key_code, bool press) = 0;
};

}  // namespace tessaro
