#include "SkinCheck.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "ImageInfo.h"

namespace skin {
namespace {

const std::string kGif = "gif:";
const std::string kKeyboard = "keyboard:";

// The layout's picture size and that every key rectangle lies inside it.
void CheckKeyboard(const std::string& layout_path, const ImageInfo& info,
                   std::vector<std::string>& faults) {
  pugi::xml_document doc;
  if (!doc.load_file(layout_path.c_str())) {
    faults.push_back("cannot read " + layout_path);
    return;
  }
  const pugi::xml_node board = doc.child("device.info").child("Keyboard");
  if (board.attribute("width").as_int() != info.width ||
      board.attribute("height").as_int() != info.height) {
    faults.push_back(layout_path + ": picture size differs from the Keyboard element");
  }
  for (pugi::xml_node key : board.child("KeyItems").children("key")) {
    const std::string rect = key.attribute("rect").as_string();
    int v[4] = {};
    const char* p = rect.c_str();
    for (int& n : v) {
      char* end = nullptr;
      n = static_cast<int>(std::strtol(p, &end, 10));
      p = *end ? end + 1 : end;
    }
    if (v[0] < 0 || v[1] < 0 || v[2] <= 0 || v[3] <= 0 || v[0] + v[2] > info.width ||
        v[1] + v[3] > info.height) {
      faults.push_back(layout_path + ": key rect " + rect + " outside the picture");
    }
  }
}

// Skin names are written Windows-style and compared without letter case:
// "icon\\Tab_Home.png" and "icon//tab_home.png" name one file.
std::string Normalise(std::string name) {
  std::string out;
  for (char c : name) {
    c = c == '\\' ? '/' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c == '/' && (out.empty() || out.back() == '/')) continue;
    out += c;
  }
  return out;
}

bool IsProgramSource(const std::filesystem::path& path) {
  const std::string name = path.filename().string();
  const std::string ext = path.extension().string();
  const std::string folder = path.parent_path().generic_string() + "/";
  // Tests, fakes and test support name fixture images of their own.
  return (ext == ".cpp" || ext == ".h") && name.find("_test.") == std::string::npos &&
         name.find("_fuzz.") == std::string::npos && name.find("Fake") != 0 &&
         folder.find("/testing/") == std::string::npos &&
         folder.find("/tests/") == std::string::npos;
}

}  // namespace

std::vector<std::string> SkinCheck::CheckSources(const SkinManifest& manifest,
                                                 const std::vector<std::string>& source_folders) {
  std::set<std::string> skin;
  for (const SkinEntry& entry : manifest.Entries()) skin.insert(Normalise(entry.output));
  // A literal naming a relative .png or .gif; '%' marks a format, not a name.
  static const std::regex kName(R"re("([^"%/][^"%]*\.(png|gif))")re", std::regex::icase);
  std::vector<std::string> faults;
  for (const std::string& folder : source_folders) {
    for (const auto& file : std::filesystem::recursive_directory_iterator(folder)) {
      if (!file.is_regular_file() || !IsProgramSource(file.path())) continue;
      std::ifstream in(file.path());
      std::stringstream text;
      text << in.rdbuf();
      const std::string source = text.str();
      for (std::sregex_iterator m(source.begin(), source.end(), kName), end; m != end; ++m) {
        // Escaped backslashes need no unescaping: Normalise folds runs of
        // separators into one.
        const std::string name = (*m)[1].str();
        if (!skin.contains(Normalise(name))) {
          faults.push_back(file.path().string() + ": names \"" + name + "\", not in the skin");
        }
      }
    }
  }
  return faults;
}

std::vector<std::string> SkinCheck::Run(const SkinManifest& manifest,
                                        const std::string& skin_folder,
                                        const std::string& layouts_folder) {
  std::vector<std::string> faults;
  for (const SkinEntry& entry : manifest.Entries()) {
    ImageInfo info;
    if (!ReadImage(skin_folder + "/" + entry.output, info)) {
      faults.push_back(entry.output + ": missing or unreadable");
      continue;
    }
    const std::string size = std::to_string(info.width) + "x" + std::to_string(info.height);
    if (info.width != entry.width || info.height != entry.height) {
      faults.push_back(entry.output + ": " + size + ", expected " + std::to_string(entry.width) +
                       "x" + std::to_string(entry.height));
    }
    if (entry.source.starts_with(kGif)) {
      if (info.frames != entry.frames) {
        faults.push_back(entry.output + ": " + std::to_string(info.frames) + " frames, expected " +
                         std::to_string(entry.frames));
      }
    } else if (info.width % entry.frames != 0) {
      faults.push_back(entry.output + ": width " + std::to_string(info.width) +
                       " is not a whole number of " + std::to_string(entry.frames) + " frames");
    }
    if (entry.source.starts_with(kKeyboard)) {
      CheckKeyboard(layouts_folder + "/" + entry.source.substr(kKeyboard.size()) + ".xml", info,
                    faults);
    }
  }
  return faults;
}

}  // namespace skin
