#include "app/exchange/ProfileExchange.h"

#include <gtest/gtest.h>

#include "app/exchange/ExchangeTestSupport.h"
#include "app/macros/MacroType.h"

namespace tessaro {
namespace {

using testing::ExchangeRig;
using testing::Key;
using testing::ReadFile;
using testing::SideConnection;
using testing::Step;

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

// A profile with a plain key and a key that plays a macro of two steps.
struct SourceProfile {
  explicit SourceProfile(ConfigStore& store) {
    profile = store.AddProfile({0, "Gaming", "", 0, 0});
    macro = store.InsertMacro({0, "Q & \"7\"", 0, 2, 1, 50});
    store.AddMacroStep(Step(macro, 0, 2, 65, 10, "A"));
    store.AddMacroStep(Step(macro, 1, 3, 65, 0, "A"));
    KeyAssignment plain = Key(profile, 65, macro_type::kKey, 5, "B");
    plain.layout_value = 4;
    plain.layout_desc = "A";
    store.SaveKeyAssignment(plain);
    store.SaveKeyAssignment(Key(profile, 66, macro_type::kMacro, macro, "Q & \"7\""));
  }
  int32_t profile = 0;
  int32_t macro = 0;
};

TEST(ProfileExchange, ExportsTheExactWrittenForm) {
  ExchangeRig rig;
  SourceProfile source(rig.store);
  ProfileExchange exchange(rig.store);
  ASSERT_TRUE(exchange.ExportProfile(source.profile, "Gaming <1>", rig.File("out.xml")));
  const std::string id = std::to_string(source.macro);
  EXPECT_EQ(ReadFile(rig.File("out.xml")),
            std::string(kDeclaration) +
                "<profile>\r\n"
                "<profileinfo name=\"Gaming &lt;1&gt;\"/>\r\n"
                "<keyitems>\r\n"
                "<item fn_layer=\"0\" key_code=\"65\" layout_value=\"4\" layout_desc=\"A\" "
                "macro_type=\"2\" macro_value=\"5\" macro_value2=\"0\" macro_value3=\"0\" "
                "macro_desc=\"B\"/>\r\n"
                "<item fn_layer=\"0\" key_code=\"66\" layout_value=\"0\" layout_desc=\"\" "
                "macro_type=\"3\" macro_value=\"" +
                id +
                "\" macro_value2=\"0\" macro_value3=\"0\" "
                "macro_desc=\"Q &amp; &quot;7&quot;\"/>\r\n"
                "</keyitems>\r\n"
                "<macroinfo name=\"Q &amp; &quot;7&quot;\" macro_id=\"" +
                id +
                "\" times=\"2\" type=\"1\" delaytime=\"50\">\r\n"
                "<macroitems>\r\n"
                "<item desc=\"A\" type=\"2\" value=\"65\" delay_time=\"10\"/>\r\n"
                "<item desc=\"A\" type=\"3\" value=\"65\" delay_time=\"0\"/>\r\n"
                "</macroitems>\r\n"
                "</macroinfo>\r\n"
                "</profile>\r\n");

  const int32_t empty = rig.store.AddProfile({0, "Empty", "", 0, 0});
  ASSERT_TRUE(exchange.ExportProfile(empty, "Empty", rig.File("empty.xml")));
  EXPECT_EQ(ReadFile(rig.File("empty.xml")), std::string(kDeclaration) +
                                                 "<profile>\r\n"
                                                 "<profileinfo name=\"Empty\"/>\r\n"
                                                 "<keyitems/>\r\n"
                                                 "</profile>\r\n");
}

TEST(ProfileExchange, ReimportOnTheSameComputerKeepsTheMacros) {
  ExchangeRig rig;
  SourceProfile source(rig.store);
  ProfileExchange exchange(rig.store);
  ASSERT_TRUE(exchange.ExportProfile(source.profile, "Gaming", rig.File("Office.backup.xml")));
  const size_t macros = rig.Macros().size();

  const ProfileImportResult result = exchange.ImportProfile(rig.File("Office.backup.xml"));
  ASSERT_EQ(result.status, ImportStatus::kImported);
  EXPECT_EQ(result.profile_name, "Office");
  EXPECT_TRUE(result.new_macros.empty());
  EXPECT_EQ(rig.Macros().size(), macros);
  EXPECT_EQ(rig.store.GetActiveProfile(), result.profile_id);
  std::string name;
  ASSERT_TRUE(rig.store.GetProfileName(result.profile_id, name));
  EXPECT_EQ(name, "Office");
  const auto keys = rig.Keys(result.profile_id);
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[1].macro_value, source.macro);
  EXPECT_EQ(keys[0].layout_desc, "A");
  EXPECT_EQ(keys[0].layout_value, 4);
}

TEST(ProfileExchange, ImportOnAnotherComputerStoresTheMacrosAndRemapsTheKeys) {
  ExchangeRig there;
  SourceProfile source(there.store);
  // A second key playing the same macro writes it twice.
  there.store.SaveKeyAssignment(Key(source.profile, 67, macro_type::kMacro, source.macro, "x"));
  ProfileExchange(there.store).ExportProfile(source.profile, "Gaming", there.File("abc"));

  ExchangeRig here("other");
  // Same name, other id: not the same macro.
  here.store.InsertMacro({0, "Filler", 0, 1, 1, 0});
  const int32_t lookalike = here.store.InsertMacro({0, "Q & \"7\"", 0, 1, 1, 0});
  ASSERT_NE(lookalike, source.macro);
  ProfileExchange exchange(here.store);
  const ProfileImportResult result = exchange.ImportProfile(there.File("abc"));
  ASSERT_EQ(result.status, ImportStatus::kImported);
  EXPECT_EQ(result.profile_name, "abc");
  ASSERT_EQ(result.new_macros.size(), 2u);
  const int32_t second = result.new_macros[1].macro_id;
  EXPECT_EQ(here.Macros().size(), 4u);
  const auto steps = here.Steps(second);
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0].delay_time, 10);
  EXPECT_EQ(steps[1].record_index, 1);

  const auto keys = here.Keys(result.profile_id);
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0].macro_value, 5);
  EXPECT_EQ(keys[1].macro_value, second);
  EXPECT_EQ(keys[2].macro_value, second);
}

