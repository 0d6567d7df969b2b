#pragma once
// Starts programs by path and arguments, never through a shell: the key
// functions that start a program or open a page, and the driver installer run
// through pkexec.
#include <functional>
#include <string>
#include <vector>

namespace platform {

class ProgramRunner {
 public:
  virtual ~ProgramRunner() = default;
  // Starts the program (looked up in PATH when the name has no slash) without
  // waiting for it; false when it could not be started.
  virtual bool Spawn(const std::string& program, const std::vector<std::string>& arguments) = 0;
  // Runs the program and waits for it to end: its exit code, or -1 when it
  // could not be started or did not exit normally.
  virtual int Run(const std::string& program, const std::vector<std::string>& arguments) = 0;
  // Whether the path names a regular file that we may execute.
  virtual bool IsExecutableFile(const std::string& path) const = 0;
};

// posix_spawnp with our environment; children of Spawn are reaped by a
// detached thread so none is left a zombie.
class SpawnProgramRunner final : public ProgramRunner {
 public:
  bool Spawn(const std::string& program, const std::vector<std::string>& arguments) override;
  int Run(const std::string& program, const std::vector<std::string>& arguments) override;
  bool IsExecutableFile(const std::string& path) const override;
};

// Records what would have been started; Run answers a scripted exit code.
class FakeProgramRunner final : public ProgramRunner {
 public:
  struct Call {
    std::string program;
    std::vector<std::string> arguments;
    bool waited = false;

    bool operator==(const Call&) const = default;
  };

  bool Spawn(const std::string& program, const std::vector<std::string>& arguments) override;
  int Run(const std::string& program, const std::vector<std::string>& arguments) override;
  bool IsExecutableFile(const std::string& path) const override;

  void SetExitCode(int code) { exit_code_ = code; }
  void SetExecutable(const std::string& path) { executables_.push_back(path); }
  // Called by Run before it answers, as the program's effect.
  void SetOnRun(std::function<void()> on_run) { on_run_ = std::move(on_run); }
  const std::vector<Call>& Calls() const { return calls_; }

 private:
  int exit_code_ = 0;
  std::vector<std::string> executables_;
  std::function<void()> on_run_;
  std::vector<Call> calls_;
};

}  // namespace platform
