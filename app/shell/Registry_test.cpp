// The per-user values and the autostart switch, on the fakes.
#include "app/shell/Registry.h"

#include <gtest/gtest.h>

#include "app/shell/Autostart.h"

namespace tessaro {
namespace {

TEST(Registry, FirstReadCreatesTheKeyAndGivesZero) {
  platform::FakeSettingsStore store;
  Registry registry(store);
  EXPECT_EQ(registry.ReadInt("exit_mode"), 0);
  EXPECT_TRUE(store.key_exists);
  EXPECT_EQ(registry.ReadLanguage(), 0);  // created just now, value still missing
}

TEST(Registry, ReadsDecimalTextLeniently) {
  platform::FakeSettingsStore store;
  store.key_exists = true;
  Registry registry(store);
  struct Case {
    const char* text;
    int expected;
  };
  for (const Case& c :
       {Case{"2", 2}, Case{"ask", 0}, Case{"", 0}, Case{" 1 ", 1}, Case{"2052x", 2052}}) {
    store.values["exit_mode"] = c.text;
    EXPECT_EQ(registry.ReadInt("exit_mode"), c.expected) << c.text;
  }
}

TEST(Registry, AKeyThatCannotBeOpenedReadsDefaultsAndTakesNoWrites) {
  platform::FakeSettingsStore store;
  store.fail_open = true;
  Registry registry(store);
  EXPECT_EQ(registry.ReadInt("exit_mode"), 0);
  EXPECT_EQ(registry.ReadLanguage(), 1033);
  EXPECT_FALSE(registry.WriteInt("LCID", 2052));
  EXPECT_TRUE(store.values.empty());
}

TEST(Registry, WritesOnlyIntoAnExistingKey) {
  platform::FakeSettingsStore store;
  Registry registry(store);
  EXPECT_FALSE(registry.WriteInt("LCID", 2052));
  registry.ReadInt("LCID");
  EXPECT_TRUE(registry.WriteInt("LCID", 2052));
  EXPECT_EQ(store.values["LCID"], "2052");
  EXPECT_EQ(registry.ReadLanguage(), 2052);
}

TEST(Autostart, SwitchesTheEntryAndLeavesNothingToRemoveAlone) {
  platform::FakeAutostartEntry entry;
  Autostart autostart(entry, "/usr/bin/tessaro");
  autostart.Set(false);
  EXPECT_EQ(entry.removes, 0);  // off without an entry changes nothing
  EXPECT_FALSE(autostart.IsOn());
  autostart.Set(true);
  EXPECT_EQ(entry.command, "/usr/bin/tessaro");
  EXPECT_TRUE(autostart.IsOn());
  autostart.Set(false);
  EXPECT_FALSE(autostart.IsOn());
}

}  // namespace
}  // namespace tessaro
