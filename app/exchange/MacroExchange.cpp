#include "app/exchange/MacroExchange.h"

#include "app/exchange/MacroFileReader.h"

namespace tessaro {

bool MacroExchange::ExportMacro(int32_t macro_id, const std::string& path) {
  MacroRecord macro;
  if (!store_.GetMacro(macro_id, macro)) return false;
  std::vector<MacroStep> steps;
  store_.LoadMacroSteps(macro_id, steps);

  XmlDocument document;
  document.SetDocument(XmlDocument::kUtf8Declaration);
  document.AddElement("macro");
  document.IntoElement();
  document.AddElement("macroinfo");
  document.SetAttribute("name", macro.name);
  document.SetAttribute("times", std::to_string(macro.play_times));
  document.SetAttribute("type", std::to_string(macro.delay_type));
  document.SetAttribute("delaytime", std::to_string(macro.delay_time));
  document.AddElement("macroitems");
  document.IntoElement();
  exchange::WriteMacroItems(document, steps);
  return document.SaveFile(path);
}

MacroImportResult MacroExchange::ImportMacro(const std::string& path) {
  MacroImportResult result;
  XmlDocument document;
  MacroFileContent content;
  result.status = exchange::LoadExchangeFile(path, document);
  if (result.status == ImportStatus::kImported) result.status = ReadMacroFile(document, content);
  if (result.status != ImportStatus::kImported) return result;

  MacroRecord macro = content.record;
  macro.name = exchange::NameFromFileName(path);
  const bool stored = store_.RunInTransaction([&] {
    macro.macro_id = store_.InsertMacro(macro);
    if (macro.macro_id == 0) return false;
    for (MacroStep step : content.steps) {
      step.macro_id = macro.macro_id;
      if (store_.AddMacroStep(step) == 0) return false;
    }
    return true;
  });
  if (!stored) return {ImportStatus::kStoreFailed, {}};
  result.macro = macro;
  return result;
}

}  // namespace tessaro
