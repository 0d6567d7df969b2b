#pragma once
// The light engines' reports on the keyboard link: the music level report and
// the colour stream of the keyboard that is served now.
#include "app/lights/KeyColorStreamSink.h"
#include "app/lights/LightPageState.h"
#include "app/lights/MusicLevelSink.h"
#include "app/link/KeyboardCommands.h"

namespace tessaro {

class KeyboardLightSinks final : public MusicLevelSink, public KeyColorStreamSink {
 public:
  KeyboardLightSinks(KeyboardCommands& commands, const LightPageState& state)
      : commands_(commands), state_(state) {}

  bool SendMusicLevel(int source_option, int colour_index, int level) override {
    return commands_.SendMusicLevel(source_option, colour_index, level);
  }
  bool StreamFrame(std::span<const PositionColor> colors) override {
    return commands_.StreamFrame(state_.device_type, state_.connection_mode, colors);
  }

 private:
  KeyboardCommands& commands_;
  const LightPageState& state_;
};

}  // namespace tessaro
