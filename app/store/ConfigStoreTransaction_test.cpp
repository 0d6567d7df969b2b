#include <gtest/gtest.h>

#include "app/store/ConfigStore.h"
#include "app/store/StoreTestSupport.h"

namespace tessaro {
namespace {

TEST(ConfigStoreTransaction, OperationsNestAndRollBackTogether) {
  testing::TempFolder folder;
  ConfigStore store;
  ASSERT_TRUE(store.Open(folder.Path(), "model"));
  const auto key = [](int32_t profile) {
    KeyAssignment a;
    a.profile = profile;
    a.key_code = 0x41;
    a.macro_type = 2;
    a.macro_value = 4;
    return a;
  };
  std::vector<MacroRecord> macros;
  const int before = store.LoadMacros(macros);

  // Work that fails after nested transactions committed leaves nothing.
  EXPECT_FALSE(store.RunInTransaction([&] {
    const int32_t macro = store.InsertMacro({0, "M", 0, 1, 1, 0});
    EXPECT_GT(store.SaveMacroSteps({{0, macro, 2, 0, 0x41, 10, "A"}}), 0);
    EXPECT_GT(store.SaveKeyAssignment(key(1)), 0);
    return false;
  }));
  EXPECT_EQ(store.LoadMacros(macros), before);
  KeyAssignment out;
  EXPECT_FALSE(store.GetKeyAssignment(1, 0, 0x41, out));

  EXPECT_TRUE(store.RunInTransaction([&] { return store.SaveKeyAssignment(key(1)) > 0; }));
  EXPECT_TRUE(store.GetKeyAssignment(1, 0, 0x41, out));
  // Single operations still commit on their own afterwards.
  EXPECT_GT(store.SaveKeyAssignment(key(2)), 0);
  EXPECT_TRUE(store.GetKeyAssignment(2, 0, 0x41, out));

  store.Close();
  EXPECT_FALSE(store.RunInTransaction([] { return true; }));
}

}  // namespace
}  // namespace tessaro
