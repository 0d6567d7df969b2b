#pragma once
// The program run after the command line was read: the real platform, fakes
// where TESSARO_SIMULATE or --simulate asks for them, the shell, and the UI
// loop until an exit path ends it. The exit code of the process.
#include "app/shell/CommandLine.h"

namespace tessaro {

int RunProgram(const CommandLine& line);

}  // namespace tessaro
