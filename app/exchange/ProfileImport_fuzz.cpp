// Feeds arbitrary bytes to the profile import as a file and checks what it
// stored: macros within the playable ranges, macro keys that play a macro of
// this store.
#include <cstddef>
#include <cstdint>

#include "app/exchange/ExchangeFuzzRig.h"
#include "app/exchange/ProfileExchange.h"
#include "app/macros/MacroType.h"

using tessaro::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto& rig = tessaro::fuzz::ExchangeFuzzRig::Instance();
  const std::string path = rig.Write(data, size);
  const tessaro::ProfileImportResult result =
      tessaro::ProfileExchange(rig.store).ImportProfile(path);
  if (result.status != tessaro::ImportStatus::kImported) return 0;
  Check(result.profile_id != 0 && result.profile_name == "Fuzz");
  for (const tessaro::MacroRecord& macro : result.new_macros) {
    Check(macro.play_times >= 1 && macro.play_times <= 99);
    Check(macro.delay_time >= 0 && macro.delay_time <= 31000);
  }
  std::vector<tessaro::KeyAssignment> keys;
  rig.store.LoadKeyAssignments(result.profile_id, 0, keys);
  for (const tessaro::KeyAssignment& key : keys) {
    tessaro::MacroRecord macro;
    if (key.macro_type == tessaro::macro_type::kMacro) {
      Check(rig.store.GetMacro(key.macro_value, macro));
    }
  }
  return 0;
}
