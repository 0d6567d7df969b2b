// Assembles rendered PNG frames into a looping GIF animation. Frames are
// opaque (each animation is matted on the background it is shown on), so
// every frame is a full picture with its own quantised palette.
#pragma once

#include <string>
#include <vector>

namespace skin {

class GifWriter {
 public:
  // delay: hundredths of a second per frame. Returns false when a frame
  // cannot be read, the frames differ in size or the file cannot be written.
  static bool Write(const std::string& path, const std::vector<std::string>& frames, int delay,
                    std::string& error);
};

}  // namespace skin
