// The list of skin images: where each lands, how it is drawn and the strip
// layout the toolkit expects of it. Shared by the build (which renders every
// entry) and the check that runs after it.
#pragma once

#include <string>
#include <vector>

namespace skin {

struct SkinEntry {
  std::string output;  // path below the skin folder, '/' separated
  int frames = 1;      // horizontal strip of this many equal frames
  int width = 0;       // whole image
  int height = 0;
  std::string source;  // svg/<file>, <recipe>:<glyph>, gif:<template>:<frames>, wheel
};

class SkinManifest {
 public:
  // Reads "output frames width height source" lines; '#' starts a comment.
  // Returns false and names the line in `error` when a line is malformed.
  bool Load(const std::string& path, std::string& error);
  const std::vector<SkinEntry>& Entries() const { return entries_; }

 private:
  std::vector<SkinEntry> entries_;
};

}  // namespace skin
