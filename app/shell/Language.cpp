#include "app/shell/Language.h"

#include <fstream>

#include "app/shell/ProfileFile.h"

namespace tessaro {
namespace {

std::atomic<Language*> process_language{nullptr};

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

Language::Language(std::string program_folder, Registry& registry)
    : program_folder_(std::move(program_folder)), registry_(registry) {}

bool Language::IsOffered(int id) {
  return id == kChineseSimplified || id == kEnglish || id == kPortugueseBrazil;
}

int Language::FromLocale(std::string_view locale) {
  // language[_territory][.codeset][@modifier]; the language alone decides.
  const std::string name = Lower(locale.substr(0, locale.find_first_of(".@")));
  const auto separator = name.find_first_of("_-");
  const std::string language = name.substr(0, separator);
  // Every Chinese locale gets the Chinese texts: readers of Traditional
  // Chinese (zh_TW, zh_HK) read Simplified far better than the English
  // alternative.
  if (language == "zh") return kChineseSimplified;
  // European Portuguese speakers, too, are better served by the Brazilian texts.
  if (language == "pt") return kPortugueseBrazil;
  return kEnglish;
}

int Language::SystemLanguage(const platform::Environment& environment) {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const auto value = environment.Get(variable);
    if (value && !value->empty()) return FromLocale(*value);
  }
  return kEnglish;
}

int Language::ChooseAtStart(const platform::Environment& environment) {
  const int stored = registry_.ReadLanguage();
  int chosen = stored;
  if (!IsOffered(stored) || !HasFile(stored)) chosen = SystemChoice(environment);
  id_.store(chosen);
  if (chosen != stored) registry_.WriteInt("LCID", chosen);
  return chosen;
}

int Language::ResetToSystem(const platform::Environment& environment) {
  const int chosen = SystemChoice(environment);
  SetLanguage(chosen);
  return chosen;
}

std::string Language::FilePath(int id) const {
  return program_folder_ + "/language/" + std::to_string(id) + ".lan";
}

std::string Language::GetText(int key, std::string_view section) const {
  return ProfileFile(FilePath(Id())).ReadString(section, std::to_string(key));
}

void Language::SetLanguage(int id) {
  id_.store(id);
  registry_.WriteInt("LCID", id);
  if (relabel_) relabel_();
}

void Language::SetProcessLanguage(Language* language) {
  process_language.store(language);
}

Language* Language::ProcessLanguage() {
  return process_language.load();
}

bool Language::HasFile(int id) const {
  return std::ifstream(FilePath(id)).is_open();
}

int Language::SystemChoice(const platform::Environment& environment) const {
  const int system = SystemLanguage(environment);
  return HasFile(system) ? system : kEnglish;
}

std::string GetText(int key, const char* section) {
  const Language* language = Language::ProcessLanguage();
  return language ? language->GetText(key, section) : std::string();
}

}  // namespace tessaro
