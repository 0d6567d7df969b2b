#pragma once
// The instance channel over flock and a Unix stream socket. Only peers of the
// same user are heard; a line is at most kMaxLine bytes and a peer that sends
// a longer one is dropped, as are peers beyond kMaxPeers at once.
#include <map>
#include <string>

#include "platform/system/Clock.h"
#include "platform/system/InstanceChannel.h"

namespace platform {

class SocketInstanceChannel final : public InstanceChannel {
 public:
  static constexpr size_t kMaxLine = 64;
  static constexpr size_t kMaxPeers = 8;
  // How long a later start keeps trying while the first one is still setting up.
  static constexpr Milliseconds kConnectPatience{2000};
  static constexpr Milliseconds kConnectRetry{50};

  // runtime_folder is created (mode 0700) when it is missing.
  SocketInstanceChannel(std::string runtime_folder, const std::string& software_name, Clock& clock);
  ~SocketInstanceChannel() override;
  SocketInstanceChannel(const SocketInstanceChannel&) = delete;
  SocketInstanceChannel& operator=(const SocketInstanceChannel&) = delete;

  Claim ClaimInstance() override;
  bool SendToRunning(const std::string& line) override;
  int Fd() const override { return epoll_fd_; }
  std::vector<std::string> TakeLines() override;

  const std::string& LockPath() const { return lock_path_; }
  const std::string& SocketPath() const { return socket_path_; }

 private:
  bool Listen();
  void AcceptPeers();
  // Reads what the peer sent; false when it is done or misbehaved.
  bool ReadPeer(int fd, std::string& buffer, std::vector<std::string>& lines);
  void DropPeer(int fd);

  std::string runtime_folder_;
  std::string lock_path_;
  std::string socket_path_;
  Clock& clock_;
  int lock_fd_ = -1;
  int listen_fd_ = -1;
  int epoll_fd_ = -1;
  std::map<int, std::string> peers_;  // connection -> bytes of its unfinished line
};

}  // namespace platform
