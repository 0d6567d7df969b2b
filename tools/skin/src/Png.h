// Cairo image surfaces read from and written to PNG files, held by RAII.
#pragma once

#include <cairo.h>

#include <memory>
#include <string>

namespace skin {

struct SurfaceFree {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceFree>;

struct ContextFree {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Context = std::unique_ptr<cairo_t, ContextFree>;

// An ARGB32 surface of the PNG, or null when it cannot be read.
Surface LoadPng(const std::string& path);
Surface NewSurface(int width, int height);
bool SavePng(cairo_surface_t* surface, const std::string& path);

}  // namespace skin
