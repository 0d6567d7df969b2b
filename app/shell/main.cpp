// The program entry.
#include <cstdio>
#include <string>
#include <vector>

#include "app/link/KeyboardLink.h"
#include "app/shell/CommandLine.h"

int main(int argc, char** argv) {
  using tessaro::CommandLine;
  const CommandLine line = CommandLine::Parse(std::vector<std::string>(argv + 1, argv + argc));
  switch (line.action) {
    case CommandLine::Action::kHelp:
      std::fputs(CommandLine::HelpText().c_str(), stdout);
      return 0;
    case CommandLine::Action::kVersion:
      std::fputs(CommandLine::VersionText().c_str(), stdout);
      return 0;
    case CommandLine::Action::kError:
      std::fprintf(stderr, "tessaro: %s\nTry 'tessaro --help' for more information.\n",
                   line.error.c_str());
      return 2;
    case CommandLine::Action::kRun:
      break;
  }
  if (line.simulate) tessaro::KeyboardLink::UseSimulatedKeyboard();
  std::fputs("tessaro: the main window is not part of this build yet; try --version\n", stderr);
  return 1;
}
