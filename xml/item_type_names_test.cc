#include "xml/item_type_names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ItemTypeName, NamesEveryCodeOfTheTableAndNothingElse) {
  const struct {
    std::uint32_t code;
    const char* name;
  } cases[] = {
      {0, "UNSUPPORTED"},
      {1, "TEXT"},
      {16, "ACTION"},
      {17, ""},
      {18, "VIEWMAP_DATASET"},
      {22, "SCHED_LIST"},
      {23, ""},
      {0x100, "ERROR"},
      {0x200, "UNAVAILABLE"},
      {0x300, ""},
      {0x301, "NUMBERS"},
      {0x401, "DATETIMES"},
      {0x501, "TEXT"},
      {0x600, "FORMULA"},
      {0x700, "USERID"},
      {0x80000000, "UNKNOWN"},
      {0x80000001, "FONTTABLE"},
      {0x80000401, "DATETIMERANGES"},
      {0x80000002, ""},
      {0xFFFFFFFE, ""},
      {0xFFFFFFFF, "ANY"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(std::string(ItemTypeName(c.code)), c.name) << std::hex << c.code;
  }
}

}  // namespace
