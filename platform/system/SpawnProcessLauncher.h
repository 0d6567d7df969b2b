#pragma once
// ProcessLauncher over posix_spawn: glibc reports a failed exec as the call's
// result, so success means the program really runs.
#include "platform/system/ProcessLauncher.h"

namespace platform {

class SpawnProcessLauncher final : public ProcessLauncher {
 public:
  int Start(const std::string& program, const std::vector<std::string>& arguments) override;
};

}  // namespace platform
