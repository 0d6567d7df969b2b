// Recording from the X server's raw key events, as when the keyboard's event
// nodes cannot be read: keys injected with XTest become macro steps.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "app/macros/KeystrokeFeed.h"
#include "app/macros/MacroRecorder.h"
#include "platform/input/FakeFilterDevice.h"
#include "platform/input/XInputKeySource.h"
#include "platform/screen/TestXServer.h"

namespace tessaro {
namespace {

class Steps final : public RecordedSteps {
 public:
  struct Row {
    std::string name;
    int32_t type = 0;
    uint32_t value = 0;
    int32_t delay = 0;

    bool operator==(const Row&) const = default;
  };
  void AddStep(const std::string& name, int32_t type, uint32_t value, int32_t) override {
    rows.push_back({name, type, value, 0});
  }
  void UpdateLastDelay(int32_t delay) override {
    if (!rows.empty()) rows.back().delay = delay;
  }

  std::vector<Row> rows;
};

// The UI thread's queue: keystrokes are posted from the source's thread.
class UiQueue {
 public:
  void Post(std::function<void()> task) {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
    cv_.notify_all();
  }
  // Runs tasks until count have run or a long while has passed.
  void Run(size_t count) {
    for (size_t done = 0; done < count; ++done) {
      std::unique_lock lock(mutex_);
      if (!cv_.wait_for(lock, std::chrono::seconds(10), [&] { return !tasks_.empty(); })) return;
      auto task = std::move(tasks_.front());
      tasks_.pop_front();
      lock.unlock();
      task();
    }
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  std::deque<std::function<void()>> tasks_;
};

TEST(XInputRecording, InjectedKeysBecomeStepsAndCaptureNamesThem) {
  if (!platform::TestXServer::Available()) GTEST_SKIP() << "Xvfb is not installed";
  platform::TestXServer server;
  ASSERT_TRUE(server.Start(320, 240));
  platform::FakeFilterDevice filter;
  platform::StrokeSources sources(
      filter, [] { return false; },  // the nodes cannot be read
      [&]() -> std::unique_ptr<platform::StrokeSource> {
        return platform::XInputKeySource::Open(server.Display(), {"vhidev"});
      });
  Steps steps;
  MacroRecorder recorder(steps);
  UiQueue ui;
  KeystrokeFeed feed(sources, recorder,
                     [&](std::function<void()> task) { ui.Post(std::move(task)); });

  // X key codes: KEY_* + 8.
  constexpr uint32_t kA = 38;
  constexpr uint32_t kPadEnter = 104;
  constexpr uint32_t kRightCtrl = 105;
  ASSERT_TRUE(recorder.StartRecording(7, MacroRecorder::DelayType::kFixed, 50));
  ASSERT_TRUE(feed.FeedRecording());
  EXPECT_EQ(recorder.Source(), MacroRecorder::KeySource::kShared);
  EXPECT_TRUE(recorder.IgnoresWindowKeys());
  ASSERT_TRUE(server.PressKey(kRightCtrl, true));
  ASSERT_TRUE(server.PressKey(kA, true));
  ASSERT_TRUE(server.PressKey(kA, false));
  ASSERT_TRUE(server.PressKey(kRightCtrl, false));
  ASSERT_TRUE(server.PressKey(kPadEnter, true));
  ASSERT_TRUE(server.PressKey(kPadEnter, false));
  ui.Run(6);
  feed.Stop();
  recorder.StopRecording();
  EXPECT_EQ(steps.rows, (std::vector<Steps::Row>{{"RCtrl", 2, 163, 50},
                                                 {"A", 2, 'A', 50},
                                                 {"A", 3, 'A', 50},
                                                 {"RCtrl", 3, 163, 50},
                                                 {"Num Enter", 2, 108, 50},
                                                 {"Num Enter", 3, 108, 0}}));

  std::vector<std::string> shown;
  recorder.StartKeyCapture([&](const std::string& name) { shown.push_back(name); });
  ASSERT_TRUE(feed.FeedKeyCapture());
  ASSERT_TRUE(server.PressKey(kRightCtrl, true));
  ASSERT_TRUE(server.PressKey(kRightCtrl, false));
  ui.Run(1);
  feed.Stop();
  recorder.StopKeyCapture();
  EXPECT_EQ(shown, std::vector<std::string>{"Ctrl"});
}

}  // namespace
}  // namespace tessaro
