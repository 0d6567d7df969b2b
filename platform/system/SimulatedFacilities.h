#pragma once
// Which platform facilities run on fakes: TESSARO_SIMULATE is "1" or "all" for
// every one, or a comma-separated list of names ("keyboard", "input", "audio",
// "screen", "tray", "net"); unset or empty fakes none.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

bool SimulatesFacility(const std::optional<std::string>& setting, std::string_view facility);

}  // namespace platform
