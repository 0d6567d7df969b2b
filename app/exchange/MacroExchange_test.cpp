#include "app/exchange/MacroExchange.h"

#include <gtest/gtest.h>

#include "app/exchange/ExchangeTestSupport.h"

namespace tessaro {
namespace {

using testing::ExchangeRig;
using testing::ReadFile;
using testing::Step;

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

TEST(MacroExchange, ExportsTheExactWrittenForm) {
  ExchangeRig rig;
  const int32_t with_steps = rig.store.InsertMacro({0, "Fire & \"run\" <x>", 0, 3, 2, 40});
  rig.store.AddMacroStep(Step(with_steps, 0, 2, 65, 10, "A"));
  rig.store.AddMacroStep(Step(with_steps, 1, 3, 65, 0, "A & B"));
  const int32_t empty = rig.store.InsertMacro({0, "Empty", 0, 1, 1, 0});
  MacroExchange exchange(rig.store);

  ASSERT_TRUE(exchange.ExportMacro(with_steps, rig.File("fire.xml")));
  EXPECT_EQ(ReadFile(rig.File("fire.xml")),
            std::string(kDeclaration) +
                "<macro>\r\n"
                "<macroinfo name=\"Fire &amp; &quot;run&quot; &lt;x&gt;\" times=\"3\" type=\"2\" "
                "delaytime=\"40\"/>\r\n"
                "<macroitems>\r\n"
                "<item desc=\"A\" type=\"2\" value=\"65\" delay_time=\"10\"/>\r\n"
                "<item desc=\"A &amp; B\" type=\"3\" value=\"65\" delay_time=\"0\"/>\r\n"
                "</macroitems>\r\n"
                "</macro>\r\n");

  ASSERT_TRUE(exchange.ExportMacro(empty, rig.File("empty.xml")));
  EXPECT_EQ(ReadFile(rig.File("empty.xml")),
            std::string(kDeclaration) +
                "<macro>\r\n"
                "<macroinfo name=\"Empty\" times=\"1\" type=\"1\" delaytime=\"0\"/>\r\n"
                "<macroitems/>\r\n"
                "</macro>\r\n");

  EXPECT_FALSE(exchange.ExportMacro(9999, rig.File("missing.xml")));
}

TEST(MacroExchange, ImportsANewMacroNamedAfterItsFile) {
  ExchangeRig rig;
  const int32_t source = rig.store.InsertMacro({0, "Stored name", 0, 5, 2, 300});
  rig.store.AddMacroStep(Step(source, 0, 2, 65, 10, "A"));
  rig.store.AddMacroStep(Step(source, 1, 7, 1, 20, "odd type"));
  MacroExchange exchange(rig.store);
  ASSERT_TRUE(exchange.ExportMacro(source, rig.File("Combo.v2.xml")));

  const MacroImportResult first = exchange.ImportMacro(rig.File("Combo.v2.xml"));
  const MacroImportResult second = exchange.ImportMacro(rig.File("Combo.v2.xml"));
  ASSERT_EQ(first.status, ImportStatus::kImported);
  ASSERT_EQ(second.status, ImportStatus::kImported);
  EXPECT_EQ(first.macro.name, "Combo");
  EXPECT_EQ(second.macro.name, "Combo");
  EXPECT_NE(first.macro.macro_id, second.macro.macro_id);

  MacroRecord stored;
  ASSERT_TRUE(rig.store.GetMacro(first.macro.macro_id, stored));
  EXPECT_EQ(stored.name, "Combo");
  EXPECT_EQ(stored.play_times, 5);
  EXPECT_EQ(stored.delay_type, 2);
  EXPECT_EQ(stored.delay_time, 300);
  EXPECT_EQ(stored.link_count, 0);
  const auto steps = rig.Steps(first.macro.macro_id);
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0].record_index, 0);
  EXPECT_EQ(steps[1].record_index, 1);
  EXPECT_EQ(steps[1].type, 7);
  EXPECT_EQ(steps[1].desc, "odd type");
  EXPECT_EQ(steps[1].delay_time, 20);
}

TEST(MacroExchange, ImportedValuesAreHeldToWhatThePlayerCanRun) {
  ExchangeRig rig;
  MacroExchange exchange(rig.store);
  struct Case {
    const char* info;
    int32_t times;
    int32_t delay;
  } cases[] = {
      {"<macroinfo times=\"1000000000\" type=\"1\" delaytime=\"99999999\"/>", 99, 31000},
      {"<macroinfo times=\"0\" type=\"1\" delaytime=\"-5\"/>", 1, 0},
      {"<macroinfo times=\"x\" delaytime=\" 12abc\"/>", 1, 12},
      {"", 1, 0},  // no macroinfo at all
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.info);
    const std::string path =
        rig.Write("m.xml", std::string(kDeclaration) + "<macro>" + c.info +
                               "<macroitems><item desc=\"d\" type=\"2\" value=\"4\" "
                               "delay_time=\"4000000\"/></macroitems></macro>");
    const MacroImportResult result = exchange.ImportMacro(path);
    ASSERT_EQ(result.status, ImportStatus::kImported);
    MacroRecord stored;
    ASSERT_TRUE(rig.store.GetMacro(result.macro.macro_id, stored));
    EXPECT_EQ(stored.play_times, c.times);
    EXPECT_EQ(stored.delay_time, c.delay);
    EXPECT_EQ(rig.Steps(result.macro.macro_id).at(0).delay_time, 31000);
  }
}

}  // namespace
}  // namespace tessaro
