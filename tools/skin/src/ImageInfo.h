// Size and frame count of a skin image file, and its frames as surfaces:
// PNG strips read as one picture, GIF animations frame by frame.
#pragma once

#include <string>
#include <vector>

#include "Png.h"

namespace skin {

struct ImageInfo {
  int width = 0;
  int height = 0;
  int frames = 0;                 // GIF frames; 1 for a PNG
  std::vector<Surface> pictures;  // the PNG, or every GIF frame
};

// False when the file is missing or not a readable PNG or GIF.
bool ReadImage(const std::string& path, ImageInfo& info);

}  // namespace skin