TEST(ProfileExchange, SoftwareFunctionKeysCarryTheirPayload) {
  ExchangeRig there;
  const int32_t profile = there.store.AddProfile({0, "Work", "", 0, 0});
  const int32_t target = there.store.AddProfile({0, "Music", "", 0, 0});
  const auto add = [&](int32_t code, int32_t kind, const KeyOtherData& row, const char* desc) {
    there.store.SaveKeyAssignment(Key(profile, code, kind, there.store.AddKeyOtherData(row), desc));
  };
  add(65, macro_type::kProgram, {"editor", "/usr/bin/editor", macro_type::kProgram}, "editor");
  add(66, macro_type::kWebPage, {"example.org", "", macro_type::kWebPage}, "example.org");
  add(67, macro_type::kText, {"Hi & bye", "", macro_type::kText}, "Hi & bye");
  add(68, macro_type::kProfile, {"Music", std::to_string(target), macro_type::kProfile}, "Music");
  add(69, macro_type::kProfile, {"Gone", "77", macro_type::kProfile}, "Gone");
  // A key whose payload row is missing cannot be exported.
  there.store.SaveKeyAssignment(Key(profile, 70, macro_type::kWebPage, 9999, "lost"));
  ProfileExchange(there.store).ExportProfile(profile, "Work", there.File("work.xml"));
  const std::string text = ReadFile(there.File("work.xml"));
  EXPECT_NE(text.find("macro_type=\"8\" macro_value=\"0\" macro_value2=\"0\" macro_value3=\"0\" "
                      "macro_desc=\"/usr/bin/editor\""),
            std::string::npos);
  EXPECT_EQ(text.find("key_code=\"70\""), std::string::npos);

  ExchangeRig here("other");
  here.store.AddKeyOtherData({"unrelated", "/bin/unrelated", macro_type::kProgram});
  const int32_t music = here.store.AddProfile({0, "Music", "", 0, 0});
  const ProfileImportResult result =
      ProfileExchange(here.store).ImportProfile(there.File("work.xml"));
  ASSERT_EQ(result.status, ImportStatus::kImported);
  EXPECT_EQ(result.dropped_keys, 1);  // profile "Gone" does not exist here
  const auto keys = here.Keys(result.profile_id);
  ASSERT_EQ(keys.size(), 4u);
  struct Expected {
    const char* desc;
    const char* param;
  } expected[] = {
      {"editor", "/usr/bin/editor"}, {"example.org", ""}, {"Hi & bye", ""}, {"Music", nullptr}};
  for (size_t i = 0; i < keys.size(); ++i) {
    KeyOtherData row;
    ASSERT_TRUE(here.store.GetKeyOtherData(keys[i].macro_value, row)) << i;
    EXPECT_EQ(row.type, keys[i].macro_type);
    EXPECT_EQ(row.macro_desc, expected[i].desc);
    EXPECT_EQ(keys[i].macro_desc, expected[i].desc);
    EXPECT_EQ(row.param, expected[i].param ? expected[i].param : std::to_string(music));
  }
}

