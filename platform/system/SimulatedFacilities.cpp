#include "platform/system/SimulatedFacilities.h"

namespace platform {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

bool SimulatesFacility(const std::optional<std::string>& setting, std::string_view facility) {
  if (!setting) return false;
  std::string_view rest = *setting;
  while (true) {
    const size_t comma = rest.find(',');
    const std::string_view name = Trim(rest.substr(0, comma));
    if (name == "1" || name == "all" || name == facility) return true;
    if (comma == std::string_view::npos) return false;
    rest.remove_prefix(comma + 1);
  }
}

}  // namespace platform
