#include "uilib/core/MRender.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "uilib/core/ImageLoader.h"

namespace tumi {

namespace {

void SetSource(cairo_t* cr, Argb c) {
  cairo_set_source_rgba(cr, RedOf(c) / 255.0, GreenOf(c) / 255.0, BlueOf(c) / 255.0,
                        AlphaOf(c) / 255.0);
}

void AddRect(cairo_t* cr, const Rect& r) {
  cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
}

// One piece of a nine-patch. The piece is cut out as a sub-surface with padded
// edges so that stretching never pulls in pixels of the neighbouring piece.
void DrawPiece(cairo_t* cr, cairo_surface_t* picture, const Rect& bounds, Rect source,
               const Rect& dest) {
  source = source.Intersect(bounds);
  if (source.IsEmpty() || dest.IsEmpty()) return;
  cairo_surface_t* piece = cairo_surface_create_for_rectangle(picture, source.left, source.top,
                                                              source.Width(), source.Height());
  cairo_save(cr);
  cairo_translate(cr, dest.left, dest.top);
  cairo_scale(cr, static_cast<double>(dest.Width()) / source.Width(),
              static_cast<double>(dest.Height()) / source.Height());
  cairo_set_source_surface(cr, piece, 0, 0);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  if (dest.Width() == source.Width() && dest.Height() == source.Height()) {
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  }
  cairo_rectangle(cr, 0, 0, source.Width(), source.Height());
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_surface_destroy(piece);
}

// An A8 mask of `length` alphas laid along one axis of the destination and
// stretched across the other.
void MaskAlongAxis(cairo_t* cr, const Rect& dest, const std::vector<uint8_t>& alphas,
                   bool vertical) {
  const int length = static_cast<int>(alphas.size());
  cairo_surface_t* mask =
      cairo_image_surface_create(CAIRO_FORMAT_A8, vertical ? 1 : length, vertical ? length : 1);
  unsigned char* data = cairo_image_surface_get_data(mask);
  const int stride = cairo_image_surface_get_stride(mask);
  for (int i = 0; i < length; ++i) data[vertical ? i * stride : i] = alphas[i];
  cairo_surface_mark_dirty(mask);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(mask);
  cairo_matrix_t m;
  if (vertical) {
    cairo_matrix_init(&m, 1.0 / dest.Width(), 0, 0, 1, -dest.left / double(dest.Width()),
                      -dest.top);
  } else {
    cairo_matrix_init(&m, 1, 0, 0, 1.0 / dest.Height(), -dest.left,
                      -dest.top / double(dest.Height()));
  }
  cairo_pattern_set_matrix(pattern, &m);
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  cairo_mask(cr, pattern);
  cairo_pattern_destroy(pattern);
  cairo_surface_destroy(mask);
}

// Sets the source so that source_rect of the picture covers dest_rect.
void SetMappedSource(cairo_t* cr, cairo_surface_t* source, const Rect& dest_rect,
                     const Rect& source_rect) {
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(source);
  const double sx = static_cast<double>(source_rect.Width()) / dest_rect.Width();
  const double sy = static_cast<double>(source_rect.Height()) / dest_rect.Height();
  cairo_matrix_t m;
  cairo_matrix_init(&m, sx, 0, 0, sy, source_rect.left - dest_rect.left * sx,
                    source_rect.top - dest_rect.top * sy);
  cairo_pattern_set_matrix(pattern, &m);
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
}

int Transition(cairo_t* cr, cairo_surface_t* source, const Rect& dest_rect, const Rect& source_rect,
               int first, int last, bool vertical) {
  const int length = vertical ? dest_rect.Height() : dest_rect.Width();
  if (length <= 0 || dest_rect.IsEmpty() || source_rect.IsEmpty()) return 255;
  // Transparencies beyond 0-100 would wrap the alpha round; they are clamped.
  first = std::clamp(first, 0, 100);
  last = std::clamp(last, 0, 100);
  const int hi = static_cast<int>(255 - std::min(first, last) * 255 / 100.0);
  const int lo = static_cast<int>((100 - std::max(first, last)) * 255 / 100.0);
  const double step = static_cast<double>(hi - lo) / length;
  std::vector<uint8_t> alphas(length);
  for (int i = 0; i < length; ++i) {
    const double a = first < last ? hi - i * step : lo + i * step;
    alphas[i] = static_cast<uint8_t>(std::clamp(static_cast<int>(a), 0, 255));
  }
  cairo_save(cr);
  AddRect(cr, dest_rect);
  cairo_clip(cr);
  SetMappedSource(cr, source, dest_rect, source_rect);
  MaskAlongAxis(cr, dest_rect, alphas, vertical);
  cairo_restore(cr);
  return alphas.back();
}

void EllipticArc(cairo_t* cr, double cx, double cy, double rx, double ry, double from_degrees) {
  const double from = from_degrees * std::numbers::pi / 180;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0, 0, 1, from, from + std::numbers::pi / 2);
  cairo_restore(cr);
}

void RoundedPath(cairo_t* cr, double x, double y, double w, double h, double rx, double ry) {
  cairo_new_path(cr);
  if (rx <= 0 || ry <= 0) {
    cairo_rectangle(cr, x, y, w, h);
    return;
  }
  cairo_move_to(cr, x + rx, y);
  cairo_line_to(cr, x + w - rx, y);
  EllipticArc(cr, x + w - rx, y + ry, rx, ry, 270);
  EllipticArc(cr, x + w - rx, y + h - ry, rx, ry, 0);
  EllipticArc(cr, x + rx, y + h - ry, rx, ry, 90);
  EllipticArc(cr, x + rx, y + ry, rx, ry, 180);
  cairo_close_path(cr);
}

}  // namespace

