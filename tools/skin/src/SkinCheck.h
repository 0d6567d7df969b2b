// Verifies a built skin folder against the manifest: every image present,
// readable, of the listed size, its width a whole number of frames, GIFs with
// their frame count, and keyboard pictures matching their layout file. Also
// finds every image name the program's sources spell out and checks the skin
// has it, so code and skin cannot drift apart.
#pragma once

#include <string>
#include <vector>

#include "SkinManifest.h"

namespace skin {

class SkinCheck {
 public:
  // Returns the faults found; empty when the skin is complete.
  static std::vector<std::string> Run(const SkinManifest& manifest, const std::string& skin_folder,
                                      const std::string& layouts_folder);
  // Image names in string literals of the .cpp and .h files below the
  // folders (tests and fuzz targets left out) missing from the manifest.
  static std::vector<std::string> CheckSources(const SkinManifest& manifest,
                                               const std::vector<std::string>& source_folders);
};

}  // namespace skin
