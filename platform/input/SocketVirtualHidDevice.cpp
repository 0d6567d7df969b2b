#include "platform/input/SocketVirtualHidDevice.h"

#include <sys/socket.h>
#include <unistd.h>

namespace platform {

SocketVirtualHidDevice::SocketVirtualHidDevice() {
  int fds[2] = {-1, -1};
  if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds) == 0) {
    read_fd_ = fds[0];
    write_fd_ = fds[1];
  }
}

SocketVirtualHidDevice::~SocketVirtualHidDevice() {
  if (read_fd_ >= 0) close(read_fd_);
  if (write_fd_ >= 0) close(write_fd_);
}

bool SocketVirtualHidDevice::Create(const VirtualHidSpec&) {
  open_ = write_fd_ >= 0;
  return open_;
}

bool SocketVirtualHidDevice::Write(const HidPacket& packet) {
  if (!open_) return false;
  return send(write_fd_, packet.data(), packet.size(), MSG_NOSIGNAL) ==
         static_cast<ssize_t>(packet.size());
}

bool SocketVirtualHidDevice::ReadPacket(HidPacket& packet) {
  if (read_fd_ < 0) return false;
  return recv(read_fd_, packet.data(), packet.size(), 0) == static_cast<ssize_t>(packet.size());
}

}  // namespace platform
