// skintool: the build's helper for the skin. Subcommands:
//   gif <out.gif> <delay cs> <frame.png>...   assemble an animation
//   ico <out.ico> <png>...                    assemble an icon file
//   wheel <out.png> <side>                    draw the colour wheel
//   keyboard <layout.xml> <skin folder> <out.svg>   draw a keyboard picture
//   sheet <manifest> <skin folder> <out.png>  write the contact sheet
//   check <manifest> <skin folder> <layouts folder> [source folder...]
//                                             verify a built skin
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ContactSheet.h"
#include "GifWriter.h"
#include "HueWheel.h"
#include "IconFile.h"
#include "KeyboardPicture.h"
#include "SkinCheck.h"
#include "SkinManifest.h"

namespace {

int Fail(const std::string& error) {
  std::fprintf(stderr, "skintool: %s\n", error.c_str());
  return 1;
}

int Run(const std::vector<std::string>& a) {
  std::string error;
  const std::string& command = a.empty() ? error : a[0];
  if (command == "gif" && a.size() >= 4) {
    std::vector<std::string> frames(a.begin() + 3, a.end());
    return skin::GifWriter::Write(a[1], frames, std::atoi(a[2].c_str()), error) ? 0 : Fail(error);
  }
  if (command == "ico" && a.size() >= 3) {
    std::vector<std::string> pngs(a.begin() + 2, a.end());
    return skin::IconFile::Write(a[1], pngs, error) ? 0 : Fail(error);
  }
  if (command == "wheel" && a.size() == 3) {
    return skin::HueWheel::Write(a[1], std::atoi(a[2].c_str())) ? 0 : Fail("cannot write " + a[1]);
  }
  if (command == "keyboard" && a.size() == 4) {
    std::string image;
    return skin::KeyboardPicture::Write(a[1], a[2], a[3], image, error) ? 0 : Fail(error);
  }
  if ((command == "sheet" && a.size() == 4) || (command == "check" && a.size() >= 4)) {
    skin::SkinManifest manifest;
    if (!manifest.Load(a[1], error)) return Fail(error);
    if (command == "sheet") {
      return skin::ContactSheet::Write(manifest, a[2], a[3], error) ? 0 : Fail(error);
    }
    auto faults = skin::SkinCheck::Run(manifest, a[2], a[3]);
    const auto unknown =
        skin::SkinCheck::CheckSources(manifest, std::vector<std::string>(a.begin() + 4, a.end()));
    faults.insert(faults.end(), unknown.begin(), unknown.end());
    for (const auto& fault : faults) std::fprintf(stderr, "%s\n", fault.c_str());
    std::printf("%zu images checked, %zu faults\n", manifest.Entries().size(), faults.size());
    return faults.empty() ? 0 : 1;
  }
  return Fail("usage: skintool gif|ico|wheel|keyboard|sheet|check ... (see main.cpp)");
}

}  // namespace

int main(int argc, char** argv) {
  return Run(std::vector<std::string>(argv + 1, argv + argc));
}
