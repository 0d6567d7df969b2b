#pragma once
// What profile and macro files share: how an import ends, the limits a file
// must keep to, the ranges imported values are held to, and the name an
// imported profile or macro takes from its file.
#include <cstdint>
#include <string>
#include <string_view>

#include <vector>

#include "app/store/Records.h"
#include "app/xml/XmlDocument.h"

namespace tessaro {

enum class ImportStatus {
  kImported,
  kCannotRead,     // missing or unreadable file
  kTooLarge,       // the file, a text or a count beyond the limits: refused as hostile
  kNotWellFormed,  // no XML document
  kWrongKind,      // well formed, but not a file of this kind
  kStoreFailed,    // the database refused a write; nothing was stored
};

namespace exchange {

inline constexpr uint64_t kMaxFileBytes = 16 * 1024 * 1024;
// A name, a description or a text to type; far beyond anything the program
// writes, far below what could hurt.
inline constexpr size_t kMaxTextBytes = 64 * 1024;
inline constexpr size_t kMaxKeys = 4096;
inline constexpr size_t kMaxMacros = 4096;
inline constexpr size_t kMaxStepsPerMacro = 65536;
inline constexpr size_t kMaxStepsPerFile = 262144;

inline constexpr int32_t kMinPlayTimes = 1;
inline constexpr int32_t kMaxPlayTimes = 99;
inline constexpr int32_t kMinDelayMs = 0;
inline constexpr int32_t kMaxDelayMs = 31000;

int32_t ClampPlayTimes(int32_t times);
int32_t ClampDelay(int32_t delay_ms);

// The file's name without its folder, cut before its first period:
// "/x/Office.backup.xml" gives "Office", "/x/abc" gives "abc". A name that
// would be empty keeps the name up to its last period (".hidden.xml" gives
// ".hidden"), or whole when that is empty too (".xml").
std::string NameFromFileName(std::string_view path);

// Loads the file into the document unless it is missing or too large; then
// kImported when it is well formed.
ImportStatus LoadExchangeFile(const std::string& path, XmlDocument& document);

// Reads attributes of the current element, counting texts that are too long.
class AttributeReader {
 public:
  explicit AttributeReader(const XmlDocument& document) : document_(document) {}
  std::string Text(std::string_view name);
  // Parsed like wcstol: a missing or non-numeric value is 0.
  int32_t Number(std::string_view name);
  bool TooLong() const { return too_long_; }

 private:
  const XmlDocument& document_;
  bool too_long_ = false;
};

// The `item` children of the current parent (a `macroitems` element that has
// been entered) as macro steps, in file order: record_index counts from 0, the
// delay is clamped. False when the steps exceed the limits (the macro's own,
// or the file's running total in steps_in_file).
bool ReadMacroItems(XmlDocument& document, AttributeReader& reader, std::vector<MacroStep>& steps,
                    size_t& steps_in_file);
// Adds one `item` per step inside the current parent, with desc, type, value
// and delay_time.
void WriteMacroItems(XmlDocument& document, const std::vector<MacroStep>& steps);

}  // namespace exchange
}  // namespace tessaro
