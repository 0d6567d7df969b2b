#include "platform/input/KeyFilter.h"

#include <linux/input-event-codes.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "platform/input/KeyFrames.h"

namespace platform {
namespace {

using std::chrono::milliseconds;

// A node that has keys down is grabbed once they are up: grabbing it earlier
// would send their releases to the clone, which never saw the presses, and
// the system would keep them pressed.
constexpr milliseconds kKeysDownRetry{20};
// A keyboard that is missing or held by another program is looked for again.
constexpr milliseconds kRescanPeriod{1000};
// How long a change of the table waits for the reader thread to carry it out.
constexpr milliseconds kSyncTimeout{2000};

int64_t NowMs() {
  return std::chrono::duration_cast<milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

struct KeyFilter::Held {
  std::string path;
  std::unique_ptr<EventNode> node;
  std::unique_ptr<EventSink> clone;  // set while grabbed
  std::vector<InputEvent> pending;   // an unfinished frame
  std::set<uint16_t> taken_down;     // table keys whose press was reported
  bool refused = false;              // the last grab failed
  uint64_t table_generation = 0;     // the table taken_down belongs to
};

KeyFilter::KeyFilter(InputBackend& backend, std::vector<UsbId> served)
    : backend_(backend),
      served_(std::move(served)),
      queue_fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK | EFD_SEMAPHORE)),
      reader_([this] { Run(); }) {}

KeyFilter::~KeyFilter() {
  stop_ = true;
  wake_.Signal();
  reader_.join();
  if (queue_fd_ >= 0) close(queue_fd_);
}

bool KeyFilter::Control(uint32_t code, std::span<const uint8_t> input, std::span<uint8_t> output) {
  switch (code) {
    case filter::kSetKeyTable: {
      const auto codes = filter::ParseKeyTable(input);
      if (!codes) return false;
      {
        std::lock_guard lock(mutex_);
        table_.reset();
        for (uint16_t key : *codes) table_.set(key);
        table_has_keys_ = !codes->empty();
        ++table_generation_;
        // A new table takes effect with kArm; an empty one gives the keyboards
        // back at once.
        armed_ = false;
      }
      RequestSync();
      return true;
    }
    case filter::kDiscardEvents: {
      std::lock_guard lock(mutex_);
      queue_.clear();
      uint64_t count = 0;
      while (read(queue_fd_, &count, sizeof count) > 0) {
      }
      return true;
    }
    case filter::kArm: {
      {
        std::lock_guard lock(mutex_);
        armed_ = table_has_keys_;
      }
      RequestSync();
      return true;
    }
    case filter::kWaitKeyEvent:
      if (output.size() < filter::kEventSize) return false;
      return WaitKeyEvent(output);
    default:
      return false;
  }
}

void KeyFilter::CancelWaits() {
  cancel_.Signal();
}

void KeyFilter::ResetCancel() {
  cancel_.Reset();
}

void KeyFilter::SetStrokeHandler(StrokeHandler handler) {
  {
    std::lock_guard lock(mutex_);
    stroke_handler_ = std::move(handler);
  }
  RequestSync();
}

int KeyFilter::GrabbedNodes() const {
  std::lock_guard lock(mutex_);
  return grabbed_nodes_;
}

bool KeyFilter::WaitKeyEvent(std::span<uint8_t> output) {
  std::vector<bool> ready;
  const int fds[] = {queue_fd_};
  for (;;) {
    if (cancel_.Wait(fds, milliseconds(-1), ready) != CancelEvent::Result::kReady) return false;
    uint64_t count = 0;
    if (read(queue_fd_, &count, sizeof count) <= 0) continue;
    std::lock_guard lock(mutex_);
    // Empty when kDiscardEvents ran between the count and the lock.
    if (queue_.empty()) continue;
    const auto bytes = filter::EncodeKeyEvent(queue_.front());
    queue_.pop_front();
    std::copy(bytes.begin(), bytes.end(), output.begin());
    return true;
  }
}

void KeyFilter::RequestSync() {
  std::unique_lock lock(mutex_);
  const uint64_t wanted = ++sync_requested_;
  wake_.Signal();
  synced_cv_.wait_for(lock, kSyncTimeout, [&] { return sync_done_ >= wanted; });
}

bool KeyFilter::Active() const {
  return stroke_handler_ != nullptr || (armed_ && table_has_keys_);
}

void KeyFilter::Run() {
  std::vector<int> fds;
  std::vector<bool> ready;
  bool rescan = true;
  uint64_t handled = 0;
  while (!stop_) {
    uint64_t requested = 0;
    {
      std::lock_guard lock(mutex_);
      requested = sync_requested_;
    }
    // The keyboards are looked for on a change of what is wanted, after one
    // was unplugged and every second while one is missing; never per event.
    SyncNodes(rescan || requested != handled);
    handled = requested;
    {
      std::lock_guard lock(mutex_);
      sync_done_ = requested;
      grabbed_nodes_ = static_cast<int>(std::count_if(
          held_.begin(), held_.end(), [](const auto& h) { return h->clone != nullptr; }));
    }
    synced_cv_.notify_all();

    fds.clear();
    bool keys_down = false;
    bool missing = false;
    {
      std::lock_guard lock(mutex_);
      missing = Active() &&
                (held_.empty() ||
                 std::any_of(held_.begin(), held_.end(), [](const auto& h) { return h->refused; }));
    }
    for (const auto& held : held_) {
      fds.push_back(held->node->PollFd());
      if (!held->clone && !held->refused) keys_down = true;
    }
    const milliseconds timeout = keys_down ? kKeysDownRetry
                                 : missing ? kRescanPeriod
                                           : milliseconds(-1);
    const auto result = wake_.Wait(fds, timeout, ready);
    rescan = missing && (NowMs() - last_scan_ms_ >= kRescanPeriod.count());
    if (result != CancelEvent::Result::kReady) continue;
    for (size_t i = 0; i < held_.size(); ++i) {
      if (!ready[i]) continue;
      bool gone = false;
      ReadNode(*held_[i], gone);
      if (gone) {
        ReleaseTakenKeys(*held_[i]);
        held_[i].reset();
        rescan = true;
      }
    }
    std::erase(held_, nullptr);
  }
  // Stopping: give everything back.
  held_.clear();
}

void KeyFilter::SyncNodes(bool rescan) {
  bool active = false;
  {
    std::lock_guard lock(mutex_);
    active = Active();
  }
  if (!active) {
    // Table keys still down were released by whoever emptied the table.
    held_.clear();
    return;
  }
  if (rescan) {
    last_scan_ms_ = NowMs();
    for (const std::string& path : backend_.FindKeyboardNodes(served_)) {
      const bool known = std::any_of(held_.begin(), held_.end(),
                                     [&](const auto& held) { return held->path == path; });
      if (known) continue;
      std::unique_ptr<EventNode> node = backend_.OpenNode(path);
      if (!node) continue;
      auto held = std::make_unique<Held>();
      held->path = path;
      held->node = std::move(node);
      held_.push_back(std::move(held));
    }
  }
  for (const auto& held : held_) {
    if (held->clone) continue;
    if (held->refused && !rescan) continue;
    if (held->node->AnyKeyDown()) {
      held->refused = false;
      continue;
    }
    // The clone first: a grab without somewhere to pass keys to would swallow
    // the whole keyboard.
    std::unique_ptr<EventSink> clone = held->node->CreateClone();
    held->refused = !clone || !held->node->Grab();
    if (!held->refused) held->clone = std::move(clone);
  }
}

void KeyFilter::ReadNode(Held& held, bool& gone) {
  if (held.node->Read(held.pending) == EventNode::ReadStatus::kGone) {
    gone = true;
    return;
  }
  if (!held.clone) {
    // Not grabbed: the system gets these events itself; reading them only
    // keeps the node's key state current.
    held.pending.clear();
    return;
  }
  StrokeHandler handler;
  std::bitset<65536> table;
  uint64_t generation = 0;
  {
    std::lock_guard lock(mutex_);
    handler = stroke_handler_;
    table = table_;
    generation = table_generation_;
  }
  if (held.table_generation != generation) {
    // A new table starts with every virtual key released.
    held.taken_down.clear();
    held.table_generation = generation;
  }
  auto takes = [&](uint16_t linux_code) {
    if (handler) return true;
    const auto key = VirtualKeyFromLinux(linux_code);
    return key && table.test(key->vk);
  };
  std::vector<InputEvent> pass;
  std::vector<InputEvent> taken;
  ForEachFrame(held.pending, [&](std::span<const InputEvent> frame) {
    pass.clear();
    taken.clear();
    SplitFrame(frame, takes, pass, taken);
    if (!pass.empty()) held.clone->Write(pass);
    for (const InputEvent& event : taken) TakeKey(held, event, handler);
  });
}

void KeyFilter::TakeKey(Held& held, const InputEvent& event, const StrokeHandler& handler) {
  const auto key = VirtualKeyFromLinux(event.code);
  if (key && event.value == 0 && held.taken_down.erase(static_cast<uint16_t>(key->vk)) > 0) {
    // A table key pressed before recording started: its release belongs to
    // the press the monitor played.
    Queue({static_cast<uint16_t>(key->vk), false});
    return;
  }
  if (handler) {
    handler({event.code, key.value_or(VirtualKey{}), event.value, event.time_us});
    return;
  }
  if (!key) return;
  const auto code = static_cast<uint16_t>(key->vk);
  // Auto-repeat of a table key is dropped: what the key stands for repeats on
  // its own (the virtual keyboard) or runs once per press.
  if (event.value == 1 && held.taken_down.insert(code).second) Queue({code, true});
}

void KeyFilter::ReleaseTakenKeys(Held& held) {
  // An unplugged keyboard sends no releases; without these the keys it held
  // would stay down on the virtual device.
  for (uint16_t code : held.taken_down) Queue({code, false});
  held.taken_down.clear();
}

void KeyFilter::Queue(filter::KeyEvent event) {
  std::lock_guard lock(mutex_);
  queue_.push_back(event);
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = write(queue_fd_, &one, sizeof one);
}

}  // namespace platform
