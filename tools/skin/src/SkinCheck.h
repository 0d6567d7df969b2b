// Verifies a built skin folder against the manifest: every image present,
// readable, of the listed size, its width a whole number of frames, GIFs with
// their frame count, and keyboard pictures matching their layout file.
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
};

}  // namespace skin
