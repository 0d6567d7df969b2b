#include "app/macros/FilterMonitor.h"

#include <algorithm>
#include <array>

#include "platform/input/FilterProtocol.h"

namespace tessaro {

namespace filter = platform::filter;

FilterMonitor::~FilterMonitor() {
  std::lock_guard lock(control_mutex_);
  StopLocked();
  ClearKeyTable();
}

bool FilterMonitor::FilterControl(uint32_t code, std::span<const uint8_t> input,
                                  std::span<uint8_t> output) {
  return filter_.Control(code, input, output);
}

bool FilterMonitor::ClearKeyTable() {
  const std::array<uint8_t, filter::kClearSize> zeros{};
  return FilterControl(filter::kSetKeyTable, zeros, {});
}

void FilterMonitor::AddProxy(FilterEventHandler& handler) {
  std::lock_guard lock(proxy_mutex_);
  if (std::find(proxies_.begin(), proxies_.end(), &handler) == proxies_.end()) {
    proxies_.push_back(&handler);
  }
}

int FilterMonitor::ProxyCount() const {
  std::lock_guard lock(proxy_mutex_);
  return static_cast<int>(proxies_.size());
}

int FilterMonitor::RebuildKeyTable(ConfigStore& store, KeyAssignmentPlayer& player) {
  std::lock_guard lock(control_mutex_);
  // Released once the monitor has stopped: a key played while the monitor was
  // still running would otherwise stay down, since its release belongs to the
  // table being replaced.
  StopLocked();
  device_.ReleaseAll();
  ClearKeyTable();
  player.SetAssignments({});

  std::vector<KeyAssignment> rows;
  store.LoadKeyAssignments(store.GetActiveProfile(), 0, rows);
  if (rows.empty()) return 0;
  if (rows.size() > filter::kMaxEntries) rows.resize(filter::kMaxEntries);
  std::vector<int32_t> codes;
  codes.reserve(rows.size());
  for (const KeyAssignment& row : rows) codes.push_back(row.key_code);
  player.SetAssignments(rows);
  const auto table = filter::BuildKeyTable(codes);
  FilterControl(filter::kSetKeyTable, table, {});
  StopLocked();
  FilterControl(filter::kDiscardEvents, {}, {});
  FilterControl(filter::kArm, {}, {});
  StartLocked();
  return static_cast<int>(rows.size());
}

void FilterMonitor::StartMonitor() {
  std::lock_guard lock(control_mutex_);
  StartLocked();
}

void FilterMonitor::StopMonitor() {
  std::lock_guard lock(control_mutex_);
  StopLocked();
}

bool FilterMonitor::MonitorRunning() const {
  return thread_.joinable() && !stop_;
}

void FilterMonitor::Shutdown() {
  std::lock_guard lock(control_mutex_);
  StopLocked();
  device_.ReleaseAll();
  ClearKeyTable();
}

void FilterMonitor::StartLocked() {
  if (thread_.joinable()) return;
  stop_ = false;
  // A cancel left from the last stop must not end the first wait.
  filter_.ResetCancel();
  thread_ = std::thread([this] { Loop(); });
}

void FilterMonitor::StopLocked() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(pause_mutex_);
    stop_ = true;
  }
  pause_cv_.notify_all();
  filter_.CancelWaits();
  if (thread_.get_id() == std::this_thread::get_id()) {
    // A handler asked for it: the loop ends after the handler returns, and
    // the thread cannot wait for itself.
    thread_.detach();
    return;
  }
  thread_.join();
  filter_.ResetCancel();
}

void FilterMonitor::Loop() {
  std::array<uint8_t, filter::kEventSize> bytes{};
  while (!stop_) {
    if (ProxyCount() == 0 || !filter_.Control(filter::kWaitKeyEvent, {}, bytes)) {
      PauseUnlessStopping();
      continue;
    }
    if (stop_) break;
    const filter::KeyEvent event = filter::DecodeKeyEvent(bytes);
    std::lock_guard lock(proxy_mutex_);
    for (FilterEventHandler* handler : proxies_) {
      if (handler->OnFilterEvent(event.key_code, event.press)) break;
    }
  }
}

void FilterMonitor::PauseUnlessStopping() {
  std::unique_lock lock(pause_mutex_);
  pause_cv_.wait_for(lock, kRetryPause, [&] { return stop_.load(); });
}

}  // namespace tessaro
