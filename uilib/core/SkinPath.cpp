#include "uilib/core/SkinPath.h"

#include <filesystem>
#include <system_error>

namespace tumi {

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) {
      return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string_view TrimTrailingSlash(std::string_view s) {
  while (s.size() > 1 && s.back() == '/') s.remove_suffix(1);
  return s;
}

}  // namespace

std::string SkinPath::Normalise(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  for (char c : name) {
    if (c == '\\') c = '/';
    if (c == '/' && !out.empty() && out.back() == '/') continue;
    out.push_back(c);
  }
  return out;
}

std::string SkinPath::SkinFolder(std::string_view program_folder, std::string_view theme) {
  std::string theme_name = Normalise(theme);
  return Join(Join(program_folder, "skins"), TrimTrailingSlash(theme_name));
}

std::string SkinPath::Join(std::string_view folder, std::string_view name) {
  std::string base = Normalise(folder);
  std::string rest = Normalise(name);
  size_t skip = 0;
  while (skip < rest.size() && rest[skip] == '/') ++skip;
  if (skip == rest.size()) return std::string(TrimTrailingSlash(base));
  if (base.empty()) return rest.substr(skip);
  if (base.back() != '/') base.push_back('/');
  return base + rest.substr(skip);
}

std::string SkinPath::ResolveCase(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(path, ec)) return path;
  fs::path resolved = fs::path(path).is_absolute() ? fs::path("/") : fs::path(".");
  for (const auto& part : fs::path(path).relative_path()) {
    fs::path exact = resolved / part;
    if (fs::exists(exact, ec)) {
      resolved = exact;
      continue;
    }
    bool found = false;
    for (fs::directory_iterator it(resolved, ec), end; !ec && it != end; it.increment(ec)) {
      if (SameIgnoringCase(it->path().filename().native(), part.native())) {
        resolved = it->path();
        found = true;
        break;
      }
    }
    if (!found) return path;
  }
  return fs::path(path).is_absolute() ? resolved.string()
                                      : resolved.lexically_relative(".").string();
}

}  // namespace tumi
