#include "platform/system/SpawnedProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

namespace platform {
namespace {

std::vector<std::string> EnvironmentWith(const std::map<std::string, std::string>& added) {
  std::vector<std::string> entries;
  for (char** e = environ; *e != nullptr; ++e) {
    const char* equals = std::strchr(*e, '=');
    const std::string name =
        equals ? std::string(*e, static_cast<size_t>(equals - *e)) : std::string(*e);
    if (added.count(name) == 0) entries.emplace_back(*e);
  }
  for (const auto& [name, value] : added) entries.push_back(name + "=" + value);
  return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& t : texts) pointers.push_back(t.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

bool SpawnedProcess::Start(const std::vector<std::string>& argv, const Options& options) {
  Stop();
  if (argv.empty()) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const std::string input = options.stdin_path.empty() ? "/dev/null" : options.stdin_path;
  posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
  if (options.quiet) {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  }
  std::vector<std::string> args = argv;
  std::vector<std::string> env = EnvironmentWith(options.environment);
  std::vector<char*> arg_pointers = Pointers(args);
  std::vector<char*> env_pointers = Pointers(env);
  pid_t pid = -1;
  const int error = posix_spawnp(&pid, args[0].c_str(), &actions, nullptr, arg_pointers.data(),
                                 env_pointers.data());
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return false;
  pid_ = pid;
  return true;
}

bool SpawnedProcess::Running() {
  if (pid_ <= 0) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) == pid_) {
    pid_ = -1;
    return false;
  }
  return true;
}

int SpawnedProcess::Wait() {
  if (pid_ <= 0) return -1;
  int status = 0;
  const pid_t done = waitpid(pid_, &status, 0);
  pid_ = -1;
  if (done < 0 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

void SpawnedProcess::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  for (int i = 0; i < 100; ++i) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid_, SIGKILL);
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
}

bool SpawnedProcess::OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return false;
  std::string all = path;
  size_t start = 0;
  while (start <= all.size()) {
    const size_t end = std::min(all.find(':', start), all.size());
    const std::string candidate = all.substr(start, end - start) + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

int SpawnedProcess::Run(const std::vector<std::string>& argv, const Options& options) {
  SpawnedProcess process;
  if (!process.Start(argv, options)) return -1;
  return process.Wait();
}

}  // namespace platform
