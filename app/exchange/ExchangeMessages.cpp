#include "app/exchange/ExchangeMessages.h"

namespace tessaro::exchange {
namespace {

// The texts every refused import shares; only a file of the other kind is
// named by what it is not.
std::optional<ExchangeMessage> RefusedImport(ImportStatus status, int wrong_kind_text) {
  switch (status) {
    case ImportStatus::kImported:
      return std::nullopt;
    case ImportStatus::kCannotRead:
      return ExchangeMessage{kImportTitle, kCannotReadText};
    case ImportStatus::kTooLarge:
      return ExchangeMessage{kImportTitle, kTooLargeText};
    case ImportStatus::kNotWellFormed:
      return ExchangeMessage{kImportTitle, kNotWellFormedText};
    case ImportStatus::kWrongKind:
      return ExchangeMessage{kImportTitle, wrong_kind_text};
    case ImportStatus::kStoreFailed:
      return ExchangeMessage{kImportTitle, kStoreFailedText};
  }
  // An out-of-range status still gets a box rather than silence.
  return ExchangeMessage{kImportTitle, kCannotReadText};
}

std::optional<ExchangeMessage> ExportMessage(ExportOutcome outcome, int nothing_selected_text) {
  switch (outcome) {
    case ExportOutcome::kWritten:
      return std::nullopt;
    case ExportOutcome::kNothingSelected:
      return ExchangeMessage{kExportTitle, nothing_selected_text};
    case ExportOutcome::kWriteFailed:
      return ExchangeMessage{kExportTitle, kWriteFailedText};
  }
  return ExchangeMessage{kExportTitle, kWriteFailedText};
}

// Chinese labels end in a full-width colon, which needs no space after it.
std::string CountLine(const std::string& label, int count) {
  const bool ascii_end = !label.empty() && static_cast<unsigned char>(label.back()) < 0x80;
  return label + (ascii_end ? " " : "") + std::to_string(count);
}

}  // namespace

std::optional<ExchangeMessage> ProfileImportMessage(ImportStatus status, int dropped_keys) {
  if (status == ImportStatus::kImported && dropped_keys > 0) {
    return ExchangeMessage{kImportTitle, kKeysLeftOutText, kKeysLeftOutCountLabel, dropped_keys};
  }
  return RefusedImport(status, kNotAProfileFileText);
}

std::optional<ExchangeMessage> MacroImportMessage(ImportStatus status) {
  return RefusedImport(status, kNotAMacroFileText);
}

std::optional<ExchangeMessage> ProfileExportMessage(ExportOutcome outcome) {
  return ExportMessage(outcome, kNoProfileSelectedText);
}

std::optional<ExchangeMessage> MacroExportMessage(ExportOutcome outcome) {
  return ExportMessage(outcome, kNoMacroSelectedText);
}

MessageBoxText ComposeMessage(const ExchangeMessage& message,
                              const std::function<std::string(int)>& text_of) {
  MessageBoxText box{text_of(message.title_key), text_of(message.text_key)};
  if (message.count_label_key != 0) {
    box.text += "\n\n" + CountLine(text_of(message.count_label_key), message.count);
  }
  return box;
}

}  // namespace tessaro::exchange
