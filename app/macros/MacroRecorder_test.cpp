#include "app/macros/MacroRecorder.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/macros/KeystrokeFeed.h"
#include "platform/input/FakeFilterDevice.h"
#include "platform/input/FakeStrokeSource.h"
#include "platform/input/KeyCodeTable.h"

namespace tessaro {
namespace {

struct Row {
  std::string name;
  int32_t type = 0;
  uint32_t value = 0;
  int32_t delay = 0;

  bool operator==(const Row&) const = default;
};

class StepList final : public RecordedSteps {
 public:
  void AddStep(const std::string& name, int32_t type, uint32_t value, int32_t delay) override {
    rows.push_back({name, type, value, delay});
  }
  void UpdateLastDelay(int32_t delay) override {
    if (!rows.empty()) rows.back().delay = delay;
  }
  std::vector<Row> rows;
};

constexpr uint16_t kMouseLeft = 0x110;  // a button, which has no key code

uint16_t Linux(uint32_t vk) {
  return platform::LinuxKeyFromVirtual(vk).value_or(0);
}

// A keystroke as the filter hands it over.
KeyInput Stroke(uint16_t linux_code, int32_t value) {
  platform::KeyStroke stroke;
  stroke.linux_code = linux_code;
  stroke.key = platform::VirtualKeyFromLinux(linux_code).value_or(platform::VirtualKey{});
  stroke.value = value;
  return KeyInputFromStroke(stroke);
}

class MacroRecorderTest : public ::testing::Test {
 protected:
  // A held for a second with 3 repeats, then B 40 s later.
  void Record(MacroRecorder::DelayType type, int32_t fixed) {
    ASSERT_TRUE(recorder_.StartRecording(1, type, fixed));
    recorder_.OnKeystroke(Stroke(Linux('A'), 1), 1000);
    for (int64_t t : {1500, 1530, 1560}) recorder_.OnKeystroke(Stroke(Linux('A'), 2), t);
    recorder_.OnKeystroke(Stroke(Linux('A'), 0), 2000);
    recorder_.OnKeystroke(Stroke(Linux('B'), 1), 42000);
    recorder_.OnKeystroke(Stroke(Linux('B'), 0), 42020);
    recorder_.StopRecording();
  }

  StepList steps_;
  MacroRecorder recorder_{steps_};
};

TEST_F(MacroRecorderTest, EachDelayTypeGivesItsDelays) {
  struct Case {
    MacroRecorder::DelayType type;
    int32_t fixed;
    std::vector<int32_t> delays;
  };
  const Case cases[] = {
      // Measured: the press keeps the time until the release, a gap over 31 s
      // is capped, the last step keeps 0.
      {MacroRecorder::DelayType::kMeasured, 50, {1000, 31000, 20, 0}},
      {MacroRecorder::DelayType::kNone, 50, {0, 0, 0, 0}},
      {MacroRecorder::DelayType::kFixed, 50, {50, 50, 50, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.type));
    steps_.rows.clear();
    Record(c.type, c.fixed);
    ASSERT_EQ(steps_.rows.size(), 4u);
    EXPECT_EQ(steps_.rows[0], (Row{"A", 2, 'A', c.delays[0]}));
    EXPECT_EQ(steps_.rows[1], (Row{"A", 3, 'A', c.delays[1]}));
    EXPECT_EQ(steps_.rows[2], (Row{"B", 2, 'B', c.delays[2]}));
    EXPECT_EQ(steps_.rows[3], (Row{"B", 3, 'B', c.delays[3]}));
  }
}

TEST_F(MacroRecorderTest, TimeGoingBackwardsCountsAsTheCap) {
  ASSERT_TRUE(recorder_.StartRecording(1, MacroRecorder::DelayType::kMeasured, 0));
  recorder_.OnKeystroke(Stroke(Linux('A'), 1), 5000);
  recorder_.OnKeystroke(Stroke(Linux('A'), 0), 4000);
  EXPECT_EQ(steps_.rows[0].delay, 31000);
}

TEST_F(MacroRecorderTest, KeysAreNormalisedAndNamed) {
  struct Case {
    uint16_t linux_code;
    Row press;
  };
  const Case cases[] = {
      {Linux(103), {"Num 7", 2, 103, 0}}, {Linux(108), {"Num Enter", 2, 108, 0}},
      {Linux(13), {"Enter", 2, 13, 0}},   {Linux(39), {"Right", 2, 39, 0}},
      {Linux(160), {"Shift", 2, 160, 0}}, {Linux(161), {"RShift", 2, 161, 0}},
      {Linux(163), {"RCtrl", 2, 163, 0}},
  };
  ASSERT_TRUE(recorder_.StartRecording(1, MacroRecorder::DelayType::kNone, 0));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.linux_code);
    steps_.rows.clear();
    recorder_.OnKeystroke(Stroke(c.linux_code, 1), 10);
    recorder_.OnKeystroke(Stroke(c.linux_code, 0), 20);
    ASSERT_EQ(steps_.rows.size(), 2u);
    EXPECT_EQ(steps_.rows[0].name, c.press.name);
    EXPECT_EQ(steps_.rows[0].type, c.press.type);
    EXPECT_EQ(steps_.rows[0].value, c.press.value);
    EXPECT_EQ(steps_.rows[1].type, 3);
  }
}

