#include "settings/option_page_rules.h"

#include <gtest/gtest.h>

namespace settings {
namespace {

TEST(OptionHelpContext, PageNumberAndControlWithSharedControlsOfTheXmlPageOnTheCsvPagesNumbers) {
  const struct {
    int page, control;
    unsigned long context;
  } cases[] = {
      {1009, 21007, 0x83F1520F},  // すべての文書(&A)
      {1009, 1038, 0x83F1040E},   // CSV形式(&M)
      {1019, 21012, 0x83F15214},  // 表示されている列のみ(&V): shared, the CSV page's number
      {1019, 21019, 0x83F1521B},
      {1019, 1062, 0x83FB0426},   // 添付ファイル(&P): the XML page's own
      {1019, 1038, 0x83FB040E},   // 書き出し項目: the XML page's own control of that number
      {1009, 9, 0},               // ヘルプ
      {1019, 9, 0},
      {1009, 1062, 0},            // the CSV page's link label
      {1019, 1063, 0},            // the XML page's link label
  };
  for (const auto& c : cases) EXPECT_EQ(OptionHelpContext(c.page, c.control), c.context) << c.page << " " << c.control;
}

TEST(CustomListsEnabled, OnlyInTheCustomFormat) {
  EXPECT_FALSE(CustomListsEnabled(0));
  EXPECT_FALSE(CustomListsEnabled(1));
  EXPECT_TRUE(CustomListsEnabled(2));
}

}  // namespace
}  // namespace settings
