#pragma once
// The program's command line. Windows users never gave it one; on Linux the
// usual --help and --version are expected, and --simulate runs the interface
// against the simulated keyboard.
#include <string>
#include <vector>

namespace tessaro {

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kError };

  Action action = Action::kRun;
  bool simulate = false;
  std::string error;  // the message for kError

  static CommandLine Parse(const std::vector<std::string>& arguments);
  static std::string HelpText();
  static std::string VersionText();
};

}  // namespace tessaro