TEST_F(MacroRecorderTest, AKeyHeldAcrossRecordingsIsIgnoredUntilReleased) {
  ASSERT_TRUE(recorder_.StartRecording(1, MacroRecorder::DelayType::kNone, 0));
  recorder_.OnKeystroke(Stroke(Linux('A'), 1), 10);
  recorder_.StopRecording();
  steps_.rows.clear();
  ASSERT_TRUE(recorder_.StartRecording(1, MacroRecorder::DelayType::kNone, 0));
  recorder_.OnKeystroke(Stroke(Linux('A'), 1), 20);
  EXPECT_TRUE(steps_.rows.empty());
  recorder_.OnKeystroke(Stroke(Linux('A'), 0), 30);
  recorder_.OnKeystroke(Stroke(Linux('A'), 1), 40);
  EXPECT_EQ(steps_.rows.size(), 2u);
}

TEST_F(MacroRecorderTest, NoRecordingWithoutAMacroOrOutsideRecording) {
  EXPECT_FALSE(recorder_.StartRecording(0, MacroRecorder::DelayType::kNone, 0));
  EXPECT_FALSE(recorder_.StartRecording(-3, MacroRecorder::DelayType::kNone, 0));
  recorder_.OnKeystroke(Stroke(Linux('A'), 1), 10);
  // Keys without a code record nothing.
  ASSERT_TRUE(recorder_.StartRecording(1, MacroRecorder::DelayType::kNone, 0));
  recorder_.OnKeystroke(Stroke(kMouseLeft, 1), 10);
  EXPECT_TRUE(steps_.rows.empty());
}

TEST_F(MacroRecorderTest, KeyCaptureNamesThePressedKey) {
  std::vector<std::string> shown;
  recorder_.StartKeyCapture([&](const std::string& name) { shown.push_back(name); });
  for (uint16_t code : {Linux(162), Linux(163), Linux(116)}) {
    platform::KeyStroke stroke;
    stroke.key = *platform::VirtualKeyFromLinux(code);
    stroke.value = 1;
    recorder_.OnRawInput(RawInputFromStroke(stroke));
  }
  recorder_.StopKeyCapture();
  recorder_.OnRawInput(RawInputFromStroke({Linux('A'), {'A', 0x1E, false}, 1, 0}));
  EXPECT_EQ(shown, (std::vector<std::string>{"Ctrl", "Ctrl", "F5"}));
}

