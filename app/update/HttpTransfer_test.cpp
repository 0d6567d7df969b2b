#include "app/update/HttpTransfer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/net/CurlHttpClient.h"
#include "platform/net/LocalHttpServer.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using platform::LocalHttpServer;

struct ProgressLog : DownloadProgress {
  std::vector<int> values;
  void PostDownloadProgress(int value) override { values.push_back(value); }
};

class HttpTransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("tessaro-http-" + std::to_string(getpid()));
    fs::create_directories(folder_);
    ASSERT_TRUE(server_.Start());
  }
  void TearDown() override {
    server_.Stop();
    fs::remove_all(folder_);
  }
  std::string Url(const std::string& path) const { return server_.BaseUrl() + path; }

  static LocalHttpServer::Response Answer(const LocalHttpServer::Request& request) {
    LocalHttpServer::Response response;
    if (request.target == "/nolength") {
      response.body = std::string(30000, 'n');
      response.send_length = false;
    } else if (request.target == "/sized") {
      response.body = std::string(40960, 's');
    } else if (request.target == "/text") {
      response.body = "1.0.2\n";
    } else if (request.target == "/huge-text") {
      response.body = std::string(HttpTransfer::kMaxTextBytes + 1, '1');
    } else if (request.target == "/truncated") {
      response.body = std::string(50000, 't');
      response.stall_after = 20000;
    } else {
      response.status = 404;
      response.body = "<html>Not Found</html>";
    }
    return response;
  }

  fs::path folder_;
  LocalHttpServer server_{&HttpTransferTest::Answer};
  platform::CurlHttpClient client_;
};

TEST_F(HttpTransferTest, ProgressWithAndWithoutALength) {
  HttpTransfer transfer(client_);
  const std::string target = (folder_ / "package.zip").string();

  ProgressLog unsized;
  EXPECT_EQ(transfer.DownloadFile(Url("/nolength"), target, &unsized), HttpTransfer::kOk);
  EXPECT_EQ(unsized.values, (std::vector<int>{0, 2, 8, 10, 100}));
  EXPECT_EQ(fs::file_size(target), 30000u);

  ProgressLog sized;
  EXPECT_EQ(transfer.DownloadFile(Url("/sized"), target, &sized), HttpTransfer::kOk);
  ASSERT_GE(sized.values.size(), 5u);
  EXPECT_EQ(std::vector<int>(sized.values.begin(), sized.values.begin() + 4),
            (std::vector<int>{0, 2, 8, 10}));
  EXPECT_TRUE(std::is_sorted(sized.values.begin(), sized.values.end()));
  EXPECT_EQ(std::adjacent_find(sized.values.begin(), sized.values.end()), sized.values.end());
  EXPECT_EQ(sized.values.back(), 100);
  EXPECT_EQ(fs::file_size(target), 40960u);
}

TEST_F(HttpTransferTest, FailedDownloadsLeaveNoFile) {
  HttpTransfer transfer(client_, std::chrono::milliseconds(200));
  const std::string target = (folder_ / "package.zip").string();
  struct Case {
    const char* path;
    uint64_t max_bytes;
  } cases[] = {
      {"/missing", HttpTransfer::kMaxDownloadBytes},    // error page
      {"/truncated", HttpTransfer::kMaxDownloadBytes},  // stalls midway
      {"/nolength", 1000},                              // more than allowed
  };
  for (const Case& c : cases) {
    std::ofstream(target) << "old package";
    EXPECT_EQ(transfer.DownloadFile(Url(c.path), target, nullptr, c.max_bytes),
              HttpTransfer::kFailed)
        << c.path;
    EXPECT_FALSE(fs::exists(target)) << c.path;
  }
  // A file that cannot be created.
  EXPECT_EQ(
      transfer.DownloadFile(Url("/sized"), (folder_ / "no/such/folder.zip").string(), nullptr),
      HttpTransfer::kFailed);
}

TEST_F(HttpTransferTest, FetchTextTakesOnlySmallSuccessfulBodies) {
  HttpTransfer transfer(client_);
  std::string text = "unchanged";
  EXPECT_EQ(transfer.FetchText(Url("/text"), text), HttpTransfer::kOk);
  EXPECT_EQ(text, "1.0.2\n");
  text = "unchanged";
  EXPECT_EQ(transfer.FetchText(Url("/missing"), text), HttpTransfer::kFailed);
  EXPECT_EQ(transfer.FetchText(Url("/huge-text"), text), HttpTransfer::kFailed);
  EXPECT_EQ(text, "unchanged");
}

}  // namespace
}  // namespace tessaro
