#include "platform/window/testing/Screenshot.h"

#include <filesystem>
#include <system_error>

namespace platform {

bool Screenshot::SavePng(const std::string& path) const {
  if (!surface_) return false;
  std::error_code ignored;
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, ignored);
  return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace platform
