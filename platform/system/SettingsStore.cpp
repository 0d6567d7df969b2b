#include "platform/system/SettingsStore.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

namespace platform {
namespace fs = std::filesystem;
namespace {

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// The name of a "name=value" line; empty for sections, comments and blanks.
std::string LineName(const std::string& line) {
  std::string trimmed = Trim(line);
  if (trimmed.empty() || trimmed[0] == '[' || trimmed[0] == ';' || trimmed[0] == '#') return {};
  auto equals = trimmed.find('=');
  return equals == std::string::npos ? std::string() : Trim(trimmed.substr(0, equals));
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
  std::ifstream in(path);
  if (!in) return false;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return !in.bad();
}

bool WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  std::error_code error;
  fs::create_directories(fs::path(path).parent_path(), error);
  const std::string temporary = path + ".new";
  {
    std::ofstream out(temporary, std::ios::trunc);
    for (const auto& line : lines) out << line << '\n';
    out.flush();
    if (!out) {
      fs::remove(temporary, error);
      return false;
    }
  }
  fs::rename(temporary, path, error);
  if (error) fs::remove(temporary, error);
  return !error;
}

}  // namespace

SettingsStore::Open IniSettingsStore::OpenKey(bool create) {
  std::error_code error;
  if (fs::is_regular_file(path_, error)) return Open::kOpened;
  if (fs::exists(path_, error)) return Open::kFailed;  // a folder or a device in its place
  if (!create) return Open::kMissing;
  return WriteLines(path_, {"[settings]"}) ? Open::kOpened : Open::kFailed;
}

std::optional<std::string> IniSettingsStore::Read(const std::string& name) {
  std::vector<std::string> lines;
  if (!ReadLines(path_, lines)) return std::nullopt;
  for (const auto& line : lines) {
    if (LineName(line) == name) return Trim(line.substr(line.find('=') + 1));
  }
  return std::nullopt;
}

bool IniSettingsStore::Write(const std::string& name, const std::string& text) {
  std::vector<std::string> lines;
  std::error_code error;
  if (fs::exists(path_, error) && !ReadLines(path_, lines)) return false;
  if (lines.empty()) lines.push_back("[settings]");
  // One value per line: a line break in the text would forge another value.
  std::string value = text;
  for (char& c : value)
    if (c == '\n' || c == '\r') c = ' ';
  const std::string entry = name + "=" + value;
  bool replaced = false;
  for (auto& line : lines) {
    if (LineName(line) == name) {
      line = entry;
      replaced = true;
      break;
    }
  }
  if (!replaced) lines.push_back(entry);
  return WriteLines(path_, lines);
}

SettingsStore::Open FakeSettingsStore::OpenKey(bool create) {
  if (fail_open) return Open::kFailed;
  if (!key_exists && create) key_exists = true;
  return key_exists ? Open::kOpened : Open::kMissing;
}

std::optional<std::string> FakeSettingsStore::Read(const std::string& name) {
  if (!key_exists || fail_open) return std::nullopt;
  auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

bool FakeSettingsStore::Write(const std::string& name, const std::string& text) {
  if (fail_open) return false;
  key_exists = true;
  values[name] = text;
  return true;
}

}  // namespace platform
