#include <gtest/gtest.h>

#include "app/exchange/ExchangeTestSupport.h"
#include "app/exchange/MacroExchange.h"
#include "app/exchange/ProfileExchange.h"

namespace tessaro {
namespace {

using testing::ExchangeRig;

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

std::string Nested(const std::string& root, int depth) {
  std::string text = std::string(kDeclaration) + "<" + root + ">";
  for (int i = 0; i < depth; ++i) text += "<a>";
  for (int i = 0; i < depth; ++i) text += "</a>";
  return text + "</" + root + ">";
}

const std::string kProfile = std::string(kDeclaration) +
                             "<profile><profileinfo name=\"p\"/><keyitems>"
                             "<item key_code=\"65\" macro_type=\"2\" macro_value=\"4\"/>"
                             "</keyitems></profile>";
const std::string kMacro = std::string(kDeclaration) +
                           "<macro><macroinfo name=\"m\" times=\"1\"/><macroitems>"
                           "<item desc=\"A\" type=\"2\" value=\"65\"/></macroitems></macro>";

// Files neither importer may take: each leaves the store as it was.
TEST(ExchangeBadInput, RefusedFilesStoreNothing) {
  const std::string mega(1024 * 1024, 'x');
  struct Case {
    const char* what;
    std::string bytes;  // empty: no file at all
    ImportStatus profile;
    ImportStatus macro;
  } cases[] = {
      {"missing", "", ImportStatus::kCannotRead, ImportStatus::kCannotRead},
      {"ill-formed", "<profile><keyitems><item></profile>", ImportStatus::kNotWellFormed,
       ImportStatus::kNotWellFormed},
      {"truncated profile", kProfile.substr(0, kProfile.size() / 2), ImportStatus::kNotWellFormed,
       ImportStatus::kNotWellFormed},
      {"profile for macro", kProfile, ImportStatus::kImported, ImportStatus::kWrongKind},
      {"macro for profile", kMacro, ImportStatus::kWrongKind, ImportStatus::kImported},
      {"other root", std::string(kDeclaration) + "<config/>", ImportStatus::kWrongKind,
       ImportStatus::kWrongKind},
      {"profile without key list", std::string(kDeclaration) + "<profile/>",
       ImportStatus::kWrongKind, ImportStatus::kWrongKind},
      {"deep nesting", Nested("profile", 200000), ImportStatus::kWrongKind,
       ImportStatus::kWrongKind},
      {"huge", std::string(kDeclaration) + "<macro>" + std::string(17 << 20, ' ') + "</macro>",
       ImportStatus::kTooLarge, ImportStatus::kTooLarge},
      {"megabyte attribute",
       std::string(kDeclaration) + "<profile><keyitems><item key_code=\"65\" macro_type=\"2\" " +
           "macro_value=\"4\" macro_desc=\"" + mega + "\"/></keyitems></profile>",
       ImportStatus::kTooLarge, ImportStatus::kWrongKind},
      {"megabyte step",
       std::string(kDeclaration) + "<macro><macroitems><item desc=\"" + mega +
           "\"/></macroitems></macro>",
       ImportStatus::kWrongKind, ImportStatus::kTooLarge},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const bool profile : {true, false}) {
      ExchangeRig rig;
      const std::string path =
          c.bytes.empty() ? rig.File("missing.xml") : rig.Write("file.xml", c.bytes);
      const ImportStatus expected = profile ? c.profile : c.macro;
      const size_t rows = rig.Rows();
      const ImportStatus status = profile ? ProfileExchange(rig.store).ImportProfile(path).status
                                          : MacroExchange(rig.store).ImportMacro(path).status;
      EXPECT_EQ(status, expected) << (profile ? "profile" : "macro");
      if (expected != ImportStatus::kImported) {
        EXPECT_EQ(rig.Rows(), rows) << (profile ? "profile" : "macro");
      }
    }
  }
}

// Entities are never expanded, and nothing outside the file is read.
TEST(ExchangeBadInput, EntitiesStayText) {
  ExchangeRig rig;
  std::string doctype = "<!DOCTYPE profile [<!ENTITY lol \"lol\">";
  for (int i = 1; i < 10; ++i) {
    doctype += "<!ENTITY lol" + std::to_string(i) + " \"";
    for (int j = 0; j < 10; ++j)
      doctype += "&lol" + (i == 1 ? std::string() : std::to_string(i - 1)) + ";";
    doctype += "\">";
  }
  doctype += "<!ENTITY secret SYSTEM \"file:///etc/passwd\">]>";
  const std::string path =
      rig.Write("lol.xml", std::string(kDeclaration) + doctype +
                               "<profile><keyitems><item key_code=\"65\" macro_type=\"10\" "
                               "macro_desc=\"&lol9;&secret;\"/></keyitems></profile>");
  const ProfileImportResult result = ProfileExchange(rig.store).ImportProfile(path);
  if (result.status != ImportStatus::kImported) return;  // refusing is fine too
  for (const KeyAssignment& key : rig.Keys(result.profile_id)) {
    EXPECT_LT(key.macro_desc.size(), 100u);
    EXPECT_EQ(key.macro_desc.find("root:"), std::string::npos);
  }
}

}  // namespace
}  // namespace tessaro
