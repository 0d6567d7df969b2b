#include "app/update/Updater.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>

#include "app/update/TestZip.h"
#include "platform/net/CurlHttpClient.h"
#include "platform/net/LocalHttpServer.h"
#include "platform/system/FakeProcessLauncher.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using platform::LocalHttpServer;

// The window and the keyboard link, writing what happens to one log so that
// the order shows.
struct Recorder : UpdateHost, FirmwareLink {
  explicit Recorder(platform::FakeProcessLauncher& starter) : launcher(starter) {}
  platform::FakeProcessLauncher& launcher;
  std::vector<std::string> log;
  std::vector<int> progress;
  std::optional<uint16_t> firmware;

  void PostDownloadProgress(int value) override { progress.push_back(value); }
  void MarkSoftwareUpgrade() override { log.push_back("mark software"); }
  void MarkFirmwareUpgrade() override { log.push_back("mark firmware"); }
  void QueueFirmwareDownload() override { log.push_back("queue 15"); }
  void RedetectKeyboard() override { log.push_back("redetect"); }
  void ExitForUpdate() override {
    log.push_back("exit after " + std::to_string(launcher.Starts().size()) + " start");
  }
  std::optional<uint16_t> ReadFirmwareVersion() override { return firmware; }
  void CloseAll() override {
    log.push_back("close after " + std::to_string(launcher.Starts().size()) + " start");
  }
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class UpdaterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("tessaro-updater-" + std::to_string(getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
    ASSERT_TRUE(server_.Start());
  }
  void TearDown() override {
    server_.Stop();
    fs::remove_all(root_);
  }

  LocalHttpServer::Response Answer(const LocalHttpServer::Request& request) {
    std::lock_guard lock(mutex_);
    if (auto found = answers_.find(request.target); found != answers_.end()) return found->second;
    LocalHttpServer::Response missing;
    missing.status = 404;
    missing.body = "<html>Not Found</html>";
    return missing;
  }
  void Serve(const std::string& target, std::string body, int status = 200) {
    std::lock_guard lock(mutex_);
    answers_[target].body = std::move(body);
    answers_[target].status = status;
  }
  void ServeZip(const std::string& target, const std::vector<test::ZipEntry>& entries) {
    const fs::path zip = root_ / "built.zip";
    ASSERT_TRUE(test::WriteZip(zip.string(), entries));
    Serve(target, ReadAll(zip));
    fs::remove(zip);
  }

  fs::path UpdateFolder() const { return root_ / "data" / "temp"; }
  Updater MakeUpdater(const std::string& own_version = "1.0.1") {
    UpdateSources sources{own_version, server_.BaseUrl() + "/soft/", server_.BaseUrl() + "/fw/",
                          UpdateFolder().string()};
    UpdateOptions options;
    options.read_timeout = std::chrono::milliseconds(300);
    return Updater(client_, launcher_, recorder_, sources, options);
  }
  std::vector<std::string> Targets() const {
    std::vector<std::string> targets;
    for (const auto& request : server_.Requests()) targets.push_back(request.target);
    return targets;
  }
  std::vector<std::string> Tree() const {
    std::vector<std::string> paths;
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
      paths.push_back(fs::relative(entry.path(), root_).string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
  }

  fs::path root_;
  std::mutex mutex_;
  std::map<std::string, LocalHttpServer::Response> answers_;
  LocalHttpServer server_{[this](const LocalHttpServer::Request& r) { return Answer(r); }};
  platform::CurlHttpClient client_;
  platform::FakeProcessLauncher launcher_;
  Recorder recorder_{launcher_};
};

TEST_F(UpdaterTest, NewerSoftwareIsDownloadedUnpackedAndStartedThenTheProgramExits) {
  Serve("/soft/version", "1.0.2\r\n");
  ServeZip("/soft/Keyboard-Software-1.0.2.zip",
           {{"Keyboard-Software-1.0.2.exe", "#!/bin/sh\n"}, {"notes/readme.txt", "new"}});
  Updater updater = MakeUpdater();
  updater.CheckSoftwareUpdate();

  EXPECT_EQ(Targets(),
            (std::vector<std::string>{"/soft/version", "/soft/Keyboard-Software-1.0.2.zip"}));
  for (const auto& request : server_.Requests()) {
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.Header("User-Agent"), "IIC2.0/PC 5.5.0000");
    EXPECT_EQ(request.Header("Accept"), "*/*");
    EXPECT_EQ(request.Header("Pragma"), "no-cache");
  }
  const fs::path program = UpdateFolder() / "Keyboard-Software-1.0.2.exe";
  ASSERT_EQ(launcher_.Starts().size(), 1u);
  EXPECT_EQ(launcher_.Starts()[0].program, program.string());
  EXPECT_EQ(ReadAll(program), "#!/bin/sh\n");
  EXPECT_FALSE(fs::exists(UpdateFolder() / "Keyboard-Software-1.0.2.zip"));
  EXPECT_EQ(recorder_.log, (std::vector<std::string>{"exit after 1 start"}));
  EXPECT_EQ(recorder_.progress.front(), 0);
  EXPECT_EQ(recorder_.progress.back(), 100);
  EXPECT_EQ(updater.LatestSoftwareVersion(), "1.0.2");
}

TEST_F(UpdaterTest, AnswersThatAreNoNewerVersionDownloadNothing) {
  struct Case {
    const char* body;
    int status;
  } cases[] = {
      {"1.0.1", 200},     {"1.0", 200},         {"1.0.0.9", 200},
      {"Not Found", 200}, {"Not Found", 404},   {"1.0.2", 500},
      {"", 200},          {"1.0.1.1.1.1", 200}, {"<html>1.0.2</html>", 200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    Serve("/soft/version", c.body, c.status);
    Updater updater = MakeUpdater();
    updater.CheckSoftwareUpdate();
    EXPECT_EQ(Targets().back(), "/soft/version");
    EXPECT_TRUE(recorder_.log.empty());
  }
  EXPECT_EQ(Targets().size(), std::size(cases));
  EXPECT_TRUE(launcher_.Starts().empty());

  // A server that is down.
  Updater updater = MakeUpdater();
  server_.Stop();
  updater.CheckSoftwareUpdate();
  EXPECT_TRUE(recorder_.log.empty());
}

TEST_F(UpdaterTest, AFailedUpdateKeepsTheProgramRunningAndLeavesNothingBehind) {
  struct Case {
    const char* what;
    std::vector<test::ZipEntry> package;  // empty: the server has none
    bool launcher_fails;
  } cases[] = {
      {"no package", {}, false},
      {"escaping entry", {{"Keyboard-Software-1.0.2.exe", "x"}, {"../../escaped.exe", "x"}}, false},
      {"link entry", {{"Keyboard-Software-1.0.2.exe", "/bin/sh", 0120777}}, false},
      {"program missing", {{"Other.exe", "x"}}, false},
      {"start fails", {{"Keyboard-Software-1.0.2.exe", "x"}}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(UpdateFolder());
    recorder_.log.clear();
    Serve("/soft/version", "1.0.2");
    if (c.package.empty()) {
      Serve("/soft/Keyboard-Software-1.0.2.zip", "Not Found", 404);
    } else {
      ServeZip("/soft/Keyboard-Software-1.0.2.zip", c.package);
    }
    launcher_.SetFails(c.launcher_fails);
    Updater updater = MakeUpdater();
    updater.CheckSoftwareUpdate();
    EXPECT_EQ(recorder_.log, (std::vector<std::string>{"mark software"}));
    const std::vector<std::string> left = Tree();
    if (c.launcher_fails) {
      EXPECT_EQ(left, (std::vector<std::string>{"data", "data/temp",
                                                "data/temp/Keyboard-Software-1.0.2.exe"}));
    } else {
      EXPECT_EQ(left, (std::vector<std::string>{"data", "data/temp"}));
    }
  }
}

TEST_F(UpdaterTest, FirmwareVersionsCompareInOneBase) {
  struct Case {
    std::optional<uint16_t> keyboard;
    const char* server;
    bool update;
  } cases[] = {
      {0x0107, "107", false}, {0x0106, "107", true},        {0x0108, "107", false},
      {0x010A, "109", false},  // read back as decimal this was 10, "older" than 109
      {0x010A, "10b", true},  {0x0109, "10A", true},        {std::nullopt, "107", false},
      {0x0001, "1.0", false}, {0x0001, "Not Found", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.server);
    recorder_.log.clear();
    recorder_.firmware = c.keyboard;
    Serve("/fw/version", c.server);
    Updater updater = MakeUpdater();
    updater.CheckFirmwareUpdate(recorder_);
    const std::vector<std::string> expected =
        c.update ? std::vector<std::string>{"mark firmware", "queue 15"}
                 : std::vector<std::string>{};
    EXPECT_EQ(recorder_.log, expected);
  }
}

TEST_F(UpdaterTest, FirmwareToolStartsOnlyAfterTheKeyboardIsReleased) {
  recorder_.firmware = 0x0106;
  Serve("/fw/version", "107\n");
  ServeZip("/fw/FirmwareUpdateTool-107.zip", {{"FirmwareUpdateTool-107.exe", "tool"}});
  Updater updater = MakeUpdater();
  updater.CheckFirmwareUpdate(recorder_);
  ASSERT_EQ(updater.LatestFirmwareVersion(), "107");
  recorder_.log.clear();

  // A failed start gives the keyboard back.
  launcher_.SetFails(true);
  EXPECT_FALSE(updater.DownloadFirmwareTool(recorder_));
  EXPECT_EQ(recorder_.log,
            (std::vector<std::string>{"close after 0 start", "redetect", "mark firmware"}));

  recorder_.log.clear();
  launcher_.SetFails(false);
  EXPECT_TRUE(updater.DownloadFirmwareTool(recorder_));
  EXPECT_EQ(recorder_.log, (std::vector<std::string>{"close after 1 start", "exit after 2 start"}));
  EXPECT_EQ(launcher_.Starts().back().program,
            (UpdateFolder() / "FirmwareUpdateTool-107.exe").string());
  EXPECT_EQ(Targets(), (std::vector<std::string>{"/fw/version", "/fw/FirmwareUpdateTool-107.zip",
                                                 "/fw/FirmwareUpdateTool-107.zip"}));
}

TEST_F(UpdaterTest, ShippedFirmwareToolAndUnknownVersions) {
  Updater updater = MakeUpdater();
  // Nothing learned from the server yet: no request for "FirmwareUpdateTool-.zip".
  EXPECT_FALSE(updater.DownloadSoftwarePackage());
  EXPECT_FALSE(updater.DownloadFirmwareTool(recorder_));
  EXPECT_TRUE(Targets().empty());
  EXPECT_EQ(recorder_.log, (std::vector<std::string>{"mark software", "mark firmware"}));

  recorder_.log.clear();
  EXPECT_FALSE(updater.RunFirmwareTool(recorder_, (root_ / "missing").string()));
  EXPECT_TRUE(recorder_.log.empty());
  const fs::path tool = root_ / "firmware-tool";
  std::ofstream(tool) << "tool";
  EXPECT_TRUE(updater.RunFirmwareTool(recorder_, tool.string()));
  EXPECT_EQ(recorder_.log, (std::vector<std::string>{"close after 0 start", "exit after 1 start"}));
}

}  // namespace
}  // namespace tessaro
