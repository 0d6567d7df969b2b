#include "platform/system/SpawnProcessLauncher.h"

#include <spawn.h>
#include <sys/stat.h>

#include <filesystem>

extern char** environ;

namespace platform {
namespace {

bool MakeExecutable(const std::string& program) {
  struct stat info {};
  if (stat(program.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  return chmod(program.c_str(), info.st_mode | S_IXUSR) == 0;
}

class FileActions {
 public:
  FileActions() { ok_ = posix_spawn_file_actions_init(&actions_) == 0; }
  ~FileActions() {
    if (ok_) posix_spawn_file_actions_destroy(&actions_);
  }
  FileActions(const FileActions&) = delete;
  FileActions& operator=(const FileActions&) = delete;
  bool ok() const { return ok_; }
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_{};
  bool ok_ = false;
};

}  // namespace

int SpawnProcessLauncher::Start(const std::string& program,
                                const std::vector<std::string>& arguments) {
  if (!MakeExecutable(program)) return 0;
  FileActions actions;
  if (!actions.ok()) return 0;
  const std::string folder = std::filesystem::path(program).parent_path().string();
  if (!folder.empty() && posix_spawn_file_actions_addchdir_np(actions.get(), folder.c_str()) != 0) {
    return 0;
  }
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), actions.get(), nullptr, argv.data(), environ) != 0) {
    return 0;
  }
  return static_cast<int>(pid);
}

}  // namespace platform