TEST(ProfileExchange, MissingMacrosAreSkippedOnBothSides) {
  ExchangeRig rig;
  SourceProfile source(rig.store);
  const int32_t doomed = rig.store.InsertMacro({0, "Doomed", 0, 1, 1, 0});
  rig.store.SaveKeyAssignment(Key(source.profile, 70, macro_type::kMacro, doomed, "Doomed"));
  // The row stays behind as it would after a store written by older versions.
  SideConnection(rig.store.Path())
      .Exec("DELETE FROM t_macro_data WHERE macro_id = " + std::to_string(doomed));
  ProfileExchange exchange(rig.store);
  ASSERT_TRUE(exchange.ExportProfile(source.profile, "Gaming", rig.File("g.xml")));
  const std::string text = ReadFile(rig.File("g.xml"));
  EXPECT_EQ(text.find("key_code=\"70\""), std::string::npos);
  EXPECT_EQ(text.find("Doomed"), std::string::npos);

  // What older versions wrote for it: a nameless macro with id 0.
  ExchangeRig here("other");
  const std::string old = here.Write(
      "old.xml", std::string(kDeclaration) +
                     "<profile><profileinfo name=\"x\"/><keyitems>"
                     "<item key_code=\"70\" macro_type=\"3\" macro_value=\"0\" macro_desc=\"\"/>"
                     "<item key_code=\"71\" macro_type=\"3\" macro_value=\"55\" macro_desc=\"\"/>"
                     "<item key_code=\"72\" macro_type=\"2\" macro_value=\"4\" macro_desc=\"A\"/>"
                     "</keyitems><macroinfo name=\"\" macro_id=\"0\" times=\"0\" type=\"0\" "
                     "delaytime=\"0\"><macroitems/></macroinfo></profile>");
  const ProfileImportResult result = ProfileExchange(here.store).ImportProfile(old);
  ASSERT_EQ(result.status, ImportStatus::kImported);
  EXPECT_TRUE(here.Macros().empty());
  // Keys 70 and 71 play macros the file does not carry.
  EXPECT_EQ(result.dropped_keys, 2);
  const auto keys = here.Keys(result.profile_id);
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].key_code, 72);
}

TEST(ProfileExchange, ImportedMacroValuesAreClampedAndLayersKept) {
  ExchangeRig rig;
  const std::string path = rig.Write(
      "p.xml", std::string(kDeclaration) +
                   "<profile><profileinfo name=\"x\"/><keyitems>"
                   "<item fn_layer=\"1\" key_code=\"65\" macro_type=\"3\" macro_value=\"9\" "
                   "macro_desc=\"M\"/></keyitems>"
                   "<macroinfo name=\"M\" macro_id=\"9\" times=\"1000000000\" type=\"1\" "
                   "delaytime=\"-3\"><macroitems><item desc=\"A\" type=\"2\" value=\"65\" "
                   "delay_time=\"40000\"/></macroitems></macroinfo></profile>");
  const ProfileImportResult result = ProfileExchange(rig.store).ImportProfile(path);
  ASSERT_EQ(result.status, ImportStatus::kImported);
  ASSERT_EQ(result.new_macros.size(), 1u);
  MacroRecord macro;
  ASSERT_TRUE(rig.store.GetMacro(result.new_macros[0].macro_id, macro));
  EXPECT_EQ(macro.play_times, 99);
  EXPECT_EQ(macro.delay_time, 0);
  EXPECT_EQ(rig.Steps(macro.macro_id).at(0).delay_time, 31000);
  ASSERT_EQ(rig.Keys(result.profile_id, 1).size(), 1u);
  EXPECT_EQ(rig.Keys(result.profile_id, 1)[0].macro_value, macro.macro_id);
}

TEST(ProfileExchange, AStoreFailureMidwayStoresNothing) {
  ExchangeRig there;
  SourceProfile source(there.store);
  ProfileExchange(there.store).ExportProfile(source.profile, "Gaming", there.File("g.xml"));

  ExchangeRig here("other");
  const size_t rows = here.Rows();
  // Keys are written last, after the macros and the profile.
  SideConnection(here.store.Path())
      .Exec(
          "CREATE TRIGGER refuse BEFORE INSERT ON t_key_macro_data "
          "BEGIN SELECT RAISE(ABORT, 'refused'); END");
  const ProfileImportResult result = ProfileExchange(here.store).ImportProfile(there.File("g.xml"));
  EXPECT_EQ(result.status, ImportStatus::kStoreFailed);
  EXPECT_EQ(result.profile_id, 0);
  EXPECT_EQ(here.Rows(), rows);
}

}  // namespace
}  // namespace tessaro
