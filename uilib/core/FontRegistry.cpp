#include "uilib/core/FontRegistry.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <filesystem>
#include <mutex>

#include "uilib/core/SkinPath.h"

namespace tumi {

namespace {

std::mutex& RegistryMutex() {
  static std::mutex mutex;
  return mutex;
}

const FcChar8* Text(const std::string& s) {
  return reinterpret_cast<const FcChar8*>(s.c_str());
}

// Pango caches what fontconfig offered when its font map was made; a changed
// font set must be announced to the calling thread's map.
void TellPango() {
  PangoFontMap* map = pango_cairo_font_map_get_default();
  if (PANGO_IS_FC_FONT_MAP(map)) pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(map));
}

std::string StringOf(FcPattern* pattern, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value) return {};
  return reinterpret_cast<const char*>(value);
}

// Calls `visit` with each application font pattern until it returns true.
template <typename Visit>
bool AnyApplicationFont(Visit visit) {
  FcFontSet* set = FcConfigGetFonts(FcConfigGetCurrent(), FcSetApplication);
  if (!set) return false;
  for (int i = 0; i < set->nfont; ++i) {
    if (visit(set->fonts[i])) return true;
  }
  return false;
}

}  // namespace

bool FontRegistry::AddFontFolder(const std::string& folder) {
  std::error_code ec;
  // fontconfig accepts a missing folder silently.
  if (!std::filesystem::is_directory(folder, ec)) return false;
  std::lock_guard lock(RegistryMutex());
  if (!FcInit() || !FcConfigAppFontAddDir(FcConfigGetCurrent(), Text(folder))) return false;
  TellPango();
  return true;
}

bool FontRegistry::AddProgramFonts(const std::string& program_folder) {
  static const bool added = AddFontFolder(SkinPath::Join(program_folder, "font"));
  return added;
}

std::string FontRegistry::AddFontFile(const std::string& path) {
  std::lock_guard lock(RegistryMutex());
  if (!FcInit() || !FcConfigAppFontAddFile(FcConfigGetCurrent(), Text(path))) return {};
  TellPango();
  std::string family;
  AnyApplicationFont([&](FcPattern* font) {
    if (StringOf(font, FC_FILE) != path) return false;
    family = StringOf(font, FC_FAMILY);
    return true;
  });
  return family;
}

std::string FontRegistry::ResolveFamily(const std::string& family) {
  std::lock_guard lock(RegistryMutex());
  if (!FcInit()) return {};
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, Text(family));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string resolved = match ? StringOf(match, FC_FAMILY) : std::string();
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return resolved;
}

bool FontRegistry::IsApplicationFamily(const std::string& family) {
  std::lock_guard lock(RegistryMutex());
  return AnyApplicationFont([&](FcPattern* font) {
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &value) == FcResultMatch; ++i) {
      if (FcStrCmpIgnoreCase(value, Text(family)) == 0) return true;
    }
    return false;
  });
}

}  // namespace tumi
