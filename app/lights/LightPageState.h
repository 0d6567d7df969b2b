#pragma once
// What the light engines need to know of the light page and the connected
// keyboard. The UI thread and the device worker write these plain shared
// values; the capture thread, the engines and the worker read them.
#include <atomic>

namespace tessaro {

struct LightPageState {
  // config_func bits of a light mode.
  static constexpr int kMusicRhythm = 0x200;
  static constexpr int kScreenSync = 0x400;
  // Device types of the two command sets: first generation below this one
  // streams computed colours, 201 to 299 make the music effect themselves.
  static constexpr int kStreamingTypesBelow = 200;
  static constexpr int kSecondGenerationFirst = 201;
  static constexpr int kSecondGenerationLast = 299;

  std::atomic<bool> page_shown{false};  // the light page is the current page
  std::atomic<int> config_func{0};      // of the current light mode
  std::atomic<int> device_type{0};
  std::atomic<int> connection_mode{0};
  // Music parameters of the light page.
  std::atomic<int> music_source{1};
  std::atomic<float> music_gain{1.0f};  // slider position / 50
  std::atomic<int> music_colour{0};     // 0 to 6

  bool ModeShown(int bit) const { return page_shown && (config_func & bit) != 0; }
  bool MusicModeShown() const { return ModeShown(kMusicRhythm); }
  bool MakesMusicEffectItself() const {
    const int type = device_type;
    return type >= kSecondGenerationFirst && type <= kSecondGenerationLast;
  }
  bool StreamsColours() const { return device_type < kStreamingTypesBelow; }
};

}  // namespace tessaro
