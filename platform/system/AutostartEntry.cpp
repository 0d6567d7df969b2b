#include "platform/system/AutostartEntry.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace platform {
namespace fs = std::filesystem;

std::string DesktopAutostartEntry::QuoteExec(const std::string& argument) {
  // Quoting of the Exec key: the argument in double quotes, with " ` $ \ escaped
  // by a backslash and % doubled; then the string-value escaping of the file,
  // which doubles every backslash once more.
  std::string quoted = "\"";
  for (char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  quoted += '"';
  std::string escaped;
  for (char c : quoted) {
    if (c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

std::string DesktopAutostartEntry::UnquoteExec(const std::string& exec) {
  std::string value;
  for (size_t i = 0; i < exec.size(); ++i) {
    if (exec[i] == '\\' && i + 1 < exec.size() && exec[i + 1] == '\\') ++i;
    value += exec[i];
  }
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') return value;
  std::string argument;
  for (size_t i = 1; i + 1 < value.size(); ++i) {
    if (value[i] == '\\' && i + 2 < value.size())
      ++i;
    else if (value[i] == '%' && i + 2 < value.size() && value[i + 1] == '%')
      ++i;
    argument += value[i];
  }
  return argument;
}

std::optional<std::string> DesktopAutostartEntry::Read() {
  std::ifstream in(path_);
  if (!in) return std::nullopt;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("Exec=", 0) == 0) return UnquoteExec(line.substr(5));
  }
  return std::nullopt;
}

bool DesktopAutostartEntry::Write(const std::string& command) {
  std::error_code error;
  fs::create_directories(fs::path(path_).parent_path(), error);
  std::ofstream out(path_, std::ios::trunc);
  out << "[Desktop Entry]\n"
      << "Type=Application\n"
      << "Name=" << name_ << "\n"
      << "Exec=" << QuoteExec(command) << "\n"
      << "Terminal=false\n"
      << "X-GNOME-Autostart-enabled=true\n";
  out.flush();
  return static_cast<bool>(out);
}

bool DesktopAutostartEntry::Remove() {
  std::error_code error;
  fs::remove(path_, error);
  return !fs::exists(path_, error);
}

bool FakeAutostartEntry::Write(const std::string& text) {
  ++writes;
  command = text;
  return true;
}

bool FakeAutostartEntry::Remove() {
  ++removes;
  command.reset();
  return true;
}

}  // namespace platform
