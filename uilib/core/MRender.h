#pragma once
// The library's drawing toolbox: loading pictures, nine-patch frames,
// transparency transitions, fills, rounded rectangles and text. Everything
// draws on a Cairo context ("graphics"); pictures are Images. No state is kept
// except the installed text sink (TextSink).
#include <cairo.h>

#include <memory>
#include <string>

#include "uilib/core/Color.h"
#include "uilib/core/Image.h"
#include "uilib/core/Rect.h"
#include "uilib/core/TextStyle.h"

namespace tumi {

// The four margins of a nine-patch whose corners differ in size.
struct Margins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

class MRender {
 public:
  // A PNG or GIF file (every frame of a GIF); null when it cannot be loaded.
  static std::shared_ptr<Image> LoadImageFromFile(const std::string& path);
  // A transparent 32-bit ARGB picture whose pixels the caller may write.
  static std::shared_ptr<Image> CreateARGB32Bitmap(int width, int height);
  // Writes the picture as a PNG file; true when the file was written.
  static bool SaveBitmapToFile(const Image& image, const std::string& path);

  // Opaque fill: the pixels become the colour, whatever was there.
  static void FillSolidRect(cairo_t* cr, const Rect& rect, ColorRef color);
  // Copies the source's pixels from `from` onto the rectangle unblended.
  static void BitBlt(cairo_t* cr, const Rect& rect, cairo_surface_t* source, Point from);

  // Blends the source rectangle (scaled) onto the destination with a constant
  // alpha over the source's own per-pixel alpha, as layered windows compose.
  static void AlphaBlend(cairo_t* cr, const Rect& dest, cairo_surface_t* source,
                         const Rect& source_rect, int alpha);
  // The source rectangle scaled onto the destination.
  static void DrawImage(cairo_t* cr, const Image& image, const Rect& dest, const Rect& source,
                        int time_frame = 0);
  // Nine-patch: corners of `corner` pixels copied unscaled, edges stretched
  // along their length, the centre both ways. Pieces of zero or negative size
  // (a destination smaller than two corners) are skipped, never mirrored, so
  // corners then overlap and no centre is drawn. False when Cairo reported an
  // error; the remaining pieces are drawn anyway.
  static bool DrawImageFrame(cairo_t* cr, const Image& image, const Rect& dest, const Rect& source,
                             int corner);
  static bool DrawImageFrameMID(cairo_t* cr, const Image& image, const Rect& dest,
                                const Rect& source, Margins margins);

  // Blends the source (a picture of the same coordinates as `source_rect`)
  // onto the destination with an opacity going linearly from (100 - top) % at
  // the top row to (100 - bottom) % at the bottom row. Transparencies are
  // percentages clamped to 0-100. Returns the alpha of the last row (255 for
  // an empty rectangle).
  static int DrawVerticalTransition(cairo_t* cr, cairo_surface_t* source, const Rect& dest_rect,
                                    const Rect& source_rect, int top_transparency,
                                    int bottom_transparency);
  // The same column by column, from the left edge to the right edge.
  static int DrawHorizontalTransition(cairo_t* cr, cairo_surface_t* source, const Rect& dest_rect,
                                      const Rect& source_rect, int left_transparency,
                                      int right_transparency);
  // Copies the size x size square at the rectangle's lower right corner from
  // the source (same coordinates) with an alpha falling with the distance
  // from the square's upper left corner: 255 - 255 / size * min(size, d).
  static void DrawRightBottomTransition(cairo_t* cr, cairo_surface_t* source, const Rect& rect,
                                        int size);

  // A fill blended with the colour's alpha; nothing for alpha 0.
  static void DrawColor(cairo_t* cr, const Rect& rect, Argb color);
  // A linear gradient between the two colours, blended with their average
  // alpha; nothing when that is 0.
  static void DrawGradient(cairo_t* cr, const Rect& rect, Argb from, Argb to, bool vertical);
  // Rounded rectangle with corner radii width / divisor / 2 and height /
  // divisor / 2 (both the smaller when they differ by more than 10); a divisor
  // of 0 or below gives square corners. Filled first when `fill`, then
  // outlined with the pen.
  static void DrawRoundRectange(cairo_t* cr, double x, double y, double width, double height,
                                int divisor, Argb pen, double pen_width, bool fill,
                                Argb fill_color);
  // A filled rounded rectangle with the given corner radius.
  static void DrawRoundRectange(cairo_t* cr, double x, double y, double width, double height,
                                double radius, Argb fill_color);

  // Pure black (low 24 bits 0) becomes 0x000001 more, so it survives where
  // black is the transparent colour key.
  static ColorRef CheckAlphaColor(ColorRef color) {
    return (color & 0xFFFFFF) == 0 ? color + 1 : color;
  }

  // Offset of an inner box in an outer one: 0, half or all of the difference
  // per axis for horizontal alignment 0, 1, 2 and vertical alignment 0, 4, 8.
  static Point GetOriginPoint(int outer_width, int outer_height, int inner_width, int inner_height,
                              int h_align, int v_align);
  // The same inside a rectangle: its left and top added, and 2 more in y.
  static Point GetOriginPoint(const Rect& outer, int inner_width, int inner_height, int h_align,
                              int v_align);

  // Width of the laid-out text (rounded up) and the font's line height plus
  // the library's margin (4 when the height has a fraction, else 1). Multi-
  // line text is as high as its lines.
  static Size GetTextBounds(const FontSpec& font, const std::string& text,
                            const TextFormat& format = {});
  // Draws the text in the box and reports it to the installed text sink.
  static void DrawString(cairo_t* cr, const std::string& text, const Rect& box,
                         const FontSpec& font, const TextFormat& format, Argb color);
  // Text with DrawText's format flags and an opaque colour reference.
  static void DrawTextW(cairo_t* cr, const std::string& text, const Rect& box, ColorRef color,
                        const FontSpec& font, unsigned flags);
};

}  // namespace tumi
