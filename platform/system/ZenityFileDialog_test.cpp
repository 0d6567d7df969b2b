#include "platform/system/ZenityFileDialog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace platform {
namespace {

namespace fs = std::filesystem;

// A stand-in for zenity that records its arguments and answers as told.
class ZenityFileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("tessaro-zenity-" + std::to_string(getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Script(const std::string& answer, int code) {
    const fs::path script = folder_ / "zenity";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << (folder_ / "args").string()
                          << "'\nprintf '" << answer << "'\nexit " << code << "\n";
    fs::permissions(script, fs::perms::owner_all);
    return script.string();
  }
  std::vector<std::string> Arguments() const {
    std::ifstream in(folder_ / "args");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  fs::path folder_;
};

TEST_F(ZenityFileDialogTest, SaveAsksBeforeOverwritingAndReturnsThePath) {
  ZenityFileDialog dialog(Script("/home/me/My Profile.xml\\n", 0));
  const FileDialogResult result =
      dialog.ChooseSave({"Export", "Profile (*.xml)", "*.xml", "Office.xml", ""});
  EXPECT_EQ(result.choice, FileChoice::kChosen);
  EXPECT_EQ(result.path, "/home/me/My Profile.xml");
  EXPECT_EQ(Arguments(),
            (std::vector<std::string>{"--file-selection", "--title=Export",
                                      "--file-filter=Profile (*.xml) | *.xml", "--save",
                                      "--confirm-overwrite", "--filename=Office.xml"}));
}

TEST_F(ZenityFileDialogTest, CancelAndMissingProgram) {
  ZenityFileDialog cancelled(Script("", 1));
  EXPECT_EQ(cancelled.ChooseOpen({"Import", "Macros (*.xml)", "*.xml", "", ""}).choice,
            FileChoice::kCancelled);
  EXPECT_EQ(Arguments(), (std::vector<std::string>{"--file-selection", "--title=Import",
                                                   "--file-filter=Macros (*.xml) | *.xml"}));
  ZenityFileDialog broken(Script("", 5));
  EXPECT_EQ(broken.ChooseOpen({}).choice, FileChoice::kUnavailable);
  ZenityFileDialog missing((folder_ / "no-such-program").string());
  EXPECT_EQ(missing.ChooseOpen({}).choice, FileChoice::kUnavailable);
}

}  // namespace
}  // namespace platform
