#include "platform/system/SocketInstanceChannel.h"

#include <fcntl.h>
#include <sys/epoll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

// A software name becomes one file name: a slash can not lead elsewhere.
std::string FileStem(const std::string& software_name) {
  std::string stem = software_name.empty() ? std::string("tessaro") : software_name;
  for (char& c : stem) {
    if (c == '/') c = '_';
  }
  return stem;
}

bool FillAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.data(), path.size());
  return true;
}

// The runtime folder (the fallback under /tmp included) must be ours and
// writable by no one else, or another user could plant the socket.
bool EnsurePrivateFolder(const std::string& folder) {
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat info {};
  if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  return info.st_uid == getuid() && (info.st_mode & 022) == 0;
}

}  // namespace

SocketInstanceChannel::SocketInstanceChannel(std::string runtime_folder,
                                             const std::string& software_name, Clock& clock)
    : runtime_folder_(std::move(runtime_folder)),
      lock_path_(runtime_folder_ + "/" + FileStem(software_name) + ".lock"),
      socket_path_(runtime_folder_ + "/" + FileStem(software_name) + ".socket"),
      clock_(clock) {}

SocketInstanceChannel::~SocketInstanceChannel() {
  for (const auto& [fd, buffer] : peers_) close(fd);
  if (epoll_fd_ >= 0) close(epoll_fd_);
  if (listen_fd_ >= 0) {
    close(listen_fd_);
    // Still under the lock, so the file is ours to remove. The lock file stays:
    // removing it would let two later starts lock two different files.
    unlink(socket_path_.c_str());
  }
  if (lock_fd_ >= 0) close(lock_fd_);
}

InstanceChannel::Claim SocketInstanceChannel::ClaimInstance() {
  if (lock_fd_ >= 0) return Claim::kFirst;
  if (!EnsurePrivateFolder(runtime_folder_)) return Claim::kFailed;
  const int fd = open(lock_path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return Claim::kFailed;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool taken = errno == EWOULDBLOCK;
    close(fd);
    return taken ? Claim::kOtherRunning : Claim::kFailed;
  }
  lock_fd_ = fd;
  return Listen() ? Claim::kFirst : Claim::kFailed;
}

bool SocketInstanceChannel::Listen() {
  sockaddr_un address;
  if (!FillAddress(socket_path_, address)) return false;
  // Whatever is there was left by an instance that no longer holds the lock.
  unlink(socket_path_.c_str());
  listen_fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (listen_fd_ < 0) return false;
  // fchmod does not reach a socket's file; the folder is private, and the
  // mode is set before anyone is listened to.
  if (bind(listen_fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      chmod(socket_path_.c_str(), 0600) != 0 || listen(listen_fd_, 8) != 0) {
    close(listen_fd_);
    listen_fd_ = -1;
    unlink(socket_path_.c_str());
    return false;
  }
  epoll_fd_ = epoll_create1(EPOLL_CLOEXEC);
  epoll_event event{};
  event.events = EPOLLIN;
  event.data.fd = listen_fd_;
  return epoll_fd_ >= 0 && epoll_ctl(epoll_fd_, EPOLL_CTL_ADD, listen_fd_, &event) == 0;
}

bool SocketInstanceChannel::SendToRunning(const std::string& line) {
  sockaddr_un address;
  if (!FillAddress(socket_path_, address)) return false;
  const std::string text = line + "\n";
  const Milliseconds give_up = clock_.Now() + kConnectPatience;
  for (;;) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
      const ssize_t sent = send(fd, text.data(), text.size(), MSG_NOSIGNAL);
      close(fd);
      return sent == static_cast<ssize_t>(text.size());
    }
    close(fd);
    // The running one holds the lock but may not listen yet.
    if (clock_.Now() >= give_up) return false;
    clock_.SleepFor(kConnectRetry);
  }
}

std::vector<std::string> SocketInstanceChannel::TakeLines() {
  std::vector<std::string> lines;
  if (epoll_fd_ < 0) return lines;
  epoll_event events[kMaxPeers + 1];
  const int count = epoll_wait(epoll_fd_, events, static_cast<int>(kMaxPeers + 1), 0);
  for (int i = 0; i < count; ++i) {
    const int fd = events[i].data.fd;
    if (fd == listen_fd_) {
      AcceptPeers();
      continue;
    }
    auto peer = peers_.find(fd);
    if (peer != peers_.end() && !ReadPeer(fd, peer->second, lines)) DropPeer(fd);
  }
  return lines;
}

void SocketInstanceChannel::AcceptPeers() {
  for (;;) {
    const int fd = accept4(listen_fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    ucred peer{};
    socklen_t size = sizeof peer;
    const bool same_user =
        getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == getuid();
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = fd;
    if (!same_user || peers_.size() >= kMaxPeers ||
        epoll_ctl(epoll_fd_, EPOLL_CTL_ADD, fd, &event) != 0) {
      close(fd);
      continue;
    }
    peers_.emplace(fd, std::string());
  }
}

bool SocketInstanceChannel::ReadPeer(int fd, std::string& buffer, std::vector<std::string>& lines) {
  char chunk[256];
  for (;;) {
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got == 0) return false;
    if (got < 0) return errno == EAGAIN || errno == EINTR;
    for (ssize_t i = 0; i < got; ++i) {
      if (chunk[i] == '\n') {
        if (!buffer.empty() && buffer.back() == '\r') buffer.pop_back();
        lines.push_back(std::move(buffer));
        buffer.clear();
      } else if (buffer.size() >= kMaxLine) {
        return false;
      } else {
        buffer.push_back(chunk[i]);
      }
    }
  }
}

void SocketInstanceChannel::DropPeer(int fd) {
  epoll_ctl(epoll_fd_, EPOLL_CTL_DEL, fd, nullptr);
  close(fd);
  peers_.erase(fd);
}

}  // namespace platform
