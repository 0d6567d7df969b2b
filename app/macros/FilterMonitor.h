#pragma once
// The program's side of the key filter: the key table built from the active
// profile's assignments, and the monitor thread that waits for the filter's
// key events and hands each to the registered handlers.
//
// Rebuilds come from the UI thread and from the device worker; they, and the
// monitor's start and stop, are serialised on one lock, so two rebuilds never
// interleave and the handlers' rows are never replaced while the monitor runs.
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "app/macros/FilterEventHandler.h"
#include "app/macros/KeyAssignmentPlayer.h"
#include "app/macros/VHidev.h"
#include "app/store/ConfigStore.h"
#include "platform/input/FilterDevice.h"
#include "platform/system/Clock.h"

namespace tessaro {

class FilterMonitor {
 public:
  // The pause after a failed event wait, or while no handler is registered.
  static constexpr platform::Milliseconds kRetryPause{10};

  FilterMonitor(platform::FilterDevice& filter, VHidev& device)
      : filter_(filter), device_(device) {}
  // Stops the monitor and clears the table.
  ~FilterMonitor();
  FilterMonitor(const FilterMonitor&) = delete;
  FilterMonitor& operator=(const FilterMonitor&) = delete;

  bool FilterControl(uint32_t code, std::span<const uint8_t> input, std::span<uint8_t> output);
  bool ClearKeyTable();

  // Registers a handler once; a second registration of the same one adds
  // nothing.
  void AddProxy(FilterEventHandler& handler);
  int ProxyCount() const;

  // Stops the monitor, releases the virtual device and clears the table, then
  // gives the filter (and the player's rows) the first 256 assignments of the
  // active profile's layer 0 and starts the monitor again when there are any.
  // Answers the number of keys in the table.
  int RebuildKeyTable(ConfigStore& store, KeyAssignmentPlayer& player);

  void StartMonitor();
  // Cancels the pending event wait and joins the thread. Must not be called
  // from a handler: software functions and profile switches are posted to the
  // UI thread for that reason.
  void StopMonitor();
  bool MonitorRunning() const;

  // Every way the program ends: stop the monitor, release the virtual device,
  // clear the table.
  void Shutdown();

 private:
  void StartLocked();
  void StopLocked();
  void Loop();
  void PauseUnlessStopping();

  platform::FilterDevice& filter_;
  VHidev& device_;

  std::mutex control_mutex_;  // rebuilds, start and stop
  mutable std::mutex proxy_mutex_;
  std::vector<FilterEventHandler*> proxies_;

  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::mutex pause_mutex_;
  std::condition_variable pause_cv_;
};

}  // namespace tessaro
