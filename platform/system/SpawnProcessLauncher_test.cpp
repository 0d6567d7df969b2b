#include "platform/system/SpawnProcessLauncher.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace platform {
namespace {

namespace fs = std::filesystem;

TEST(SpawnProcessLauncher, MakesTheFileExecutableAndRunsItInItsFolder) {
  const fs::path folder = fs::temp_directory_path() / ("launcher-" + std::to_string(getpid()));
  fs::create_directories(folder);
  const fs::path script = folder / "Installer-1.0.exe";
  std::ofstream(script) << "#!/bin/sh\npwd > started.txt\necho \"$1\" >> started.txt\n";
  fs::permissions(script, fs::perms::owner_read | fs::perms::owner_write);

  SpawnProcessLauncher launcher;
  const int pid = launcher.Start(script.string(), {"--update"});
  ASSERT_GT(pid, 0);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  std::ifstream result(folder / "started.txt");
  std::string where, argument;
  std::getline(result, where);
  std::getline(result, argument);
  EXPECT_EQ(fs::path(where), fs::canonical(folder));
  EXPECT_EQ(argument, "--update");

  EXPECT_EQ(launcher.Start((folder / "missing").string(), {}), 0);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace platform
