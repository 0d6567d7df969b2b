#pragma once
// The file dialogs of the four exchange commands, each with its one filter.
// The main window shows them and hands the chosen path to the exchange core;
// a cancel, or an import path that does not exist, ends the command quietly.
#include <optional>
#include <string>

#include "platform/system/FileDialog.h"

namespace tessaro {

enum class ExchangeCommand { kExportProfile, kImportProfile, kExportMacro, kImportMacro };

// The options of the command's dialog: its filter, and for an export the file
// name offered ("<name>.xml").
platform::FileDialogOptions ExchangeDialogOptions(ExchangeCommand command, const std::string& title,
                                                  const std::string& name = {});

// Shows the command's dialog: the chosen path, or nullopt when the user
// cancelled, no dialog could be shown, or an import names no existing file.
std::optional<std::string> ChooseExchangeFile(platform::FileDialog& dialog, ExchangeCommand command,
                                              const platform::FileDialogOptions& options);

}  // namespace tessaro
