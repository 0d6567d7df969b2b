#pragma once
// Where a key press hands its long work: macro ids go to the device worker's
// filter event queue (the worker plays one per tick), software functions are
// posted to the UI thread as message 1092 by the given poster, so nothing
// long or window-bound runs on the filter monitor thread.
#include <functional>

#include "app/macros/PlaybackHandoff.h"
#include "app/shell/DeviceWorker.h"

namespace tessaro {

class WorkerPlaybackHandoff final : public PlaybackHandoff {
 public:
  // Posts (never sends) a message with two parameters to the main window.
  using PostMessage = std::function<void(int message, int first, int second)>;

  WorkerPlaybackHandoff(DeviceWorker& worker, PostMessage post)
      : worker_(worker), post_(std::move(post)) {}

  void QueueMacro(int macro_id) override { worker_.QueueFilterEvent(macro_id); }
  void PostSoftwareFunction(int other_data_id) override {
    if (post_) post_(kRunSoftwareFunctionMessage, 0, other_data_id);
  }

 private:
  DeviceWorker& worker_;
  PostMessage post_;
};

}  // namespace tessaro
