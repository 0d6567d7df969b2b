#include "app/macros/SoftwareFunctions.h"

#include <optional>

#include "app/macros/MacroType.h"
#include "app/macros/WebAddress.h"
#include "app/xml/NumberText.h"

namespace tessaro {
namespace {

constexpr int kCtrlUsage = 224;
constexpr int kVUsage = 25;

}  // namespace

bool SoftwareFunctions::RunSoftwareFunction(int32_t other_data_id) {
  KeyOtherData row;
  if (!store_.GetKeyOtherData(other_data_id, row)) return false;
  switch (row.type) {
    case macro_type::kProgram:
      if (row.param.empty()) return false;
      // A program is started itself; a document or folder goes to the
      // desktop's opener, as the shell's "open" would.
      if (runner_.IsExecutableFile(row.param)) return runner_.Spawn(row.param, {});
      return runner_.Spawn(kOpener, {row.param});
    case macro_type::kWebPage: {
      const std::string address = WebAddressToOpen(row.macro_desc);
      if (address.empty()) return false;
      return runner_.Spawn(kOpener, {address});
    }
    case macro_type::kText:
      if (row.macro_desc.empty()) return false;
      TypeText(row.macro_desc);
      return true;
    case macro_type::kProfile: {
      const int32_t profile = ParseLong(row.param);
      if (profile <= 0 || !store_.SetActiveProfile(profile)) return false;
      if (switch_profile_) switch_profile_(profile);
      return true;
    }
    default:
      return false;
  }
}

void SoftwareFunctions::TypeText(const std::string& text) {
  const std::optional<std::string> previous = clipboard_.Text();
  if (text.empty()) {
    clipboard_.Clear();
  } else {
    clipboard_.SetText(text);
  }
  if (device_.ReopenDevice()) {
    device_.KeyEvent(kCtrlUsage, true);
    device_.KeyEvent(kVUsage, true);
    clock_.SleepFor(kPasteHold);
    device_.KeyEvent(kVUsage, false);
    device_.KeyEvent(kCtrlUsage, false);
    // The focused program asks for the text only after it has seen Ctrl+V;
    // taking the clipboard back before that would paste the old content.
    clipboard_.WaitUntilPasted(kPasteTimeout);
  }
  // What the user had on the clipboard comes back.
  if (previous) {
    clipboard_.SetText(*previous);
  } else {
    clipboard_.Clear();
  }
}

}  // namespace tessaro
