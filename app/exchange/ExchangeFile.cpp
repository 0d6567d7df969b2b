#include "app/exchange/ExchangeFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/xml/NumberText.h"

namespace tessaro::exchange {

int32_t ClampPlayTimes(int32_t times) {
  return std::clamp(times, kMinPlayTimes, kMaxPlayTimes);
}

int32_t ClampDelay(int32_t delay_ms) {
  return std::clamp(delay_ms, kMinDelayMs, kMaxDelayMs);
}

std::string NameFromFileName(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  const std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const size_t period = file.find('.');
  if (period != 0) return std::string(file.substr(0, period));
  const size_t last = file.find_last_of('.');
  return std::string(last == 0 ? file : file.substr(0, last));
}

ImportStatus LoadExchangeFile(const std::string& path, XmlDocument& document) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return ImportStatus::kCannotRead;
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return ImportStatus::kCannotRead;
  if (size > kMaxFileBytes) return ImportStatus::kTooLarge;
  if (!document.LoadFile(path)) {
    return document.IsWellFormed() ? ImportStatus::kCannotRead : ImportStatus::kNotWellFormed;
  }
  return ImportStatus::kImported;
}

std::string AttributeReader::Text(std::string_view name) {
  std::string text = document_.GetAttribute(name);
  if (text.size() > kMaxTextBytes) {
    too_long_ = true;
    text.clear();
  }
  return text;
}

int32_t AttributeReader::Number(std::string_view name) {
  return ParseLong(Text(name));
}

bool ReadMacroItems(XmlDocument& document, AttributeReader& reader, std::vector<MacroStep>& steps,
                    size_t& steps_in_file) {
  while (document.FindElement("item")) {
    if (steps.size() >= kMaxStepsPerMacro || ++steps_in_file > kMaxStepsPerFile) return false;
    MacroStep step;
    step.record_index = static_cast<int32_t>(steps.size());
    step.desc = reader.Text("desc");
    step.type = reader.Number("type");
    step.value = reader.Number("value");
    step.delay_time = ClampDelay(reader.Number("delay_time"));
    steps.push_back(std::move(step));
  }
  return true;
}

void WriteMacroItems(XmlDocument& document, const std::vector<MacroStep>& steps) {
  for (const MacroStep& step : steps) {
    document.AddElement("item");
    document.SetAttribute("desc", step.desc);
    document.SetAttribute("type", std::to_string(step.type));
    document.SetAttribute("value", std::to_string(step.value));
    document.SetAttribute("delay_time", std::to_string(step.delay_time));
  }
}

}  // namespace tessaro::exchange
