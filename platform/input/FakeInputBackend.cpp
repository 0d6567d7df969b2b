#include "platform/input/FakeInputBackend.h"

#include <fcntl.h>
#include <linux/input-event-codes.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

#include "platform/input/KeyCodeTable.h"
#include "platform/input/ServedKeyboard.h"

namespace platform {

namespace {

void OpenPair(int& read_fd, int& write_fd) {
  int fds[2] = {-1, -1};
  if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds) != 0) return;
  fcntl(fds[0], F_SETFL, O_NONBLOCK);
  read_fd = fds[0];
  write_fd = fds[1];
}

}  // namespace

struct FakeInputBackend::State {
  struct NodeState {
    UsbId id;
    std::string phys;
    bool present = true;
    int generation = 0;
    int read_fd = -1;
    int write_fd = -1;
    bool refuse_grab = false;
    bool refuse_open = false;  // no permission
    bool keys_down = false;
    bool grabbed = false;
    std::string clone_path;  // empty without a clone
    std::vector<InputEvent> passed;
  };

  // A node entry with a fresh path.
  std::string Add(UsbId id, std::string phys) {
    const std::string path = "/dev/input/event" + std::to_string(100 + next_number++);
    auto& node = nodes[path];
    node.id = id;
    node.phys = std::move(phys);
    OpenPair(node.read_fd, node.write_fd);
    return path;
  }

  void Remove(const std::string& path) {
    const auto found = nodes.find(path);
    if (found == nodes.end()) return;
    if (found->second.read_fd >= 0) close(found->second.read_fd);
    if (found->second.write_fd >= 0) close(found->second.write_fd);
    nodes.erase(found);
  }

  ~State() {
    for (auto& [path, node] : nodes) {
      if (node.read_fd >= 0) close(node.read_fd);
      if (node.write_fd >= 0) close(node.write_fd);
    }
  }

  mutable std::mutex mutex;
  mutable std::condition_variable passed_cv;
  std::map<std::string, NodeState> nodes;
  int open_nodes = 0;
  int next_number = 0;
  int scans = 0;
};

class FakeInputBackend::Clone final : public EventSink {
 public:
  Clone(std::shared_ptr<State> state, std::string path)
      : state_(std::move(state)), path_(std::move(path)) {
    std::lock_guard lock(state_->mutex);
    auto& node = state_->nodes[path_];  // map entries stay where they are
    node.clone_path = state_->Add(node.id, PassThroughPhys(node.phys));
  }
  ~Clone() override {
    std::lock_guard lock(state_->mutex);
    auto& node = state_->nodes[path_];
    const std::string clone_path = node.clone_path;
    node.clone_path.clear();
    state_->Remove(clone_path);
  }

  bool Write(std::span<const InputEvent> events) override {
    {
      std::lock_guard lock(state_->mutex);
      auto& passed = state_->nodes[path_].passed;
      passed.insert(passed.end(), events.begin(), events.end());
    }
    state_->passed_cv.notify_all();
    return true;
  }

 private:
  std::shared_ptr<State> state_;
  std::string path_;
};

class FakeInputBackend::Node final : public EventNode {
 public:
  Node(std::shared_ptr<State> state, std::string path, int fd, int generation)
      : state_(std::move(state)), path_(std::move(path)), fd_(fd), generation_(generation) {}
  ~Node() override {
    // Closing the node drops its grab, as the kernel does for a closed fd.
    std::lock_guard lock(state_->mutex);
    auto& node = state_->nodes[path_];
    if (node.generation == generation_) node.grabbed = false;
    --state_->open_nodes;
    close(fd_);
  }

  int PollFd() const override { return fd_; }

  bool Grab() override {
    std::lock_guard lock(state_->mutex);
    auto& node = state_->nodes[path_];
    if (!node.present || node.generation != generation_ || node.refuse_grab) return false;
    node.grabbed = true;
    return true;
  }

  void Ungrab() override {
    std::lock_guard lock(state_->mutex);
    auto& node = state_->nodes[path_];
    if (node.generation == generation_) node.grabbed = false;
  }

  bool AnyKeyDown() const override {
    std::lock_guard lock(state_->mutex);
    return state_->nodes[path_].keys_down;
  }

  ReadStatus Read(std::vector<InputEvent>& out) override {
    for (;;) {
      InputEvent event;
      const ssize_t got = recv(fd_, &event, sizeof event, MSG_DONTWAIT);
      if (got == static_cast<ssize_t>(sizeof event)) {
        out.push_back(event);
        continue;
      }
      if (got == 0) return ReadStatus::kGone;
      return ReadStatus::kRead;
    }
  }

  std::unique_ptr<EventSink> CreateClone() override {
    return std::make_unique<Clone>(state_, path_);
  }

 private:
  std::shared_ptr<State> state_;
  std::string path_;
  int fd_;
  int generation_;
};

FakeInputBackend::FakeInputBackend() : state_(std::make_shared<State>()) {}

FakeInputBackend::~FakeInputBackend() = default;

