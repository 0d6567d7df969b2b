#include "app/macros/WebAddress.h"

#include <algorithm>
#include <cctype>

namespace tessaro {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// "scheme://" with a scheme of a letter followed by letters, digits, "+", "-"
// and "."; a "host:port" text has no "//" after its colon. "mailto:" is the
// one scheme without "//" that people type into such a field.
bool HasScheme(std::string_view text) {
  if (Lower(text.substr(0, 7)) == "mailto:") return true;
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0 || text.substr(colon, 3) != "://") {
    return false;
  }
  if (!std::isalpha(static_cast<unsigned char>(text[0]))) return false;
  return std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
  });
}

// Hosts that "www." would only break.
bool IsPlainHost(std::string_view address) {
  if (address.front() == '[') return true;  // an IPv6 literal
  const std::string host = Lower(address.substr(0, address.find_first_of("/:?#")));
  if (host == "localhost") return true;
  return !host.empty() && std::all_of(host.begin(), host.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) || c == '.';
  });
}

}  // namespace

std::string WebAddressToOpen(std::string_view typed) {
  const std::string_view address = Trim(typed);
  if (address.empty()) return {};
  if (HasScheme(address)) return std::string(address);
  const bool add_www = Lower(address).find("www.") == std::string::npos && !IsPlainHost(address);
  return std::string("http://") + (add_www ? "www." : "") + std::string(address);
}

}  // namespace tessaro
