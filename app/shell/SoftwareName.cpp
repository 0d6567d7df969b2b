#include "app/shell/SoftwareName.h"

#include "app/xml/Utf8Text.h"
#include "app/xml/XmlDocument.h"

namespace tessaro {

std::string ReadSoftwareName(const std::string& program_folder) {
  XmlDocument doc;
  if (!doc.LoadFile(program_folder + "/config.xml") || !doc.IsWellFormed()) {
    return kDefaultSoftwareName;
  }
  if (!doc.FindElement("config") || !doc.IntoElement() || !doc.FindElement("software")) {
    return kDefaultSoftwareName;
  }
  std::string name = doc.GetAttribute("name");
  return name.empty() ? std::string(kDefaultSoftwareName) : name;
}

std::string CutToUtf16Units(std::string_view text, size_t max_units) {
  size_t units = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    char32_t code_point = 0;
    size_t length = DecodeUtf8Char(text, pos, &code_point);
    if (length == 0) length = 1;  // a stray byte counts as the one unit it becomes
    const size_t needed = code_point > 0xFFFF ? 2 : 1;
    if (units + needed > max_units) break;
    units += needed;
    pos += length;
  }
  return std::string(text.substr(0, pos));
}

}  // namespace tessaro
