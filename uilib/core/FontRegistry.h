#pragma once
// Fonts the program brings along. Font files of the program's font/ folder are
// added to fontconfig's application fonts and Pango is told, so text drawn
// with their family names finds them. Families that are neither installed
// nor added resolve through fontconfig's aliases ("Arial" to its metric twin
// Liberation Sans).
#include <string>

namespace tumi {

class FontRegistry {
 public:
  // Adds every font file of the folder; false when the folder cannot be read.
  static bool AddFontFolder(const std::string& folder);
  // The program folder's font/ folder, once per process; true when it is in.
  static bool AddProgramFonts(const std::string& program_folder);
  // Adds one font file; the file's first family name, empty on failure.
  static std::string AddFontFile(const std::string& path);
  // The family fontconfig would draw a request for this family with.
  static std::string ResolveFamily(const std::string& family);
  // Whether one of the added application font files holds the family.
  static bool IsApplicationFamily(const std::string& family);
};

}  // namespace tumi
