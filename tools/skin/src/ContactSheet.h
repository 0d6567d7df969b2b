// One picture of every skin image, for reviewing the skin at a glance: each
// image at its size on the window colour, small strips also enlarged, GIF
// animations as a row of their frames.
#pragma once

#include <string>

#include "SkinManifest.h"

namespace skin {

class ContactSheet {
 public:
  static bool Write(const SkinManifest& manifest, const std::string& skin_folder,
                    const std::string& path, std::string& error);
};

}  // namespace skin
