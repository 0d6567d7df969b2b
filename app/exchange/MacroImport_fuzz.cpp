// Feeds arbitrary bytes to the macro import as a file and checks what it
// stored: a macro named after the file, within the playable ranges, its steps
// numbered from 0.
#include <cstddef>
#include <cstdint>

#include "app/exchange/ExchangeFuzzRig.h"
#include "app/exchange/MacroExchange.h"

using tessaro::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto& rig = tessaro::fuzz::ExchangeFuzzRig::Instance();
  const std::string path = rig.Write(data, size);
  const tessaro::MacroImportResult result = tessaro::MacroExchange(rig.store).ImportMacro(path);
  if (result.status != tessaro::ImportStatus::kImported) return 0;
  tessaro::MacroRecord macro;
  Check(rig.store.GetMacro(result.macro.macro_id, macro));
  Check(macro.name == "Fuzz");
  Check(macro.play_times >= 1 && macro.play_times <= 99);
  Check(macro.delay_time >= 0 && macro.delay_time <= 31000);
  std::vector<tessaro::MacroStep> steps;
  rig.store.LoadMacroSteps(macro.macro_id, steps);
  for (size_t i = 0; i < steps.size(); ++i) {
    Check(steps[i].record_index == static_cast<int32_t>(i));
    Check(steps[i].delay_time >= 0 && steps[i].delay_time <= 31000);
  }
  return 0;
}
