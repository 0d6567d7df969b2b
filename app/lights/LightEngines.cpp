#include "app/lights/LightEngines.h"

namespace tessaro {

LightEngines::LightEngines(Facilities facilities, KeyboardCommands& commands,
                           KeyPictureTarget& picture, platform::Clock& clock)
    : facilities_(std::move(facilities)),
      sinks_(commands, state_),
      level_(*facilities_.level_audio, clock, state_, sinks_, &picture),
      music_(*facilities_.music_audio, clock),
      screen_(*facilities_.screen, clock, grid_),
      refresh_(state_, music_, grid_, picture, sinks_) {}

LightEngines::~LightEngines() {
  Stop();
}

void LightEngines::LoadLayout(const LightKeyLayout& layout, int device_type, int connection_mode) {
  state_.device_type = device_type;
  state_.connection_mode = connection_mode;
  refresh_.SetLayout(layout);
  screen_.SetUp(layout.columns, layout.rows);
  UpdateEnabled();
}

void LightEngines::ShowMode(bool page_shown, int config_func) {
  state_.page_shown = page_shown;
  state_.config_func = config_func;
  UpdateEnabled();
}

void LightEngines::SetMusicParameters(int source_option, float gain, int colour_index) {
  state_.music_source = source_option;
  state_.music_gain = gain;
  state_.music_colour = colour_index;
}

// The picture and the grid feed only the streamed colours of first-generation
// keyboards; for the others their threads stay idle.
void LightEngines::UpdateEnabled() {
  const bool streams = state_.StreamsColours();
  music_.SetEnabled(streams && state_.ModeShown(LightPageState::kMusicRhythm));
  screen_.SetEnabled(streams && state_.ModeShown(LightPageState::kScreenSync));
}

void LightEngines::Stop() {
  level_.Stop();
  music_.Stop();
  screen_.Stop();
}

}  // namespace tessaro
