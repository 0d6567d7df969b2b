#include "platform/system/ProgramRunner.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

extern char** environ;

namespace platform {
namespace {

pid_t Start(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<std::string> argv_text;
  argv_text.push_back(program);
  argv_text.insert(argv_text.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& text : argv_text) argv.push_back(text.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
  return pid;
}

int Reap(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

bool SpawnProgramRunner::Spawn(const std::string& program,
                               const std::vector<std::string>& arguments) {
  const pid_t pid = Start(program, arguments);
  if (pid < 0) return false;
  std::thread([pid] { Reap(pid); }).detach();
  return true;
}

int SpawnProgramRunner::Run(const std::string& program, const std::vector<std::string>& arguments) {
  const pid_t pid = Start(program, arguments);
  return pid < 0 ? -1 : Reap(pid);
}

bool SpawnProgramRunner::IsExecutableFile(const std::string& path) const {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool FakeProgramRunner::Spawn(const std::string& program,
                              const std::vector<std::string>& arguments) {
  calls_.push_back({program, arguments, false});
  return true;
}

int FakeProgramRunner::Run(const std::string& program, const std::vector<std::string>& arguments) {
  calls_.push_back({program, arguments, true});
  if (on_run_) on_run_();
  return exit_code_;
}

bool FakeProgramRunner::IsExecutableFile(const std::string& path) const {
  return std::find(executables_.begin(), executables_.end(), path) != executables_.end();
}

}  // namespace platform
