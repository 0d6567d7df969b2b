#include "app/link/KeyboardCommands.h"

#include <algorithm>

#include "app/link/CommandReports.h"

namespace tessaro {

CommandSet CommandSetOf(int device_type) {
  if (device_type <= 200) return CommandSet::kFirstGeneration;
  if (device_type <= 299) return CommandSet::kSecondGeneration;
  return CommandSet::kNone;
}

bool KeyboardCommands::WriteLightSetting(int device_type, int connection_mode,
                                         const LightParams& light, int slot) {
  switch (CommandSetOf(device_type)) {
    case CommandSet::kFirstGeneration:
      // The flag is set whether or not the write succeeds.
      if (!mode_selected_.exchange(true)) {
        return link_.WriteReport(command::FirstGenModeSelect(light.mode));
      }
      return link_.WriteReport(command::FirstGenParameters(light));
    case CommandSet::kSecondGeneration:
      if (connection_mode == 0) {
        return link_.SendFeature(command::SecondGenLightFeature(light, slot), true);
      }
      return link_.WritePayload(command::SecondGenLightPayload(light, slot));
    case CommandSet::kNone:
      break;
  }
  return false;
}

bool KeyboardCommands::WriteCustomColors(std::span<const PositionColor> colors) {
  const std::vector<OutputReport> reports = command::CustomColorReports(colors);
  return SendChunks(reports, false);
}

bool KeyboardCommands::ResetDevice(int device_type, int connection_mode) {
  switch (CommandSetOf(device_type)) {
    case CommandSet::kFirstGeneration: {
      const bool ok = link_.WriteReport(command::FirstGenReset());
      clock_.SleepFor(kAfterReset);
      return ok;
    }
    case CommandSet::kSecondGeneration: {
      if (connection_mode == 0) {
        const bool ok = link_.SendFeature(command::SecondGenResetFeature(), true);
        clock_.SleepFor(kAfterReset);
        return ok;
      }
      if (!link_.WritePayload(command::SecondGenResetFirstPayload())) return false;
      clock_.SleepFor(kResetGap);
      return link_.WritePayload(command::SecondGenResetSecondPayload());
    }
    case CommandSet::kNone:
      break;
  }
  return false;
}

bool KeyboardCommands::SendMusicLevel(int source_option, int colour_index, int level) {
  return link_.SendFeature(command::MusicLevel(source_option, colour_index, level), false);
}

bool KeyboardCommands::SendLightSlot(int device_type, const LightParams& light, int slot) {
  if (device_type >= kStreamingTypesBelow) return false;
  return link_.SendFeature(command::LightSlot(light, slot), true);
}

bool KeyboardCommands::StreamFrame(int device_type, int connection_mode,
                                   std::span<const PositionColor> colors) {
  if (device_type >= kStreamingTypesBelow || connection_mode != 0) return false;
  const bool lit =
      std::any_of(colors.begin(), colors.end(), [](const PositionColor& c) { return c.color > 1; });
  if (!lit) return false;
  // Enabled once per run; the flag is set even when the enable report failed.
  if (!stream_enabled_.exchange(true)) link_.WriteReport(command::StreamEnable());
  const std::vector<OutputReport> reports = command::StreamFrame(colors);
  return SendChunks(reports, true);
}

bool KeyboardCommands::SendChunks(std::span<const OutputReport> reports, bool stream) {
  for (const OutputReport& report : reports) {
    clock_.SleepFor(kChunkWait);
    const bool ok = stream ? link_.WriteStream(report) : link_.WriteReport(report);
    if (!ok) return false;
  }
  return true;
}

}  // namespace tessaro
