// The program entry.
#include <cstdio>
#include <string>
#include <vector>

#include "app/shell/CommandLine.h"
#include "app/shell/Program.h"

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
  return tessaro::RunProgram(line);
}
