#include "dialogs/formula_rules.h"

#include <gtest/gtest.h>

namespace dialogs {
namespace {

TEST(SortModes, CycleThroughTypeNameAndReversedNameWithTheirHeaders) {
  const struct {
    int from, to;
    const char* forms;
    const char* fields;
  } cases[] = {
      {0, 1, "フォーム : タイプ別", "フィールド : タイプ別"},
      {1, 2, "フォーム : 名前順▼", "フィールド : 名前順▼"},
      {2, -2, "フォーム : 名前順▲", "フィールド : 名前順▲"},
      {-2, 1, "フォーム : タイプ別", "フィールド : タイプ別"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NextSortMode(c.from), c.to);
    EXPECT_EQ(SortHeader(true, c.to), c.forms);
    EXPECT_EQ(SortHeader(false, c.to), c.fields);
  }
  EXPECT_EQ(SortHeader(true, 0), "フォーム");
  EXPECT_EQ(SortHeader(false, 0), "フィールド");
}

TEST(CompareForSort, TypeThenNameOrNameThenTypeFoldingAsciiCase) {
  const struct {
    int mode;
    const char *typeA, *nameA, *typeB, *nameB;
    int sign;
  } cases[] = {
      {1, "0", "zeta", "1", "alpha", -1},   // forms before subforms
      {1, "0", "Beta", "0", "alpha", 1},    // then by name, without regard to case
      {2, "1", "alpha", "0", "beta", -1},   // name first
      {2, "1", "ALPHA", "0", "alpha", 1},   // same name: the type decides
      {-2, "0", "alpha", "0", "beta", 1},   // reversed
      {2, "0", "ab", "0", "abc", -1},       // the shorter first
      {0, "0", "b", "1", "a", 0},           // mode 0: all equal
      {1, "", "x", "1", "a", -1},           // a field with an unknown option first
  };
  for (const auto& c : cases) {
    const int order = CompareForSort(c.mode, c.typeA, c.nameA, c.typeB, c.nameB);
    EXPECT_EQ((order > 0) - (order < 0), c.sign) << c.mode << " " << c.nameA << " " << c.nameB;
  }
}

TEST(FieldKinds, TypeStringsImagesTextsAndInsertButtons) {
  const struct {
    int option;
    const char* type;
    int image;
    const char* text;
    InsertButtons buttons;
  } cases[] = {
      {0, "1", 1, "編集可能", {true, true}},
      {1, "2", 2, "計算結果", {true, true}},
      {2, "3", 3, "表示用の計算結果", {false, true}},
      {3, "4", 4, "作成時の計算結果", {true, true}},
      {7, "", 0, "", {true, true}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FieldTypeString(c.option), c.type);
    EXPECT_EQ(FieldImage(c.option), c.image);
    EXPECT_EQ(ComputeOptionText(c.option), c.text);
    EXPECT_EQ(InsertButtonStates(c.option), c.buttons);
  }
  EXPECT_EQ(InsertButtonStates(std::nullopt), (InsertButtons{false, false}));
  EXPECT_EQ(FormTypeString(true), "0");
  EXPECT_EQ(FormTypeString(false), "1");
}

}  // namespace
}  // namespace dialogs
