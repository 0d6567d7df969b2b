#pragma once
// The laid-out text of an edit field: one Pango layout, kept across paints
// and rebuilt only when the text, font, width or marked range changes. It
// answers where an index is drawn and which index lies under a point, and
// draws the text with its selection. Coordinates are relative to the
// layout's top-left corner; indexes are byte offsets into the shown text.
// UI thread only.
#include <cairo.h>

#include <cstddef>
#include <memory>
#include <string>

#include "uilib/core/Color.h"
#include "uilib/core/Rect.h"
#include "uilib/core/TextStyle.h"

typedef struct _PangoLayout PangoLayout;

namespace tumi {

class TextLayout {
 public:
  TextLayout();
  ~TextLayout();
  TextLayout(const TextLayout&) = delete;
  TextLayout& operator=(const TextLayout&) = delete;

  // wrap_width 0 keeps the text on one line per paragraph; otherwise lines
  // break at words to fit it and are aligned by h_align. The bytes from
  // underline_from to underline_to (an input method's composition) are
  // underlined.
  void Set(const std::string& text, const FontSpec& font, int wrap_width, int h_align,
           std::size_t underline_from = 0, std::size_t underline_to = 0);
  const std::string& Text() const { return text_; }

  Size GetSize() const;
  int LineHeight() const;
  int LineCount() const;
  // The caret's place before the index: x, the line's top and its height.
  Rect CaretRect(std::size_t index) const;
  // The index nearest to the point (a click right of a character's middle
  // lands after it).
  std::size_t IndexAt(Point p) const;

  // Draws the text at the origin, the bytes from sel_from to sel_to on a
  // filled selection, clipped to the box; reports the text to the text sink.
  void Draw(cairo_t* cr, Point origin, const Rect& box, Argb color, std::size_t sel_from,
            std::size_t sel_to, Argb selection) const;

 private:
  struct Unref {
    void operator()(void* p) const;
  };
  std::unique_ptr<PangoLayout, Unref> layout_;
  std::string text_;
  FontSpec font_;
  bool built_ = false;
  int wrap_width_ = -1;
  int h_align_ = -1;
  std::size_t underline_from_ = 0;
  std::size_t underline_to_ = 0;
};

}  // namespace tumi
