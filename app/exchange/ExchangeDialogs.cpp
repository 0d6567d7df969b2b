#include "app/exchange/ExchangeDialogs.h"

#include <filesystem>
#include <system_error>

namespace tessaro {
namespace {

constexpr const char* kPattern = "*.xml";

const char* FilterName(ExchangeCommand command) {
  switch (command) {
    case ExchangeCommand::kExportProfile:
      return "Profile (*.xml)";
    case ExchangeCommand::kImportProfile:
      return "Custom Key (*.xml)";
    case ExchangeCommand::kExportMacro:
      return "Macro (*.xml)";
    case ExchangeCommand::kImportMacro:
      break;
  }
  return "Macros (*.xml)";
}

bool IsExport(ExchangeCommand command) {
  return command == ExchangeCommand::kExportProfile || command == ExchangeCommand::kExportMacro;
}

}  // namespace

platform::FileDialogOptions ExchangeDialogOptions(ExchangeCommand command, const std::string& title,
                                                  const std::string& name) {
  platform::FileDialogOptions options;
  options.title = title;
  options.filter_name = FilterName(command);
  options.filter_pattern = kPattern;
  if (IsExport(command) && !name.empty()) options.suggested_name = name + ".xml";
  return options;
}

std::optional<std::string> ChooseExchangeFile(platform::FileDialog& dialog, ExchangeCommand command,
                                              const platform::FileDialogOptions& options) {
  const platform::FileDialogResult result =
      IsExport(command) ? dialog.ChooseSave(options) : dialog.ChooseOpen(options);
  if (result.choice != platform::FileChoice::kChosen || result.path.empty()) return std::nullopt;
  std::error_code error;
  if (!IsExport(command) && !std::filesystem::exists(result.path, error)) return std::nullopt;
  return result.path;
}

}  // namespace tessaro
