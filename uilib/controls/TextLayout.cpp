#include "uilib/controls/TextLayout.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "uilib/core/TextSink.h"

namespace tumi {

namespace {

// The same font options MRender measures and draws with, so field text and
// label text of one font are equally wide.
PangoContext* FieldContext() {
  struct Holder {
    Holder() : context(pango_font_map_create_context(pango_cairo_font_map_get_default())) {
      cairo_font_options_t* options = cairo_font_options_create();
      cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
      cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
      cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
      pango_cairo_context_set_font_options(context, options);
      cairo_font_options_destroy(options);
    }
    ~Holder() { g_object_unref(context); }
    PangoContext* context;
  };
  // Pango's default font map is per thread.
  thread_local Holder holder;
  return holder.context;
}

int Pixels(int pango_units) {
  return static_cast<int>(std::floor(static_cast<double>(pango_units) / PANGO_SCALE));
}

int PixelsUp(int pango_units) {
  return static_cast<int>(std::ceil(static_cast<double>(pango_units) / PANGO_SCALE));
}

}  // namespace

void TextLayout::Unref::operator()(void* p) const {
  g_object_unref(p);
}

TextLayout::TextLayout() : layout_(pango_layout_new(FieldContext())) {}

TextLayout::~TextLayout() = default;

void TextLayout::Set(const std::string& text, const FontSpec& font, int wrap_width, int h_align,
                     std::size_t underline_from, std::size_t underline_to) {
  underline_to = std::min(underline_to, text.size());
  underline_from = std::min(underline_from, underline_to);
  bool font_changed = font.family != font_.family || font.pixel_size != font_.pixel_size ||
                      font.style != font_.style;
  bool marks_changed = underline_from != underline_from_ || underline_to != underline_to_ ||
                       (font.style & (kFontUnderline | kFontStrikeout)) !=
                           (font_.style & (kFontUnderline | kFontStrikeout));
  if (built_ && !font_changed && !marks_changed && text == text_ && wrap_width == wrap_width_ &&
      h_align == h_align_) {
    return;
  }
  PangoLayout* layout = layout_.get();
  if (font_changed || !built_) {
    PangoFontDescription* desc = pango_font_description_new();
    pango_font_description_set_family(desc, font.family.c_str());
    pango_font_description_set_absolute_size(desc, std::max(font.pixel_size, 1) * PANGO_SCALE);
    pango_font_description_set_weight(desc,
                                      static_cast<PangoWeight>(FontWeightForStyle(font.style)));
    pango_font_description_set_style(
        desc, (font.style & kFontItalic) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
  }
  if (text != text_ || !built_)
    pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
  PangoAttrList* attrs = pango_attr_list_new();
  if (font.style & kFontUnderline) {
    pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
  }
  if (font.style & kFontStrikeout)
    pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
  if (underline_to > underline_from) {
    PangoAttribute* mark = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
    mark->start_index = static_cast<guint>(underline_from);
    mark->end_index = static_cast<guint>(underline_to);
    pango_attr_list_insert(attrs, mark);
  }
  pango_layout_set_attributes(layout, attrs);
  pango_attr_list_unref(attrs);
  if (wrap_width > 0) {
    pango_layout_set_width(layout, wrap_width * PANGO_SCALE);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_alignment(layout, h_align == kAlignRight    ? PANGO_ALIGN_RIGHT
                                       : h_align == kAlignCenter ? PANGO_ALIGN_CENTER
                                                                 : PANGO_ALIGN_LEFT);
  } else {
    pango_layout_set_width(layout, -1);
    pango_layout_set_alignment(layout, PANGO_ALIGN_LEFT);
  }
  built_ = true;
  text_ = text;
  font_ = font;
  wrap_width_ = wrap_width;
  h_align_ = h_align;
  underline_from_ = underline_from;
  underline_to_ = underline_to;
}

Size TextLayout::GetSize() const {
  PangoRectangle logical;
  pango_layout_get_extents(layout_.get(), nullptr, &logical);
  return {PixelsUp(logical.width), PixelsUp(logical.height)};
}

int TextLayout::LineHeight() const {
  PangoLayoutIter* iter = pango_layout_get_iter(layout_.get());
  int y0 = 0;
  int y1 = 0;
  pango_layout_iter_get_line_yrange(iter, &y0, &y1);
  pango_layout_iter_free(iter);
  return std::max(PixelsUp(y1 - y0), 1);
}

int TextLayout::LineCount() const {
  return pango_layout_get_line_count(layout_.get());
}

Rect TextLayout::CaretRect(std::size_t index) const {
  index = std::min(index, text_.size());
  PangoRectangle strong;
  pango_layout_get_cursor_pos(layout_.get(), static_cast<int>(index), &strong, nullptr);
  int x = Pixels(strong.x);
  int y = Pixels(strong.y);
  return Rect::FromSize(x, y, 1, std::max(PixelsUp(strong.height), 1));
}

std::size_t TextLayout::IndexAt(Point p) const {
  int index = 0;
  int trailing = 0;
  pango_layout_xy_to_index(layout_.get(), p.x * PANGO_SCALE, p.y * PANGO_SCALE, &index, &trailing);
  const char* start = text_.c_str() + index;
  const char* end = text_.c_str() + text_.size();
  // The trailing count is in characters; step over them.
  while (trailing-- > 0 && start < end) start = g_utf8_next_char(start);
  return std::min(static_cast<std::size_t>(start - text_.c_str()), text_.size());
}

void TextLayout::Draw(cairo_t* cr, Point origin, const Rect& box, Argb color, std::size_t sel_from,
                      std::size_t sel_to, Argb selection) const {
  PangoLayout* layout = layout_.get();
  cairo_save(cr);
  cairo_rectangle(cr, box.left, box.top, box.Width(), box.Height());
  cairo_clip(cr);
  sel_to = std::min(sel_to, text_.size());
  if (sel_from < sel_to) {
    cairo_set_source_rgba(cr, RedOf(selection) / 255.0, GreenOf(selection) / 255.0,
                          BlueOf(selection) / 255.0, AlphaOf(selection) / 255.0);
    PangoLayoutIter* iter = pango_layout_get_iter(layout);
    do {
      PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
      int y0 = 0;
      int y1 = 0;
      pango_layout_iter_get_line_yrange(iter, &y0, &y1);
      PangoRectangle line_logical;
      pango_layout_iter_get_line_extents(iter, nullptr, &line_logical);
      int* ranges = nullptr;
      int count = 0;
      pango_layout_line_get_x_ranges(line, static_cast<int>(sel_from), static_cast<int>(sel_to),
                                     &ranges, &count);
      for (int i = 0; i < count; ++i) {
        int x0 = Pixels(ranges[2 * i]);
        int x1 = PixelsUp(ranges[2 * i + 1]);
        cairo_rectangle(cr, origin.x + x0, origin.y + Pixels(y0), std::max(x1 - x0, 1),
                        PixelsUp(y1 - y0));
      }
      g_free(ranges);
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
    cairo_fill(cr);
  }
  cairo_set_source_rgba(cr, RedOf(color) / 255.0, GreenOf(color) / 255.0, BlueOf(color) / 255.0,
                        AlphaOf(color) / 255.0);
  cairo_move_to(cr, origin.x, origin.y);
  pango_cairo_show_layout(cr, layout);
  cairo_restore(cr);

  if (TextSink* sink = TextSink::Installed(); sink && !text_.empty()) {
    Size size = GetSize();
    double x1 = box.left, y1 = box.top, x2 = box.right, y2 = box.bottom;
    cairo_user_to_device(cr, &x1, &y1);
    cairo_user_to_device(cr, &x2, &y2);
    Rect device{static_cast<int>(std::lround(x1)), static_cast<int>(std::lround(y1)),
                static_cast<int>(std::lround(x2)), static_cast<int>(std::lround(y2))};
    sink->OnTextDrawn(
        {text_, box, device, Rect::FromSize(origin.x, origin.y, size.cx, size.cy), color, font_});
  }
}

}  // namespace tumi