std::shared_ptr<Image> MRender::LoadImageFromFile(const std::string& path) {
  return ImageLoader::LoadFile(path);
}

std::shared_ptr<Image> MRender::CreateARGB32Bitmap(int width, int height) {
  return Image::Create(width, height);
}

bool MRender::SaveBitmapToFile(const Image& image, const std::string& path) {
  return cairo_surface_write_to_png(image.Surface(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

void MRender::FillSolidRect(cairo_t* cr, const Rect& rect, ColorRef color) {
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  SetSource(cr, ArgbFromColorRef(color, 255));
  AddRect(cr, rect);
  cairo_fill(cr);
  cairo_restore(cr);
}

void MRender::BitBlt(cairo_t* cr, const Rect& rect, cairo_surface_t* source, Point from) {
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, source, rect.left - from.x, rect.top - from.y);
  AddRect(cr, rect);
  cairo_fill(cr);
  cairo_restore(cr);
}

void MRender::AlphaBlend(cairo_t* cr, const Rect& dest, cairo_surface_t* source,
                         const Rect& source_rect, int alpha) {
  if (dest.IsEmpty() || source_rect.IsEmpty() || alpha <= 0) return;
  cairo_save(cr);
  AddRect(cr, dest);
  cairo_clip(cr);
  SetMappedSource(cr, source, dest, source_rect);
  cairo_paint_with_alpha(cr, std::min(alpha, 255) / 255.0);
  cairo_restore(cr);
}

void MRender::DrawImage(cairo_t* cr, const Image& image, const Rect& dest, const Rect& source,
                        int time_frame) {
  DrawPiece(cr, image.Surface(time_frame), Rect{0, 0, image.Width(), image.Height()}, source, dest);
}

bool MRender::DrawImageFrame(cairo_t* cr, const Image& image, const Rect& dest, const Rect& source,
                             int corner) {
  const int e = std::max(corner, 0);
  return DrawImageFrameMID(cr, image, dest, source, Margins{e, e, e, e});
}

bool MRender::DrawImageFrameMID(cairo_t* cr, const Image& image, const Rect& dest,
                                const Rect& source, Margins m) {
  const int l = std::max(m.left, 0), t = std::max(m.top, 0);
  const int r = std::max(m.right, 0), b = std::max(m.bottom, 0);
  const int x = source.left, y = source.top, w = source.Width(), h = source.Height();
  const int L = dest.left, T = dest.top, R = dest.right, B = dest.bottom;
  const int W = dest.Width(), H = dest.Height();
  cairo_surface_t* s = image.Surface();
  const Rect bounds{0, 0, image.Width(), image.Height()};
  auto piece = [&](int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh) {
    DrawPiece(cr, s, bounds, Rect::FromSize(sx, sy, sw, sh), Rect::FromSize(dx, dy, dw, dh));
  };
  piece(x, y, l, t, L, T, l, t);                                                  // top left
  piece(x, y + t, l, h - t - b, L, T + t, l, H - t - b);                          // left edge
  piece(x, y + h - b, l, b, L, B - b, l, b);                                      // bottom left
  piece(x + l, y, w - l - r, t, L + l, T, W - l - r, t);                          // top edge
  piece(x + w - r, y, r, t, R - r, T, r, t);                                      // top right
  piece(x + w - r, y + t, r, h - t - b, R - r, T + t, r, H - t - b);              // right edge
  piece(x + w - r, y + h - b, r, b, R - r, B - b, r, b);                          // bottom right
  piece(x + l, y + h - b, w - l - r, b, L + l, B - b, W - l - r, b);              // bottom edge
  piece(x + l, y + t, w - l - r, h - t - b, L + l, T + t, W - l - r, H - t - b);  // centre
  return cairo_status(cr) == CAIRO_STATUS_SUCCESS;
}

int MRender::DrawVerticalTransition(cairo_t* cr, cairo_surface_t* source, const Rect& dest_rect,
                                    const Rect& source_rect, int top_transparency,
                                    int bottom_transparency) {
  return Transition(cr, source, dest_rect, source_rect, top_transparency, bottom_transparency,
                    true);
}

int MRender::DrawHorizontalTransition(cairo_t* cr, cairo_surface_t* source, const Rect& dest_rect,
                                      const Rect& source_rect, int left_transparency,
                                      int right_transparency) {
  return Transition(cr, source, dest_rect, source_rect, left_transparency, right_transparency,
                    false);
}

void MRender::DrawRightBottomTransition(cairo_t* cr, cairo_surface_t* source, const Rect& rect,
                                        int size) {
  if (size <= 0) return;
  cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, size, size);
  unsigned char* data = cairo_image_surface_get_data(mask);
  const int stride = cairo_image_surface_get_stride(mask);
  const int fall = 255 / size;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double d = std::min<double>(size, std::hypot(x, y));
      data[y * stride + x] =
          static_cast<uint8_t>(std::clamp(static_cast<int>(255 - fall * d), 0, 255));
    }
  }
  cairo_surface_mark_dirty(mask);
  const int left = rect.right - size, top = rect.bottom - size;
  cairo_save(cr);
  cairo_rectangle(cr, left, top, size, size);
  cairo_clip(cr);
  cairo_set_source_surface(cr, source, 0, 0);
  cairo_mask_surface(cr, mask, left, top);
  cairo_restore(cr);
  cairo_surface_destroy(mask);
}

