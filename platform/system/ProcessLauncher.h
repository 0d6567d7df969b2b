#pragma once
// Starts another program, detached from ours, never through a shell. Used for
// downloaded installers and the firmware tool.
#include <string>
#include <vector>

namespace platform {

class ProcessLauncher {
 public:
  virtual ~ProcessLauncher() = default;
  // Makes the file executable for its owner, then starts it with the
  // arguments and our environment, in the folder that holds it. The process
  // id (above 0) once the program is running; 0 when it could not be started.
  virtual int Start(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

}  // namespace platform
