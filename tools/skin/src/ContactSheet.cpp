#include "ContactSheet.h"

#include <algorithm>
#include <vector>

#include "ImageInfo.h"

namespace skin {
namespace {

constexpr int kSheetWidth = 1600;
constexpr int kPad = 16;
constexpr int kLabel = 16;
constexpr int kSmall = 40;  // still images at most this tall are also shown at 3x
constexpr int kZoom = 3;

struct Cell {
  std::string label;
  std::vector<cairo_surface_t*> pictures;
  int zoom = 1;
  int per_row = 1;  // animation frames wrap onto further rows
  int width = 0;
  int height = 0;
};

void SetLabelFont(cairo_t* cr) {
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 11);
}

void DrawCell(cairo_t* cr, const Cell& cell, int x, int y) {
  cairo_set_source_rgb(cr, 0.68, 0.68, 0.68);
  cairo_move_to(cr, x, y + 11);
  cairo_show_text(cr, cell.label.c_str());
  for (size_t i = 0; i < cell.pictures.size(); ++i) {
    cairo_surface_t* picture = cell.pictures[i];
    const int w = cairo_image_surface_get_width(picture);
    const int h = cairo_image_surface_get_height(picture);
    const int px = x + static_cast<int>(i % cell.per_row) * (w * cell.zoom + 4);
    const int py = y + kLabel + static_cast<int>(i / cell.per_row) * (h * cell.zoom + 4);
    cairo_save(cr);
    cairo_rectangle(cr, px - 0.5, py - 0.5, w * cell.zoom + 1, h * cell.zoom + 1);
    cairo_set_source_rgb(cr, 0.16, 0.2, 0.25);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_translate(cr, px, py);
    cairo_scale(cr, cell.zoom, cell.zoom);
    cairo_set_source_surface(cr, picture, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
  }
}

}  // namespace

bool ContactSheet::Write(const SkinManifest& manifest, const std::string& skin_folder,
                         const std::string& path, std::string& error) {
  // Labels are measured on a scratch surface so that cells never overlap them.
  Surface scratch = NewSurface(1, 1);
  Context measure(cairo_create(scratch.get()));
  SetLabelFont(measure.get());
  std::vector<ImageInfo> images;
  std::vector<Cell> cells;
  images.reserve(manifest.Entries().size());
  for (const auto& entry : manifest.Entries()) {
    ImageInfo& info = images.emplace_back();
    if (!ReadImage(skin_folder + "/" + entry.output, info)) {
      error = "cannot read " + entry.output;
      return false;
    }
    for (int zoom : {1, kZoom}) {
      if (zoom > 1 && (info.height > kSmall || info.frames > 1)) break;
      Cell cell;
      cell.label = entry.output + "  " + std::to_string(info.width) + "x" +
                   std::to_string(info.height) + " /" +
                   std::to_string(info.frames > 1 ? info.frames : entry.frames);
      if (zoom > 1) cell.label += "  (x3)";
      cell.zoom = zoom;
      for (const auto& p : info.pictures) cell.pictures.push_back(p.get());
      const int count = static_cast<int>(info.pictures.size());
      cell.per_row = std::clamp((kSheetWidth - 2 * kPad) / (info.width * zoom + 4), 1, count);
      const int rows = (count + cell.per_row - 1) / cell.per_row;
      cairo_text_extents_t extents;
      cairo_text_extents(measure.get(), cell.label.c_str(), &extents);
      cell.width =
          std::max(cell.per_row * (info.width * zoom + 4), static_cast<int>(extents.x_advance) + 8);
      cell.height = rows * (info.height * zoom + 4) + kLabel;
      cells.push_back(cell);
    }
  }
  // Shelf packing: cells left to right, a new shelf when the row is full.
  struct Placed {
    const Cell* cell;
    int x, y;
  };
  std::vector<Placed> placed;
  int x = kPad, y = kPad, shelf = 0;
  for (const Cell& cell : cells) {
    const int w = cell.width;
    if (x + w > kSheetWidth - kPad && x > kPad) {
      x = kPad, y += shelf + kPad, shelf = 0;
    }
    placed.push_back({&cell, x, y});
    x += w + kPad;
    shelf = std::max(shelf, cell.height);
  }
  const int height = y + shelf + kPad;
  const int width = std::max(kSheetWidth, [&] {
    int widest = 0;
    for (const auto& p : placed) widest = std::max(widest, p.x + p.cell->width + kPad);
    return widest;
  }());
  Surface sheet = NewSurface(width, height);
  Context cr(cairo_create(sheet.get()));
  cairo_set_source_rgb(cr.get(), 0x09 / 255.0, 0x0D / 255.0, 0x13 / 255.0);
  cairo_paint(cr.get());
  SetLabelFont(cr.get());
  for (const auto& p : placed) DrawCell(cr.get(), *p.cell, p.x, p.y);
  if (!SavePng(sheet.get(), path)) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace skin