void MRender::DrawColor(cairo_t* cr, const Rect& rect, Argb color) {
  if (AlphaOf(color) == 0 || rect.IsEmpty()) return;
  cairo_save(cr);
  SetSource(cr, color);
  AddRect(cr, rect);
  cairo_fill(cr);
  cairo_restore(cr);
}

void MRender::DrawGradient(cairo_t* cr, const Rect& rect, Argb from, Argb to, bool vertical) {
  const uint32_t alpha = (AlphaOf(from) + AlphaOf(to)) / 2;
  if (alpha == 0 || rect.IsEmpty()) return;
  cairo_pattern_t* g = vertical ? cairo_pattern_create_linear(0, rect.top, 0, rect.bottom)
                                : cairo_pattern_create_linear(rect.left, 0, rect.right, 0);
  cairo_pattern_add_color_stop_rgb(g, 0, RedOf(from) / 255.0, GreenOf(from) / 255.0,
                                   BlueOf(from) / 255.0);
  cairo_pattern_add_color_stop_rgb(g, 1, RedOf(to) / 255.0, GreenOf(to) / 255.0,
                                   BlueOf(to) / 255.0);
  cairo_save(cr);
  AddRect(cr, rect);
  cairo_clip(cr);
  cairo_set_source(cr, g);
  cairo_paint_with_alpha(cr, alpha / 255.0);
  cairo_restore(cr);
  cairo_pattern_destroy(g);
}

void MRender::DrawRoundRectange(cairo_t* cr, double x, double y, double width, double height,
                                int divisor, Argb pen, double pen_width, bool fill,
                                Argb fill_color) {
  double rx = 0, ry = 0;
  // A divisor of 0 would divide by zero; it means square corners.
  if (divisor > 0) {
    rx = width / divisor / 2;
    ry = height / divisor / 2;
    if (std::abs(rx - ry) > 10) rx = ry = std::min(rx, ry);
  }
  cairo_save(cr);
  RoundedPath(cr, x, y, width, height, rx, ry);
  if (fill) {
    SetSource(cr, fill_color);
    cairo_fill_preserve(cr);
  }
  SetSource(cr, pen);
  cairo_set_line_width(cr, pen_width);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void MRender::DrawRoundRectange(cairo_t* cr, double x, double y, double width, double height,
                                double radius, Argb fill_color) {
  const double r = std::clamp(radius, 0.0, std::min(width, height) / 2);
  cairo_save(cr);
  RoundedPath(cr, x, y, width, height, r, r);
  SetSource(cr, fill_color);
  cairo_fill(cr);
  cairo_restore(cr);
}

Point MRender::GetOriginPoint(int outer_width, int outer_height, int inner_width, int inner_height,
                              int h_align, int v_align) {
  auto offset = [](int outer, int inner, bool half, bool whole) {
    return whole ? outer - inner : half ? (outer - inner) / 2 : 0;
  };
  return {offset(outer_width, inner_width, h_align == kAlignCenter, h_align == kAlignRight),
          offset(outer_height, inner_height, v_align == kAlignVCenter, v_align == kAlignBottom)};
}

Point MRender::GetOriginPoint(const Rect& outer, int inner_width, int inner_height, int h_align,
                              int v_align) {
  const Point p =
      GetOriginPoint(outer.Width(), outer.Height(), inner_width, inner_height, h_align, v_align);
  return {outer.left + p.x, outer.top + p.y + 2};
}

}  // namespace tumi
