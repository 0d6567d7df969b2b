#pragma once
// Macro files: one macro with its play settings and steps. An imported macro
// is a new macro named after its file, stored with its steps in one
// transaction.
#include <string>

#include "app/exchange/ExchangeFile.h"
#include "app/store/ConfigStore.h"

namespace tessaro {

struct MacroImportResult {
  ImportStatus status = ImportStatus::kCannotRead;
  MacroRecord macro;  // the stored macro (id and name) when imported
};

class MacroExchange {
 public:
  explicit MacroExchange(ConfigStore& store) : store_(store) {}

  // True when the macro exists and the file was written.
  bool ExportMacro(int32_t macro_id, const std::string& path);
  MacroImportResult ImportMacro(const std::string& path);

 private:
  ConfigStore& store_;
};

}  // namespace tessaro
