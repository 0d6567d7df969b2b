#pragma once
// How the bytes of an XML file become the document's UTF-8 text and back.
//
// Reading: a byte-order mark decides (UTF-8, UTF-16 LE or BE); a declaration
// written in UTF-16 without a mark is recognised by its first characters; then
// the encoding named in the declaration (through a table of IANA names and
// aliases, converted with iconv); without either, UTF-8 when the bytes are
// valid UTF-8 and WINDOWS-1252 otherwise. NUL characters are removed.
//
// Writing: UTF-8 unless the declaration names another encoding; characters the
// target cannot hold become '?' and the notes say "conversion_loss".
#include <string>
#include <string_view>

namespace tessaro {

class XmlEncoding {
 public:
  struct Converted {
    std::string text;
    // Space-separated notes: the encoding found and anything replaced.
    std::string notes;
  };

  static Converted Decode(std::string_view bytes);
  static Converted Encode(std::string_view text);
  // The value of encoding="..." in a declaration at the start of the text.
  static std::string DeclaredEncoding(std::string_view text);
};

}  // namespace tessaro
