#include "app/shell/CommandLine.h"

#include "uilib/core/UiLibrary.h"

namespace tessaro {

CommandLine CommandLine::Parse(const std::vector<std::string>& arguments) {
  CommandLine line;
  for (const auto& argument : arguments) {
    if (argument == "--help" || argument == "-h") {
      line.action = Action::kHelp;
      return line;
    }
    if (argument == "--version" || argument == "-V") {
      line.action = Action::kVersion;
      return line;
    }
    if (argument == "--simulate") {
      line.simulate = true;
      continue;
    }
    line.action = Action::kError;
    line.error = "unrecognised option '" + argument + "'";
    return line;
  }
  return line;
}

std::string CommandLine::HelpText() {
  return "Usage: tessaro [OPTION]...\n"
         "Configure an RGB gaming keyboard: key assignments, macros, light effects and profiles.\n"
         "\n"
         "  --simulate   run against a simulated keyboard instead of real hardware\n"
         "  -h, --help   show this help and exit\n"
         "  -V, --version  show the version and exit\n"
         "\n"
         "Environment:\n"
         "  TESSARO_SIMULATE  1 or all to simulate every device facility, or a comma-separated\n"
         "                    list of keyboard, input, audio, screen, tray, net\n"
         "  TESSARO_SIM_LOG   file that receives every report the simulated keyboard gets\n"
         "  TESSARO_DATA_DIR  program folder with config.xml, layouts, language files and skins\n"
         "\n"
         "A second start shows the running window.\n";
}

std::string CommandLine::VersionText() {
  return std::string("tessaro ") + TESSARO_VERSION + "\nlibtumiui " + tumi::LibraryVersion() + "\n";
}

}  // namespace tessaro
