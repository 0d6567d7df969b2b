#include "app/exchange/ExchangeDialogs.h"

#include <gtest/gtest.h>

#include "platform/system/FakeFileDialog.h"

namespace tessaro {
namespace {

TEST(ExchangeDialogs, EachCommandShowsItsFilterAndImportsNeedAnExistingFile) {
  platform::FakeFileDialog dialog;
  dialog.Answer("/tmp/out.xml");
  dialog.Answer("/no/such/file.xml");
  dialog.Cancel();
  EXPECT_EQ(ChooseExchangeFile(
                dialog, ExchangeCommand::kExportProfile,
                ExchangeDialogOptions(ExchangeCommand::kExportProfile, "Export", "Gaming")),
            "/tmp/out.xml");
  EXPECT_EQ(ChooseExchangeFile(dialog, ExchangeCommand::kImportMacro,
                               ExchangeDialogOptions(ExchangeCommand::kImportMacro, "Import")),
            std::nullopt);
  EXPECT_EQ(ChooseExchangeFile(dialog, ExchangeCommand::kImportProfile,
                               ExchangeDialogOptions(ExchangeCommand::kImportProfile, "Import")),
            std::nullopt);

  const auto& shown = dialog.ShownDialogs();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_TRUE(shown[0].save);
  EXPECT_EQ(shown[0].options.filter_name, "Profile (*.xml)");
  EXPECT_EQ(shown[0].options.suggested_name, "Gaming.xml");
  EXPECT_FALSE(shown[1].save);
  EXPECT_EQ(shown[1].options.filter_name, "Macros (*.xml)");
  EXPECT_EQ(shown[2].options.filter_name, "Custom Key (*.xml)");
  EXPECT_EQ(shown[2].options.filter_pattern, "*.xml");
}

}  // namespace
}  // namespace tessaro
