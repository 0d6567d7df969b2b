#pragma once
// Profile files: a profile's key assignments together with every macro its
// keys play, so that the profile works on another computer.
//
// Keys that start a program, open a web page, type a text or switch profile
// (kinds 8 to 11) point at payload rows of the exporting store. The file
// carries the payload itself in the key's macro_desc (the program's path, the
// address, the text, the profile's name) with macro_value 0, and an import
// re-creates the row. A key whose payload cannot be re-created (no absolute
// program path, no profile of that name) is left out and counted.
//
// An import stores all or nothing, in one transaction.
#include <string>
#include <vector>

#include "app/exchange/ExchangeFile.h"
#include "app/store/ConfigStore.h"

namespace tessaro {

struct ProfileImportResult {
  ImportStatus status = ImportStatus::kCannotRead;
  int32_t profile_id = 0;  // the new, now active, profile
  std::string profile_name;
  // The macros stored, in file order, for the macro page's list.
  std::vector<MacroRecord> new_macros;
  // Keys left out because what they did cannot be brought over.
  int dropped_keys = 0;
};

class ProfileExchange {
 public:
  explicit ProfileExchange(ConfigStore& store) : store_(store) {}

  // The profile's keys of layer 0 and the macros they play, written to path.
  // Keys of macros that no longer exist, and keys whose payload row is
  // missing, are left out. True when the file was written.
  bool ExportProfile(int32_t profile_id, const std::string& name, const std::string& path);
  // A new profile named after the file, made the active one.
  ProfileImportResult ImportProfile(const std::string& path);

 private:
  ConfigStore& store_;
};

}  // namespace tessaro
