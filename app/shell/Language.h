#pragma once
// The current language and its texts. Every text the program shows comes from
// "<program folder>/language/<language id>.lan" (Windows language ids), looked
// up by a number in section "KB.DIALOG". The id in use is always the one stored
// as "LCID", so the next start shows the same language.
#include <atomic>
#include <functional>
#include <string>
#include <string_view>

#include "app/shell/Registry.h"
#include "platform/system/Environment.h"

namespace tessaro {

class Language {
 public:
  static constexpr int kChineseSimplified = 2052;
  static constexpr int kEnglish = 1033;
  static constexpr int kPortugueseBrazil = 1046;
  static constexpr const char* kDialogSection = "KB.DIALOG";

  // program_folder without a trailing slash (platform::Folders::ProgramFolder).
  Language(std::string program_folder, Registry& registry);

  // Whether the settings page offers the language (2052, 1033 and 1046).
  static bool IsOffered(int id);
  // The offered language for a POSIX locale name such as "pt_BR.UTF-8".
  static int FromLocale(std::string_view locale);
  // The offered language for the user's locale: the first non-empty one of
  // LC_ALL, LC_MESSAGES and LANG.
  static int SystemLanguage(const platform::Environment& environment);

  // Picks the language at start and stores it: the stored "LCID" when it is
  // offered and its file exists, else the system's language (or English when
  // that one's file is missing too). Returns the id now in use.
  int ChooseAtStart(const platform::Environment& environment);

  // Software reset: takes the language as a first start would, stores it and
  // relabels. Returns the id now in use.
  int ResetToSystem(const platform::Environment& environment);

  int Id() const { return id_.load(); }
  std::string FilePath(int id) const;

  // The text of key in section, "" when the file, section or key is missing.
  std::string GetText(int key, std::string_view section = kDialogSection) const;

  // Makes id current, stores it as "LCID" and relabels the window.
  void SetLanguage(int id);
  // What SetLanguage runs after the switch: the main window sets every label
  // again from the new file.
  void SetRelabel(std::function<void()> relabel) { relabel_ = std::move(relabel); }

  // The instance behind the free GetText; null until the shell installs one.
  static void SetProcessLanguage(Language* language);
  static Language* ProcessLanguage();

 private:
  bool HasFile(int id) const;
  // The system's language, or English when the system's has no file.
  int SystemChoice(const platform::Environment& environment) const;

  std::string program_folder_;
  Registry& registry_;
  std::atomic<int> id_{kEnglish};
  std::function<void()> relabel_;
};

// The process language's text of key; "" while no language is installed.
std::string GetText(int key, const char* section = Language::kDialogSection);

}  // namespace tessaro
