#pragma once
// Reads a profile file into plain records, without touching the store: the
// macros it carries (name, the exporting store's macro id, play settings and
// steps) and its key assignments. Play counts and delays are clamped; macros
// without a name (written by older versions for macros that no longer
// existed) are left out. A file without its `keyitems` list is no profile file.
#include <vector>

#include "app/exchange/ExchangeFile.h"

namespace tessaro {

struct FileMacro {
  MacroRecord record;  // macro_id is the exporting store's id
  std::vector<MacroStep> steps;
};

struct ProfileFileContent {
  std::vector<FileMacro> macros;
  std::vector<KeyAssignment> keys;  // profile and key_id are 0
};

ImportStatus ReadProfileFile(XmlDocument& document, ProfileFileContent& content);

}  // namespace tessaro
