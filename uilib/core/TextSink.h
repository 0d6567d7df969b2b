#pragma once
// Where drawn text is reported. Tests install a sink to learn which strings a
// control drew, where and in which colour, without reading glyph pixels.
#include <string>

#include "uilib/core/Color.h"
#include "uilib/core/Rect.h"
#include "uilib/core/TextStyle.h"

namespace tumi {

struct DrawnText {
  std::string text;
  Rect box;         // the layout box the caller gave, in its own coordinates
  Rect device_box;  // the same box on the target surface (after translation)
  Rect bounds;      // where the laid-out text lands, in the caller's coordinates
  Argb color = 0;
  FontSpec font;
};

class TextSink {
 public:
  virtual ~TextSink() = default;
  virtual void OnTextDrawn(const DrawnText& text) = 0;

  // Installs the sink every text draw reports to (null removes it); returns
  // the one installed before. The sink must outlive its installation.
  static TextSink* Install(TextSink* sink);
  static TextSink* Installed();
};

}  // namespace tumi
