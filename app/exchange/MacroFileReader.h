#pragma once
// Reads a macro file into plain records, without touching the store. The
// macro's stored name is not read: an imported macro is named after its file.
#include <vector>

#include "app/exchange/ExchangeFile.h"

namespace tessaro {

struct MacroFileContent {
  MacroRecord record;  // play_times, delay_type and delay_time; 0 when missing
  std::vector<MacroStep> steps;
};

ImportStatus ReadMacroFile(XmlDocument& document, MacroFileContent& content);

}  // namespace tessaro
