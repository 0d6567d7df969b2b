#pragma once
// What the window tells the user after an exchange command, as language keys
// (section KB.DIALOG): the caption and text of an OK-only message box. Free of
// any window, so that every outcome can be checked against the language files.
#include <functional>
#include <optional>
#include <string>

#include "app/exchange/ExchangeFile.h"

namespace tessaro {

// How an export command ended, as the window sees it.
enum class ExportOutcome {
  kWritten,
  kNothingSelected,  // no profile or macro selected in its list
  kWriteFailed,      // the export answered false: the file could not be saved
};

struct ExchangeMessage {
  int title_key = 0;
  int text_key = 0;
  // When non-zero, a line of this label followed by count ends the text.
  int count_label_key = 0;
  int count = 0;

  bool operator==(const ExchangeMessage&) const = default;
};

namespace exchange {

inline constexpr int kImportTitle = 26;
inline constexpr int kExportTitle = 27;
inline constexpr int kNoProfileSelectedText = 296;
inline constexpr int kNoMacroSelectedText = 540;
inline constexpr int kCannotReadText = 550;
inline constexpr int kTooLargeText = 551;
inline constexpr int kNotWellFormedText = 552;
inline constexpr int kNotAProfileFileText = 553;
inline constexpr int kNotAMacroFileText = 554;
inline constexpr int kStoreFailedText = 555;
inline constexpr int kKeysLeftOutText = 556;
inline constexpr int kKeysLeftOutCountLabel = 557;
inline constexpr int kWriteFailedText = 558;

// Nothing to say (nullopt) after a complete import: the new profile or macro
// shows up selected in its list. A profile imported without some of its keys
// says how many were left out.
std::optional<ExchangeMessage> ProfileImportMessage(ImportStatus status, int dropped_keys);
std::optional<ExchangeMessage> MacroImportMessage(ImportStatus status);
std::optional<ExchangeMessage> ProfileExportMessage(ExportOutcome outcome);
std::optional<ExchangeMessage> MacroExportMessage(ExportOutcome outcome);

struct MessageBoxText {
  std::string title;
  std::string text;
};

// The message's texts through text_of (GetText in the window). The count goes
// on a line of its own after its label, so no language file holds a format.
MessageBoxText ComposeMessage(const ExchangeMessage& message,
                              const std::function<std::string(int)>& text_of);

}  // namespace exchange
}  // namespace tessaro