TEST(KeystrokeFeed, TheFiltersKeystrokesReachTheRecorderOnTheUiThread) {
  StepList steps;
  MacroRecorder recorder(steps);
  platform::FakeFilterDevice filter;
  platform::StrokeSources sources(
      filter, [] { return true; }, [] { return nullptr; });
  std::vector<std::function<void()>> ui_queue;
  KeystrokeFeed feed(sources, recorder,
                     [&](std::function<void()> task) { ui_queue.push_back(std::move(task)); });
  const platform::VirtualKey a{'A', 0x1E, false};

  ASSERT_TRUE(recorder.StartRecording(3, MacroRecorder::DelayType::kMeasured, 0));
  ASSERT_TRUE(feed.FeedRecording());
  EXPECT_EQ(recorder.Source(), MacroRecorder::KeySource::kConsumed);
  EXPECT_FALSE(recorder.IgnoresWindowKeys());
  filter.Stroke({Linux('A'), a, 1, 1'000'000});
  filter.Stroke({Linux('A'), a, 0, 1'250'000});
  EXPECT_TRUE(steps.rows.empty());  // nothing runs off the UI thread
  for (auto& task : ui_queue) task();
  ui_queue.clear();
  EXPECT_EQ(steps.rows, (std::vector<Row>{{"A", 2, 'A', 250}, {"A", 3, 'A', 0}}));

  std::vector<std::string> shown;
  recorder.StopRecording();
  recorder.StartKeyCapture([&](const std::string& name) { shown.push_back(name); });
  ASSERT_TRUE(feed.FeedKeyCapture());
  filter.Stroke({Linux(165), {165, 0x38, true}, 1, 0});
  filter.Stroke({Linux(165), {165, 0x38, true}, 0, 0});
  for (auto& task : ui_queue) task();
  EXPECT_EQ(shown, std::vector<std::string>{"Alt"});

  feed.Stop();
  EXPECT_FALSE(filter.Stroke({Linux('A'), a, 1, 0}));
}

// Without access to the keyboard's nodes the keys come from the X server,
// shared with the focused window; without a display there is nothing.
TEST(KeystrokeFeed, FallsBackToASharedSourceAndSaysWhenThereIsNone) {
  StepList steps;
  MacroRecorder recorder(steps);
  platform::FakeFilterDevice filter;
  auto owned = std::make_unique<platform::FakeStrokeSource>();
  platform::FakeStrokeSource* x_keys = owned.get();
  platform::StrokeSources sources(
      filter, [] { return false; },
      [&]() -> std::unique_ptr<platform::StrokeSource> { return std::move(owned); });
  std::vector<std::function<void()>> ui_queue;
  KeystrokeFeed feed(sources, recorder,
                     [&](std::function<void()> task) { ui_queue.push_back(std::move(task)); });

  ASSERT_TRUE(recorder.StartRecording(3, MacroRecorder::DelayType::kNone, 0));
  ASSERT_TRUE(feed.FeedRecording());
  EXPECT_EQ(recorder.Source(), MacroRecorder::KeySource::kShared);
  EXPECT_TRUE(recorder.IgnoresWindowKeys());
  EXPECT_FALSE(filter.Stroke({Linux('A'), {'A', 0x1E, false}, 1, 0}));
  EXPECT_TRUE(x_keys->Stroke({Linux('B'), {'B', 0x30, false}, 1, 5000}));
  for (auto& task : ui_queue) task();
  EXPECT_EQ(steps.rows, (std::vector<Row>{{"B", 2, 'B', 0}}));
  feed.Stop();
  EXPECT_FALSE(x_keys->HasHandler());
  recorder.StopRecording();
  EXPECT_FALSE(recorder.IgnoresWindowKeys());

  platform::FakeFilterDevice bare_filter;
  platform::StrokeSources no_sources(
      bare_filter, [] { return false; }, [] { return nullptr; });
  KeystrokeFeed no_feed(no_sources, recorder, [](std::function<void()>) {});
  EXPECT_FALSE(no_feed.FeedKeyCapture());
  EXPECT_EQ(recorder.Source(), MacroRecorder::KeySource::kNone);
}

}  // namespace
}  // namespace tessaro
