#pragma once
// One report that reached a fake or simulated interface.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/system/Clock.h"

namespace platform {

struct HidReportRecord {
  enum class Kind { kOutput, kFeatureSet, kFeatureGet };

  Kind kind = Kind::kOutput;
  int interface_number = -1;
  std::vector<uint8_t> bytes;  // as sent; for kFeatureGet the answer given
  Milliseconds time{0};        // the clock's time when it arrived
  bool ok = true;              // false when the fake made it fail
};

}  // namespace platform
