#pragma once
// Test support: recording fakes of the keyboard picture and the report sinks.
#include <map>
#include <mutex>
#include <vector>

#include "app/lights/KeyColorStreamSink.h"
#include "app/lights/KeyPictureTarget.h"
#include "app/lights/MusicLevelSink.h"

namespace tessaro::test {

struct MusicLevelCall {
  int source = 0;
  int colour = 0;
  int level = 0;
  bool operator==(const MusicLevelCall&) const = default;
};

class RecordingLevelSink final : public MusicLevelSink {
 public:
  bool SendMusicLevel(int source_option, int colour_index, int level) override {
    std::lock_guard lock(mutex_);
    calls_.push_back({source_option, colour_index, level});
    return true;
  }
  std::vector<MusicLevelCall> Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<MusicLevelCall> calls_;
};

class FakeKeyPicture final : public KeyPictureTarget {
 public:
  std::map<uint32_t, uint32_t> colors;  // key code -> colour
  int resets = 0;
  int repaints = 0;

  void ResetAllItemsColor(uint32_t color) override {
    ++resets;
    for (auto& [code, c] : colors) c = color;
  }
  void SetKeyColor(uint32_t key_code, uint32_t color) override { colors[key_code] = color; }
  void Repaint() override { ++repaints; }
  std::vector<KeyColorItem> KeyColors() const override {
    std::vector<KeyColorItem> items;
    for (const auto& [code, c] : colors) items.push_back({code, c});
    return items;
  }
};

class RecordingStreamSink final : public KeyColorStreamSink {
 public:
  std::vector<std::vector<PositionColor>> frames;
  bool StreamFrame(std::span<const PositionColor> colors) override {
    frames.emplace_back(colors.begin(), colors.end());
    return true;
  }
};

}  // namespace tessaro::test
