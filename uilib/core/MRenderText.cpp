// MRender's text functions, laid out with Pango.
#include <pango/pangocairo.h>

#include <cmath>
#include <memory>

#include "uilib/core/MRender.h"
#include "uilib/core/TextSink.h"

namespace tumi {

namespace {

struct GObjectUnref {
  void operator()(void* p) const { g_object_unref(p); }
};
using LayoutPtr = std::unique_ptr<PangoLayout, GObjectUnref>;
using ContextPtr = std::unique_ptr<PangoContext, GObjectUnref>;

cairo_antialias_t AntialiasFor(int rendering_hint) {
  return (rendering_hint == 1 || rendering_hint == 2) ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_GRAY;
}

// Measuring and drawing share these options, so a measured text is exactly as
// wide as the drawn one: unhinted metrics keep widths independent of the
// target surface.
void ApplyFontOptions(PangoContext* context, int rendering_hint) {
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_antialias(options, AntialiasFor(rendering_hint));
  pango_cairo_context_set_font_options(context, options);
  cairo_font_options_destroy(options);
}

// Pango's default font map is per thread, so each thread keeps its contexts.
PangoContext* MeasureContext() {
  thread_local ContextPtr context([] {
    PangoContext* c = pango_font_map_create_context(pango_cairo_font_map_get_default());
    ApplyFontOptions(c, 5);
    return c;
  }());
  return context.get();
}

PangoContext* DrawContext() {
  thread_local ContextPtr context(
      pango_font_map_create_context(pango_cairo_font_map_get_default()));
  return context.get();
}

LayoutPtr BuildLayout(PangoContext* context, const std::string& text, const FontSpec& font,
                      const TextFormat& format, int box_width) {
  LayoutPtr layout(pango_layout_new(context));
  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, font.family.c_str());
  pango_font_description_set_absolute_size(desc, std::max(font.pixel_size, 1) * PANGO_SCALE);
  pango_font_description_set_weight(desc, static_cast<PangoWeight>(FontWeightForStyle(font.style)));
  pango_font_description_set_style(
      desc, (font.style & kFontItalic) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_layout_set_font_description(layout.get(), desc);
  pango_font_description_free(desc);
  if (font.style & (kFontUnderline | kFontStrikeout)) {
    PangoAttrList* attrs = pango_attr_list_new();
    if (font.style & kFontUnderline)
      pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (font.style & kFontStrikeout)
      pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
    pango_layout_set_attributes(layout.get(), attrs);
    pango_attr_list_unref(attrs);
  }
  pango_layout_set_single_paragraph_mode(layout.get(), format.single_line);
  pango_layout_set_text(layout.get(), text.data(), static_cast<int>(text.size()));
  if (box_width > 0 && (format.wrap || format.ellipsis)) {
    pango_layout_set_width(layout.get(), box_width * PANGO_SCALE);
    pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
    if (format.ellipsis && !format.wrap)
      pango_layout_set_ellipsize(layout.get(), PANGO_ELLIPSIZE_END);
    pango_layout_set_alignment(layout.get(), format.h_align == kAlignRight    ? PANGO_ALIGN_RIGHT
                                             : format.h_align == kAlignCenter ? PANGO_ALIGN_CENTER
                                                                              : PANGO_ALIGN_LEFT);
  }
  return layout;
}

// Offset of a laid-out text in the box. A layout with a width aligns its
// lines itself; an unbounded one is placed here, so text wider than the box
// overflows on the side(s) its alignment points away from.
Point Placement(const Rect& box, const PangoRectangle& logical, bool bounded,
                const TextFormat& format) {
  const Point offset =
      MRender::GetOriginPoint(box.Width(), box.Height(), logical.width, logical.height,
                              bounded ? kAlignLeft : format.h_align, format.v_align);
  return {box.left + offset.x, box.top + offset.y};
}

Rect DeviceBox(cairo_t* cr, const Rect& box) {
  double x1 = box.left, y1 = box.top, x2 = box.right, y2 = box.bottom;
  cairo_user_to_device(cr, &x1, &y1);
  cairo_user_to_device(cr, &x2, &y2);
  return {static_cast<int>(std::lround(x1)), static_cast<int>(std::lround(y1)),
          static_cast<int>(std::lround(x2)), static_cast<int>(std::lround(y2))};
}

}  // namespace

Size MRender::GetTextBounds(const FontSpec& font, const std::string& text,
                            const TextFormat& format) {
  TextFormat unbounded = format;
  unbounded.wrap = unbounded.ellipsis = false;
  LayoutPtr layout = BuildLayout(MeasureContext(), text, font, unbounded, 0);
  PangoRectangle logical;
  pango_layout_get_extents(layout.get(), nullptr, &logical);
  const double width = static_cast<double>(logical.width) / PANGO_SCALE;
  const double height = static_cast<double>(logical.height) / PANGO_SCALE;
  const bool fractional = logical.height % PANGO_SCALE != 0;
  return {static_cast<int>(std::ceil(width)), static_cast<int>(height + (fractional ? 4 : 1))};
}

void MRender::DrawString(cairo_t* cr, const std::string& text, const Rect& box,
                         const FontSpec& font, const TextFormat& format, Argb color) {
  if (text.empty()) return;
  PangoContext* context = DrawContext();
  pango_cairo_update_context(cr, context);
  ApplyFontOptions(context, format.rendering_hint);
  LayoutPtr layout = BuildLayout(context, text, font, format, box.Width());
  const bool bounded = pango_layout_get_width(layout.get()) > 0;
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
  const Point at = Placement(box, logical, bounded, format);

  cairo_save(cr);
  if (format.clip) {
    cairo_rectangle(cr, box.left, box.top, box.Width(), box.Height());
    cairo_clip(cr);
  }
  cairo_set_source_rgba(cr, RedOf(color) / 255.0, GreenOf(color) / 255.0, BlueOf(color) / 255.0,
                        AlphaOf(color) / 255.0);
  cairo_move_to(cr, at.x, at.y);
  pango_cairo_show_layout(cr, layout.get());
  cairo_restore(cr);

  if (TextSink* sink = TextSink::Installed()) {
    const Rect bounds =
        Rect::FromSize(at.x + logical.x, at.y + logical.y, logical.width, logical.height);
    sink->OnTextDrawn({text, box, DeviceBox(cr, box), bounds, color, font});
  }
}

void MRender::DrawTextW(cairo_t* cr, const std::string& text, const Rect& box, ColorRef color,
                        const FontSpec& font, unsigned flags) {
  DrawString(cr, text, box, font, TextFormat::FromDrawTextFlags(flags),
             ArgbFromColorRef(color, 255));
}

}  // namespace tumi
