// Windows icon files (.ico) made of PNG images, the form every current reader
// accepts; the tray reads the program's icon from one.
#pragma once

#include <string>
#include <vector>

namespace skin {

class IconFile {
 public:
  // Each PNG must be square, 1 to 256 pixels wide.
  static bool Write(const std::string& path, const std::vector<std::string>& pngs,
                    std::string& error);
};

}  // namespace skin
