#include "app/exchange/ExchangeMessages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/shell/Language.h"
#include "app/shell/ProfileFile.h"

namespace tessaro::exchange {
namespace {

const int kLanguages[] = {Language::kEnglish, Language::kChineseSimplified,
                          Language::kPortugueseBrazil};

std::string TextOf(int language, int key) {
  const ProfileFile file(std::string(TESSARO_SOURCE_DIR) + "/data/language/" +
                         std::to_string(language) + ".lan");
  return file.ReadString(Language::kDialogSection, std::to_string(key));
}

struct Case {
  const char* what;
  std::optional<ExchangeMessage> message;
  std::optional<ExchangeMessage> expected;
};

std::vector<Case> Cases() {
  using S = ImportStatus;
  using E = ExportOutcome;
  auto box = [](int title, int text) { return std::optional(ExchangeMessage{title, text}); };
  const std::optional<ExchangeMessage> none;
  return {
      {"profile imported", ProfileImportMessage(S::kImported, 0), none},
      {"profile without 3 keys", ProfileImportMessage(S::kImported, 3),
       ExchangeMessage{kImportTitle, kKeysLeftOutText, kKeysLeftOutCountLabel, 3}},
      {"profile unreadable", ProfileImportMessage(S::kCannotRead, 0),
       box(kImportTitle, kCannotReadText)},
      {"profile too large", ProfileImportMessage(S::kTooLarge, 0),
       box(kImportTitle, kTooLargeText)},
      {"profile not XML", ProfileImportMessage(S::kNotWellFormed, 0),
       box(kImportTitle, kNotWellFormedText)},
      {"macro file as profile", ProfileImportMessage(S::kWrongKind, 0),
       box(kImportTitle, kNotAProfileFileText)},
      // A refused file never stored a key, whatever the count says.
      {"profile store failed", ProfileImportMessage(S::kStoreFailed, 2),
       box(kImportTitle, kStoreFailedText)},
      {"macro imported", MacroImportMessage(S::kImported), none},
      {"macro unreadable", MacroImportMessage(S::kCannotRead), box(kImportTitle, kCannotReadText)},
      {"macro too large", MacroImportMessage(S::kTooLarge), box(kImportTitle, kTooLargeText)},
      {"macro not XML", MacroImportMessage(S::kNotWellFormed),
       box(kImportTitle, kNotWellFormedText)},
      {"profile file as macro", MacroImportMessage(S::kWrongKind),
       box(kImportTitle, kNotAMacroFileText)},
      {"macro store failed", MacroImportMessage(S::kStoreFailed),
       box(kImportTitle, kStoreFailedText)},
      {"profile written", ProfileExportMessage(E::kWritten), none},
      {"no profile selected", ProfileExportMessage(E::kNothingSelected),
       box(kExportTitle, kNoProfileSelectedText)},
      {"profile not saved", ProfileExportMessage(E::kWriteFailed),
       box(kExportTitle, kWriteFailedText)},
      {"macro written", MacroExportMessage(E::kWritten), none},
      {"no macro selected", MacroExportMessage(E::kNothingSelected),
       box(kExportTitle, kNoMacroSelectedText)},
      {"macro not saved", MacroExportMessage(E::kWriteFailed), box(kExportTitle, kWriteFailedText)},
  };
}

TEST(ExchangeMessages, EveryOutcomeHasItsBoxWithTextsInEveryLanguage) {
  std::set<int> texts;
  for (const auto& c : Cases()) {
    EXPECT_EQ(c.message, c.expected) << c.what;
    if (!c.message) continue;
    texts.insert(c.message->text_key);
    for (const int key : {c.message->title_key, c.message->text_key, c.message->count_label_key}) {
      if (key == 0) continue;
      for (const int language : kLanguages) {
        EXPECT_NE(TextOf(language, key), "") << c.what << ": " << language << " " << key;
      }
    }
  }
  // Each refusal says what went wrong in its own words.
  EXPECT_EQ(texts.size(), 10u);
}

TEST(ExchangeMessages, ComposedTextEndsWithTheCountOnItsOwnLine) {
  const ExchangeMessage message = *ProfileImportMessage(ImportStatus::kImported, 12);
  const auto compose = [&](int language) {
    return ComposeMessage(message, [language](int key) { return TextOf(language, key); });
  };
  const MessageBoxText english = compose(Language::kEnglish);
  EXPECT_EQ(english.title, "Import");
  EXPECT_TRUE(english.text.starts_with("The profile was imported, but ")) << english.text;
  EXPECT_TRUE(english.text.ends_with(").\n\nKeys left out: 12")) << english.text;
  EXPECT_TRUE(compose(Language::kChineseSimplified).text.ends_with("\n\n未导入的按键数：12"));
  EXPECT_TRUE(compose(Language::kPortugueseBrazil).text.ends_with("\n\nTeclas não importadas: 12"));

  const MessageBoxText plain =
      ComposeMessage(*MacroExportMessage(ExportOutcome::kNothingSelected),
                     [](int key) { return TextOf(Language::kEnglish, key); });
  EXPECT_EQ(plain.title, "Export");
  EXPECT_EQ(plain.text, "Select the macro to export first.");
}

}  // namespace
}  // namespace tessaro::exchange