std::vector<std::string> FakeInputBackend::FindKeyboardNodes(const std::vector<UsbId>& ids) {
  const auto& state = state_;
  std::lock_guard lock(state->mutex);
  ++state->scans;
  std::vector<std::string> paths;
  for (const auto& [path, node] : state->nodes) {
    if (node.present && IsServedKeyboard({node.id, node.phys}, ids)) paths.push_back(path);
  }
  return paths;
}

std::unique_ptr<EventNode> FakeInputBackend::OpenNode(const std::string& path) {
  const auto& state = state_;
  std::lock_guard lock(state->mutex);
  const auto found = state->nodes.find(path);
  if (found == state->nodes.end() || !found->second.present) return nullptr;
  if (found->second.refuse_open) return nullptr;
  const int fd = fcntl(found->second.read_fd, F_DUPFD_CLOEXEC, 0);
  if (fd < 0) return nullptr;
  ++state->open_nodes;
  return std::make_unique<Node>(state, path, fd, found->second.generation);
}

std::string FakeInputBackend::AddNode(UsbId id, std::string phys) {
  std::lock_guard lock(state_->mutex);
  return state_->Add(id, std::move(phys));
}

void FakeInputBackend::Push(const std::string& path, const std::vector<InputEvent>& events) {
  const auto& state = state_;
  int fd = -1;
  {
    std::lock_guard lock(state->mutex);
    fd = state->nodes[path].write_fd;
  }
  for (const InputEvent& event : events) send(fd, &event, sizeof event, MSG_NOSIGNAL);
}

void FakeInputBackend::PushKey(const std::string& path, uint16_t linux_code, int32_t value,
                               int64_t time_us) {
  const auto key = VirtualKeyFromLinux(linux_code);
  const int32_t scan = key ? static_cast<int32_t>(key->scan_code) : 0;
  Push(path, {{EV_MSC, MSC_SCAN, scan, time_us},
              {EV_KEY, linux_code, value, time_us},
              {EV_SYN, SYN_REPORT, 0, time_us}});
}

void FakeInputBackend::Unplug(const std::string& path) {
  const auto& state = state_;
  std::lock_guard lock(state->mutex);
  auto& node = state->nodes[path];
  node.present = false;
  node.grabbed = false;
  // Open nodes read end-of-file, as a removed device reads ENODEV.
  shutdown(node.write_fd, SHUT_WR);
}

void FakeInputBackend::Replug(const std::string& path) {
  const auto& state = state_;
  std::lock_guard lock(state->mutex);
  auto& node = state->nodes[path];
  close(node.read_fd);
  close(node.write_fd);
  node.read_fd = node.write_fd = -1;
  OpenPair(node.read_fd, node.write_fd);
  node.present = true;
  ++node.generation;
}

void FakeInputBackend::RefuseGrab(const std::string& path, bool refuse) {
  const auto& state = state_;
  std::lock_guard lock(state->mutex);
  state->nodes[path].refuse_grab = refuse;
}

void FakeInputBackend::RefuseOpen(const std::string& path, bool refuse) {
  const auto& state = state_;
  std::lock_guard lock(state->mutex);
  state->nodes[path].refuse_open = refuse;
}

void FakeInputBackend::SetKeysDown(const std::string& path, bool down) {
  const auto& state = state_;
  std::lock_guard lock(state->mutex);
  state->nodes[path].keys_down = down;
}

bool FakeInputBackend::Grabbed(const std::string& path) const {
  std::lock_guard lock(state_->mutex);
  const auto found = state_->nodes.find(path);
  return found != state_->nodes.end() && found->second.grabbed;
}

bool FakeInputBackend::HasClone(const std::string& path) const {
  std::lock_guard lock(state_->mutex);
  const auto found = state_->nodes.find(path);
  return found != state_->nodes.end() && !found->second.clone_path.empty();
}

std::string FakeInputBackend::ClonePath(const std::string& path) const {
  std::lock_guard lock(state_->mutex);
  const auto found = state_->nodes.find(path);
  return found == state_->nodes.end() ? std::string() : found->second.clone_path;
}

int FakeInputBackend::OpenNodes() const {
  std::lock_guard lock(state_->mutex);
  return state_->open_nodes;
}

int FakeInputBackend::Scans() const {
  std::lock_guard lock(state_->mutex);
  return state_->scans;
}

std::vector<InputEvent> FakeInputBackend::Passed(const std::string& path) const {
  std::lock_guard lock(state_->mutex);
  const auto found = state_->nodes.find(path);
  return found == state_->nodes.end() ? std::vector<InputEvent>{} : found->second.passed;
}

bool FakeInputBackend::WaitPassed(const std::string& path, size_t count,
                                  std::chrono::milliseconds timeout) const {
  std::unique_lock lock(state_->mutex);
  return state_->passed_cv.wait_for(lock, timeout, [&] {
    const auto found = state_->nodes.find(path);
    return found != state_->nodes.end() && found->second.passed.size() >= count;
  });
}

}  // namespace platform
