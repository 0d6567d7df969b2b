#pragma once
// A child process that is ended with its owner: SIGTERM, then SIGKILL when it
// has not gone within a second, and always reaped. Started with posix_spawnp,
// never through a shell. Tests use it for the servers they start.
#include <map>
#include <string>
#include <vector>

namespace platform {

class SpawnedProcess {
 public:
  struct Options {
    std::map<std::string, std::string> environment;  // added to the inherited one
    std::string stdin_path;                          // empty: /dev/null
    bool quiet = true;                               // stdout and stderr to /dev/null
  };

  SpawnedProcess() = default;
  ~SpawnedProcess() { Stop(); }
  SpawnedProcess(const SpawnedProcess&) = delete;
  SpawnedProcess& operator=(const SpawnedProcess&) = delete;

  bool Start(const std::vector<std::string>& argv, const Options& options);
  bool Start(const std::vector<std::string>& argv) { return Start(argv, Options{}); }
  bool Running();
  // The child's process id; -1 when none was started or it was reaped.
  int Pid() const { return pid_; }
  // Waits for the child to end by itself; its exit status, -1 when it was
  // killed or is not running.
  int Wait();
  void Stop();

  // Whether a program of that name is on PATH.
  static bool OnPath(const std::string& program);
  // Runs a program to its end; its exit status, or -1.
  static int Run(const std::vector<std::string>& argv, const Options& options);

 private:
  int pid_ = -1;
};

}  // namespace platform
