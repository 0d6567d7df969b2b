#include "platform/system/ZenityFileDialog.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace platform {
namespace {

constexpr int kExitCancelled = 1;

class Pipe {
 public:
  Pipe() { ok_ = pipe2(fds_, O_CLOEXEC) == 0; }
  ~Pipe() {
    CloseRead();
    CloseWrite();
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;
  bool ok() const { return ok_; }
  int read_end() const { return fds_[0]; }
  int write_end() const { return fds_[1]; }
  void CloseRead() { Close(fds_[0]); }
  void CloseWrite() { Close(fds_[1]); }

 private:
  static void Close(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
  int fds_[2] = {-1, -1};
  bool ok_ = false;
};

}  // namespace

std::vector<std::string> ZenityFileDialog::Arguments(bool save, const FileDialogOptions& options) {
  std::vector<std::string> arguments = {"--file-selection", "--title=" + options.title};
  if (!options.filter_pattern.empty()) {
    arguments.push_back("--file-filter=" + options.filter_name + " | " + options.filter_pattern);
  }
  if (save) {
    arguments.push_back("--save");
    arguments.push_back("--confirm-overwrite");
    if (!options.suggested_name.empty())
      arguments.push_back("--filename=" + options.suggested_name);
  }
  return arguments;
}

FileDialogResult ZenityFileDialog::ChooseOpen(const FileDialogOptions& options) {
  return Run(false, options);
}

FileDialogResult ZenityFileDialog::ChooseSave(const FileDialogOptions& options) {
  return Run(true, options);
}

FileDialogResult ZenityFileDialog::Run(bool save, const FileDialogOptions& options) {
  Pipe output;
  posix_spawn_file_actions_t actions;
  if (!output.ok() || posix_spawn_file_actions_init(&actions) != 0) return {};
  posix_spawn_file_actions_adddup2(&actions, output.write_end(), STDOUT_FILENO);
  std::vector<std::string> arguments = Arguments(save, options);
  std::vector<char*> argv = {program_.data()};
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, program_.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return {};
  output.CloseWrite();

  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t got = read(output.read_end(), buffer, sizeof buffer);
    if (got > 0) {
      text.append(buffer, static_cast<size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      break;
    }
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status)) return {};
  if (WEXITSTATUS(status) == kExitCancelled) return {FileChoice::kCancelled, {}};
  while (!text.empty() && text.back() == '\n') text.pop_back();
  if (WEXITSTATUS(status) != 0 || text.empty()) return {};
  return {FileChoice::kChosen, text};
}

}  // namespace platform
