#include "SkinManifest.h"

#include <fstream>
#include <sstream>

namespace skin {

bool SkinManifest::Load(const std::string& path, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot read " + path;
    return false;
  }
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream fields(line);
    SkinEntry entry;
    if (!(fields >> entry.output)) continue;
    if (!(fields >> entry.frames >> entry.width >> entry.height >> entry.source) ||
        entry.frames < 1 || entry.width < 1 || entry.height < 1) {
      error = path + ":" + std::to_string(number) + ": malformed entry";
      return false;
    }
    entries_.push_back(entry);
  }
  return true;
}

}  // namespace skin
