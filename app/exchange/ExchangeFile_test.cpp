#include "app/exchange/ExchangeFile.h"

#include <gtest/gtest.h>

namespace tessaro::exchange {
namespace {

TEST(ExchangeFile, NamesFromFileNames) {
  struct Case {
    const char* path;
    const char* name;
  } cases[] = {
      {"/home/me/abc.xml", "abc"},
      {"/home/me/abc", "abc"},
      {"/x/Office.backup.xml", "Office"},
      {"relative.xml", "relative"},
      {"/x.y/plain", "plain"},
      {"/x/.hidden.xml", ".hidden"},
      {"/x/.xml", ".xml"},
      {"/x/Ünïcode €.xml", "Ünïcode €"},
  };
  for (const Case& c : cases) EXPECT_EQ(NameFromFileName(c.path), c.name) << c.path;
}

}  // namespace
}  // namespace tessaro::exchange
