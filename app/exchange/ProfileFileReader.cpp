#include "app/exchange/ProfileFileReader.h"

namespace tessaro {
namespace {

using exchange::AttributeReader;

bool ReadMacros(XmlDocument& document, AttributeReader& reader, std::vector<FileMacro>& macros) {
  size_t steps_in_file = 0;
  while (document.FindElement("macroinfo")) {
    if (macros.size() >= exchange::kMaxMacros) return false;
    FileMacro macro;
    macro.record.name = reader.Text("name");
    macro.record.macro_id = reader.Number("macro_id");
    macro.record.play_times = exchange::ClampPlayTimes(reader.Number("times"));
    macro.record.delay_type = reader.Number("type");
    macro.record.delay_time = exchange::ClampDelay(reader.Number("delaytime"));
    document.IntoElement();
    if (document.FindElement("macroitems")) {
      document.IntoElement();
      if (!exchange::ReadMacroItems(document, reader, macro.steps, steps_in_file)) return false;
      document.OutOfElement();
    }
    document.OutOfElement();
    if (!macro.record.name.empty()) macros.push_back(std::move(macro));
  }
  return true;
}

bool ReadKeys(XmlDocument& document, AttributeReader& reader, std::vector<KeyAssignment>& keys) {
  document.IntoElement();
  while (document.FindElement("item")) {
    if (keys.size() >= exchange::kMaxKeys) return false;
    KeyAssignment key;
    key.fn_layer = reader.Number("fn_layer");
    key.key_code = reader.Number("key_code");
    key.layout_value = reader.Number("layout_value");
    key.layout_desc = reader.Text("layout_desc");
    key.macro_type = reader.Number("macro_type");
    key.macro_value = reader.Number("macro_value");
    key.macro_value2 = reader.Number("macro_value2");
    key.macro_value3 = reader.Number("macro_value3");
    key.macro_desc = reader.Text("macro_desc");
    keys.push_back(std::move(key));
  }
  return true;
}

}  // namespace

ImportStatus ReadProfileFile(XmlDocument& document, ProfileFileContent& content) {
  content = {};
  if (!document.IsWellFormed()) return ImportStatus::kNotWellFormed;
  document.ResetPosition();
  if (!document.FindElement("profile")) return ImportStatus::kWrongKind;
  AttributeReader reader(document);
  document.IntoElement();
  if (!ReadMacros(document, reader, content.macros)) return ImportStatus::kTooLarge;
  document.ResetPosition();
  document.FindElement("profile");
  document.IntoElement();
  // Every profile file has its key list, empty or not; without one this is
  // some other document with a profile root.
  if (!document.FindElement("keyitems")) return ImportStatus::kWrongKind;
  if (!ReadKeys(document, reader, content.keys)) return ImportStatus::kTooLarge;
  return reader.TooLong() ? ImportStatus::kTooLarge : ImportStatus::kImported;
}

}  // namespace tessaro
