#include "app/macros/SoftwareFunctions.h"

#include <gtest/gtest.h>

#include "app/macros/FakeVHidev.h"
#include "app/macros/MacroType.h"
#include "app/store/StoreTestSupport.h"

namespace tessaro {
namespace {

using Call = platform::FakeProgramRunner::Call;
using namespace std::chrono_literals;

class SoftwareFunctionsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store_.Open(folder_.Path(), "K1")); }

  int32_t Add(int32_t type, std::string desc, std::string param) {
    KeyOtherData row;
    row.type = type;
    row.macro_desc = std::move(desc);
    row.param = std::move(param);
    return store_.AddKeyOtherData(row);
  }

  testing::TempFolder folder_;
  ConfigStore store_;
  FakeVHidev device_;
  FakeTextClipboard clipboard_;
  platform::FakeProgramRunner runner_;
  platform::FakeClock clock_;
  std::vector<int32_t> switched_;
  SoftwareFunctions functions_{
      store_,  device_, clipboard_,
      runner_, clock_,  [this](int32_t profile) { switched_.push_back(profile); }};
};

TEST_F(SoftwareFunctionsTest, ProgramsStartThemselvesAndOtherFilesGoToTheOpener) {
  runner_.SetExecutable("/usr/bin/gimp");
  EXPECT_TRUE(functions_.RunSoftwareFunction(Add(macro_type::kProgram, "Gimp", "/usr/bin/gimp")));
  EXPECT_TRUE(functions_.RunSoftwareFunction(
      Add(macro_type::kProgram, "Notes", "/home/u/notes; rm -rf ~.txt")));
  EXPECT_EQ(runner_.Calls(),
            (std::vector<Call>{{"/usr/bin/gimp", {}, false},
                               {"xdg-open", {"/home/u/notes; rm -rf ~.txt"}, false}}));
  EXPECT_FALSE(functions_.RunSoftwareFunction(Add(macro_type::kProgram, "Empty", "")));
}

TEST_F(SoftwareFunctionsTest, WebPagesOpenTheirAddress) {
  EXPECT_TRUE(functions_.RunSoftwareFunction(Add(macro_type::kWebPage, "example.org", "")));
  EXPECT_EQ(runner_.Calls(), (std::vector<Call>{{"xdg-open", {"http://www.example.org"}, false}}));
  EXPECT_FALSE(functions_.RunSoftwareFunction(Add(macro_type::kWebPage, "", "")));
}

TEST_F(SoftwareFunctionsTest, ProfileKeysSwitchTheActiveProfile) {
  ProfileRecord profile;
  profile.name = "Games";
  const int32_t id = store_.AddProfile(profile);
  EXPECT_TRUE(
      functions_.RunSoftwareFunction(Add(macro_type::kProfile, "Games", std::to_string(id))));
  EXPECT_EQ(store_.GetActiveProfile(), id);
  EXPECT_EQ(switched_, std::vector<int32_t>{id});
  EXPECT_FALSE(functions_.RunSoftwareFunction(Add(macro_type::kProfile, "x", "abc")));
  EXPECT_FALSE(functions_.RunSoftwareFunction(4242));
}

TEST_F(SoftwareFunctionsTest, TypedTextIsPastedAndTheUsersClipboardComesBack) {
  clipboard_.SetText("user's own");
  EXPECT_TRUE(functions_.RunSoftwareFunction(Add(macro_type::kText, "Kind regards", "")));
  EXPECT_EQ(device_.Calls(),
            (std::vector<std::string>{"ReopenDevice", "KeyEvent 224 down", "KeyEvent 25 down",
                                      "KeyEvent 25 up", "KeyEvent 224 up"}));
  EXPECT_EQ(clock_.Sleeps(), std::vector<platform::Milliseconds>{100ms});
  EXPECT_EQ(clipboard_.Waited(), SoftwareFunctions::kPasteTimeout);
  EXPECT_EQ(clipboard_.History(),
            (std::vector<std::string>{"user's own", "Kind regards", "user's own"}));
}

TEST_F(SoftwareFunctionsTest, AnEmptyClipboardStaysEmptyAndAMissingDeviceStillRestores) {
  device_.SetPresent(false);
  functions_.TypeText("hello");
  EXPECT_EQ(clipboard_.History(), (std::vector<std::string>{"hello", "<cleared>"}));
  EXPECT_FALSE(clipboard_.Text());
}

}  // namespace
}  // namespace tessaro
