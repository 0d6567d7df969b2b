#include "app/exchange/MacroFileReader.h"

namespace tessaro {

ImportStatus ReadMacroFile(XmlDocument& document, MacroFileContent& content) {
  content = {};
  if (!document.IsWellFormed()) return ImportStatus::kNotWellFormed;
  document.ResetPosition();
  if (!document.FindElement("macro")) return ImportStatus::kWrongKind;
  exchange::AttributeReader reader(document);
  document.IntoElement();
  if (document.FindElement("macroinfo")) {
    content.record.play_times = reader.Number("times");
    content.record.delay_type = reader.Number("type");
    content.record.delay_time = reader.Number("delaytime");
  }
  // A missing macroinfo leaves the settings 0; the play count still has to be
  // one the player can run.
  content.record.play_times = exchange::ClampPlayTimes(content.record.play_times);
  content.record.delay_time = exchange::ClampDelay(content.record.delay_time);
  if (document.FindElement("macroitems")) {
    document.IntoElement();
    size_t steps_in_file = 0;
    if (!exchange::ReadMacroItems(document, reader, content.steps, steps_in_file)) {
      return ImportStatus::kTooLarge;
    }
  }
  return reader.TooLong() ? ImportStatus::kTooLarge : ImportStatus::kImported;
}

}  // namespace tessaro
