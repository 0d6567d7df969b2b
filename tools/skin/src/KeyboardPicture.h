// Draws a keyboard picture as SVG from a layout file's Keyboard element, so
// the picture's keycaps sit exactly on the key rectangles the program uses
// for hit testing and outlines.
#pragma once

#include <string>

namespace skin {

class KeyboardPicture {
 public:
  // Writes the SVG of the layout's picture to `svg_path`; `image_name`
  // receives the Keyboard element's image attribute. Key icons are looked up
  // below `skin_folder`.
  static bool Write(const std::string& layout_path, const std::string& skin_folder,
                    const std::string& svg_path, std::string& image_name, std::string& error);
};

}  // namespace skin
