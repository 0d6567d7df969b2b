#include "platform/system/SocketInstanceChannel.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace platform {
namespace {

class SocketInstanceChannelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tessaro-instance-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::unique_ptr<SocketInstanceChannel> Make() {
    return std::make_unique<SocketInstanceChannel>(folder_, "Tessaro", clock_);
  }

  // Connects and writes the bytes in the given pieces, then hangs up.
  void SendRaw(const std::string& path, const std::vector<std::string>& pieces) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    for (const std::string& piece : pieces) {
      ASSERT_EQ(write(fd, piece.data(), piece.size()), static_cast<ssize_t>(piece.size()));
    }
    close(fd);
  }

  std::string folder_;
  FakeClock clock_;
};

TEST_F(SocketInstanceChannelTest, SecondStartReachesTheFirstThroughAPrivateSocket) {
  auto first = Make();
  ASSERT_EQ(first->ClaimInstance(), InstanceChannel::Claim::kFirst);
  struct stat info {};
  ASSERT_EQ(stat(first->SocketPath().c_str(), &info), 0);
  EXPECT_TRUE(S_ISSOCK(info.st_mode));
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  auto second = Make();
  EXPECT_EQ(second->ClaimInstance(), InstanceChannel::Claim::kOtherRunning);
  EXPECT_EQ(second->Fd(), -1);
  EXPECT_TRUE(second->SendToRunning("show"));
  EXPECT_TRUE(second->SendToRunning("exit"));
  std::vector<std::string> lines;
  for (int i = 0; i < 4; ++i) {
    for (auto& line : first->TakeLines()) lines.push_back(line);
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"show", "exit"}));
}

TEST_F(SocketInstanceChannelTest, LinesArriveWholeWhateverThePieces) {
  auto first = Make();
  ASSERT_EQ(first->ClaimInstance(), InstanceChannel::Claim::kFirst);
  SendRaw(first->SocketPath(), {"sh", "ow\r\nex", "it\nhalf"});
  std::vector<std::string> lines;
  for (int i = 0; i < 4; ++i) {
    for (auto& line : first->TakeLines()) lines.push_back(line);
  }
  // The unfinished last line dies with its connection.
  EXPECT_EQ(lines, (std::vector<std::string>{"show", "exit"}));

  SendRaw(first->SocketPath(), {std::string(SocketInstanceChannel::kMaxLine + 1, 'x') + "\n"});
  SendRaw(first->SocketPath(), {"show\n"});
  lines.clear();
  for (int i = 0; i < 4; ++i) {
    for (auto& line : first->TakeLines()) lines.push_back(line);
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"show"}));
}

TEST_F(SocketInstanceChannelTest, TheLockDecidesNotALeftoverSocket) {
  // A socket file of an instance that died: bound, never unlinked, no lock.
  const std::string socket_path = folder_ + "/Tessaro.socket";
  {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socket_path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);
  }
  auto first = Make();
  ASSERT_EQ(first->ClaimInstance(), InstanceChannel::Claim::kFirst);
  auto second = Make();
  ASSERT_EQ(second->ClaimInstance(), InstanceChannel::Claim::kOtherRunning);
  ASSERT_TRUE(second->SendToRunning("show"));
  std::vector<std::string> lines;
  for (int i = 0; i < 4; ++i) {
    for (auto& line : first->TakeLines()) lines.push_back(line);
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"show"}));

  // Once the first one is gone the next start runs, and its socket is fresh.
  first.reset();
  EXPECT_FALSE(std::filesystem::exists(socket_path));
  auto third = Make();
  EXPECT_EQ(third->ClaimInstance(), InstanceChannel::Claim::kFirst);
}

TEST_F(SocketInstanceChannelTest, ALockHolderThatNeverListensIsGivenUpOn) {
  auto holder = Make();
  ASSERT_EQ(holder->ClaimInstance(), InstanceChannel::Claim::kFirst);
  std::filesystem::remove(holder->SocketPath());  // as if it had not bound yet
  auto second = Make();
  ASSERT_EQ(second->ClaimInstance(), InstanceChannel::Claim::kOtherRunning);
  EXPECT_FALSE(second->SendToRunning("show"));
  EXPECT_GE(clock_.Now(), SocketInstanceChannel::kConnectPatience);
}

TEST_F(SocketInstanceChannelTest, AFolderOthersMayWriteIsRefused) {
  ASSERT_EQ(chmod(folder_.c_str(), 0777), 0);
  EXPECT_EQ(Make()->ClaimInstance(), InstanceChannel::Claim::kFailed);
}

}  // namespace
}  // namespace platform
