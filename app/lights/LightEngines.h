#pragma once
// The light engines of the main window, put together: the level capture (all
// keyboards), the music picture and the screen grid with the key colour
// refresh (first-generation keyboards), and their reports on the keyboard
// link. The main window calls, in this order over a run:
//
//   StartLevelCapture()           initialisation (UI thread)
//   StartVisualizer()             task DetectAtStart (device worker)
//   LoadLayout() / LoadMusicLayer()  task ReloadFromDevice (device worker)
//   ShowMode(), SetMusicParameters(), SetRefreshPeriod()  light page (UI thread)
//   IdleTick()                    every idle tick (device worker)
//   Stop()                        window destroy
#include <memory>

#include "app/lights/KeyColorRefresh.h"
#include "app/lights/KeyboardLightSinks.h"
#include "app/lights/LevelCapture.h"
#include "app/lights/LightKeyLayout.h"
#include "app/lights/LightPageState.h"
#include "app/lights/ScreenGrid.h"
#include "app/lights/ScreenLight.h"
#include "app/lights/Visualizer.h"
#include "platform/audio/LoopbackCapture.h"
#include "platform/screen/ScreenCapture.h"

namespace tessaro {

class LightEngines {
 public:
  struct Facilities {
    std::unique_ptr<platform::LoopbackCapture> level_audio;  // 16-bit
    std::unique_ptr<platform::LoopbackCapture> music_audio;  // float
    std::unique_ptr<platform::ScreenCapture> screen;
  };

  LightEngines(Facilities facilities, KeyboardCommands& commands, KeyPictureTarget& picture,
               platform::Clock& clock);
  ~LightEngines();
  LightEngines(const LightEngines&) = delete;
  LightEngines& operator=(const LightEngines&) = delete;

  void StartLevelCapture() { level_.Start(); }
  void StartVisualizer() { music_.Start(); }

  // The loaded layout: its device type and connection mode, its key matrix.
  void LoadLayout(const LightKeyLayout& layout, int device_type, int connection_mode);
  void LoadMusicLayer(const MusicPatterns& patterns) { music_.LoadLayer(patterns); }

  // What the light page shows: whether it is the current page and the
  // config_func of its light mode. Switches the engines on and off.
  void ShowMode(bool page_shown, int config_func);
  // Music source option, gain (slider position / 50) and colour index.
  void SetMusicParameters(int source_option, float gain, int colour_index);
  void SetMusicPatterns(const MusicPatterns& patterns) { music_.SetPatterns(patterns); }
  void SetRefreshPeriod(int milliseconds) { level_.SetPeriod(milliseconds); }

  bool IdleTick() { return refresh_.OnIdleTick(); }
  void Stop();

  const LightPageState& State() const { return state_; }

 private:
  void UpdateEnabled();

  Facilities facilities_;
  LightPageState state_;
  ScreenGrid grid_;
  KeyboardLightSinks sinks_;
  LevelCapture level_;
  Visualizer music_;
  ScreenLight screen_;
  KeyColorRefresh refresh_;
};

}  // namespace tessaro
