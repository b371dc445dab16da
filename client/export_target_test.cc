#include "client/export_target.h"

#include <gtest/gtest.h>

namespace client {
namespace {

TEST(TypedNameInFolder, ANameThatIsNotAbsoluteGoesIntoTheFolder) {
  const struct {
    const char* typed;
    const char* folder;
    const char* handed;
  } kCases[] = {
      {"out.csv /X /H", "/home/u/出力", "/home/u/出力/out.csv /X /H"},
      {"sub/out.csv", "/tmp/", "/tmp/sub/out.csv"},
      {"/tmp/a.csv /X", "/home/u", "/tmp/a.csv /X"},
      {"\\tmp\\a.csv", "/home/u", "\\tmp\\a.csv"},
      {"a.csv", "", "a.csv"},
  };
  for (const auto& c : kCases) EXPECT_EQ(TypedNameInFolder(c.typed, c.folder), c.handed) << c.typed;
}

TEST(TargetFile, TheNameBeforeItsSwitchesWithTheDefaultExtension) {
  const struct {
    const char* typed;
    const char* file;
  } kCases[] = {
      {"/tmp/out.csv /X /H", "/tmp/out.csv"},
      {"/tmp/out /X", "/tmp/out.csv"},
      {"/tmp/out.txt", "/tmp/out.txt"},
      {"/tmp/a.b/out \\X", "/tmp/a.b/out.csv"},
      {"/tmp/out.csv/X", "/tmp/out.csv/X.csv"},  // no blank before the slash: no switch
  };
  for (const auto& c : kCases) EXPECT_EQ(TargetFile(c.typed, ".csv"), c.file) << c.typed;
}

}  // namespace
}  // namespace client
