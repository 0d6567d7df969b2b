#include "platform/input/XInputKeySource.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "platform/screen/TestXServer.h"

namespace platform {
namespace {

// X key codes under the evdev keymap: KEY_* + 8.
constexpr uint32_t kXKeyA = 30 + 8;
constexpr uint32_t kXKeyB = 48 + 8;
constexpr uint32_t kXKeypadEnter = 96 + 8;
constexpr uint32_t kXRightCtrl = 97 + 8;
constexpr uint32_t kXRightArrow = 106 + 8;

TEST(StrokeFromXKeycode, TakesTheEvdevOffsetAndTheServerTime) {
  EXPECT_FALSE(StrokeFromXKeycode(7, 1, 10).has_value());
  const auto a = StrokeFromXKeycode(kXKeyA, 1, 1234);
  ASSERT_TRUE(a.has_value());
  EXPECT_EQ(*a, (KeyStroke{30, {'A', 0x1E, false}, 1, 1'234'000}));
  // A key the program has no code for still comes through, with vk 0, as
  // from the filter.
  const auto unknown = StrokeFromXKeycode(0x2FF + 8, 0, 0);
  ASSERT_TRUE(unknown.has_value());
  EXPECT_EQ(unknown->key.vk, 0u);
}

class Strokes {
 public:
  StrokeSource::StrokeHandler Handler() {
    return [this](const KeyStroke& stroke) {
      std::lock_guard lock(mutex_);
      strokes_.push_back(stroke);
      cv_.notify_all();
    };
  }
  std::vector<KeyStroke> WaitFor(size_t count) {
    std::unique_lock lock(mutex_);
    cv_.wait_for(lock, std::chrono::seconds(10), [&] { return strokes_.size() >= count; });
    return strokes_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  std::vector<KeyStroke> strokes_;
};

class XInputKeySourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TestXServer::Available()) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_TRUE(server_.Start(320, 240));
  }

  void Tap(uint32_t keycode) {
    ASSERT_TRUE(server_.PressKey(keycode, true));
    ASSERT_TRUE(server_.PressKey(keycode, false));
  }

  TestXServer server_;
};

TEST_F(XInputKeySourceTest, InjectedKeysArriveAsKeystrokes) {
  auto source = XInputKeySource::Open(server_.Display(), {"vhidev"});
  ASSERT_NE(source, nullptr);
  EXPECT_FALSE(source->ConsumesKeys());
  Strokes strokes;
  source->SetStrokeHandler(strokes.Handler());
  for (uint32_t keycode : {kXKeyA, kXKeypadEnter, kXRightCtrl, kXRightArrow}) Tap(keycode);

  std::vector<KeyStroke> got = strokes.WaitFor(8);
  ASSERT_EQ(got.size(), 8u);
  for (size_t i = 1; i < got.size(); ++i) EXPECT_GE(got[i].time_us, got[i - 1].time_us);
  EXPECT_GT(got[0].time_us, 0);
  for (KeyStroke& stroke : got) stroke.time_us = 0;
  const VirtualKey a{'A', 0x1E, false};
  const VirtualKey pad_enter{108, 0x1C, true};
  const VirtualKey right_ctrl{163, 0x1D, true};
  const VirtualKey right{39, 0x4D, true};
  EXPECT_EQ(got, (std::vector<KeyStroke>{{30, a, 1, 0},
                                         {30, a, 0, 0},
                                         {96, pad_enter, 1, 0},
                                         {96, pad_enter, 0, 0},
                                         {97, right_ctrl, 1, 0},
                                         {97, right_ctrl, 0, 0},
                                         {106, right, 1, 0},
                                         {106, right, 0, 0}}));
}

TEST_F(XInputKeySourceTest, NothingArrivesWithoutAHandlerAndAHandlerCanComeBack) {
  auto source = XInputKeySource::Open(server_.Display(), {});
  ASSERT_NE(source, nullptr);
  Strokes first;
  source->SetStrokeHandler(first.Handler());
  Tap(kXKeyA);
  EXPECT_EQ(first.WaitFor(2).size(), 2u);
  source->SetStrokeHandler(nullptr);
  Tap(kXKeyA);  // nobody listens: dropped

  Strokes second;
  source->SetStrokeHandler(second.Handler());
  Tap(kXKeyB);
  const std::vector<KeyStroke> got = second.WaitFor(2);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].key.vk, static_cast<uint32_t>('B'));
  EXPECT_EQ(first.WaitFor(2).size(), 2u);
}

TEST(XInputKeySource, NoDisplayNoSource) {
  EXPECT_EQ(XInputKeySource::Open(":9999", {}), nullptr);
}

}  // namespace
}  // namespace platform
