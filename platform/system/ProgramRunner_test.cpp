#include "platform/system/ProgramRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace platform {
namespace {

namespace fs = std::filesystem;

class TempDir {
 public:
  TempDir() {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("tessaro-runner-" + std::to_string(random()));
    fs::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

TEST(SpawnProgramRunner, ArgumentsReachTheProgramAsTheyAreAndItsExitCodeComesBack) {
  SpawnProgramRunner runner;
  TempDir dir;
  const fs::path out = dir.Path() / "out";
  // A semicolon and a quote stay text: nothing goes through a shell.
  EXPECT_EQ(runner.Run("sh", {"-c", "printf '%s' \"$1\" > \"$2\"; exit 3", "sh", "a; b'c", out}),
            3);
  std::ifstream in(out);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "a; b'c");
  EXPECT_EQ(runner.Run("/nonexistent/program", {}), -1);
  EXPECT_FALSE(runner.Spawn("/nonexistent/program", {}));
  EXPECT_TRUE(runner.IsExecutableFile("/bin/sh"));
  EXPECT_FALSE(runner.IsExecutableFile(dir.Path()));
}

// The install helper of the driver folder writes the rules with one block per
// served keyboard, and refuses ids that are not four hex digits each.
TEST(InstallHelper, WritesTheRulesOfTheServedKeyboards) {
  SpawnProgramRunner runner;
  TempDir rules;
  const std::string driver = std::string(TESSARO_SOURCE_DIR) + "/data/driver";
  const std::string helper = driver + "/install-udev-rules.sh";
  setenv("TESSARO_RULES_DIR", rules.Path().c_str(), 1);
  // Run through sh: the rules go into the temporary folder, and modprobe and
  // udevadm fail quietly without root.
  EXPECT_EQ(runner.Run("sh", {helper, driver, "1234:abcd"}), 0);
  std::ifstream in(rules.Path() / "70-tessaro.rules");
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("KERNEL==\"uhid\""), std::string::npos);
  EXPECT_NE(text.str().find("KERNEL==\"uinput\""), std::string::npos);
  EXPECT_NE(text.str().find("ATTRS{idVendor}==\"1234\", ATTRS{idProduct}==\"abcd\""),
            std::string::npos);
  EXPECT_NE(text.str().find("ATTRS{id/vendor}==\"1234\", ATTRS{id/product}==\"abcd\""),
            std::string::npos);

  EXPECT_EQ(runner.Run("sh", {helper, driver, "1234:abcd\", MODE=\"0666"}), 1);
  EXPECT_EQ(runner.Run("sh", {helper, "/nonexistent"}), 1);
  unsetenv("TESSARO_RULES_DIR");
  // Nothing but the finished file is left behind.
  int files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(rules.Path())) ++files;
  EXPECT_EQ(files, 1);
}

}  // namespace
}  // namespace platform
