#include "columns/value_text.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "columns/column_spec.h"
#include "columns/test_notes.h"

namespace {

using columns_test::Cp932;
using host::testing::At;
using host::testing::Date;
using host::testing::RichText;

class ValueToTextTest : public columns_test::NotesTest {};

TEST_F(ValueToTextTest, TextListJoinedByTheListSeparatorOrTheDesignSeparator) {
  const NOTEID doc = db_.Document().Text("Names", {"a", "b", "c"}).Text("One", {"x"}).Id();
  const LNItem names = Item(doc, "Names");
  ASSERT_FALSE(names.IsNull());
  struct Case {
    std::uint32_t designSeparator;
    const char* listSeparator;
    std::string expected;
  } cases[] = {
      {LNVFSEPARATOR_SPACE, nullptr, "a b c"},
      {LNVFSEPARATOR_COMMA, nullptr, "a,b,c"},
      {LNVFSEPARATOR_SEMICOLON, nullptr, "a;b;c"},
      {LNVFSEPARATOR_NEWLINE, nullptr, "a\nb\nc"},
      {LNVFSEPARATOR_NONE, nullptr, "abc"},
      {0x9999, nullptr, "abc"},
      {LNVFSEPARATOR_NEWLINE, "", "abc"},
      {LNVFSEPARATOR_NEWLINE, ":", "a:b:c"},
  };
  for (const Case& c : cases) {
    ColumnSpec spec;
    spec.designSeparator = c.designSeparator;
    EXPECT_EQ(spec.ValueToText(names, nullptr, c.listSeparator), c.expected) << std::hex << c.designSeparator;
  }
  EXPECT_EQ(ColumnSpec().ValueToText(Item(doc, "One"), nullptr, nullptr), "x");
}

TEST_F(ValueToTextTest, TextComesOutAsPlatformText) {
  const NOTEID doc = db_.Document().Text("Name", {"表計算", "ソフト"}).Id();
  EXPECT_EQ(ColumnSpec().ValueToText(Item(doc, "Name"), nullptr, nullptr), Cp932("表計算;ソフト"));
}

TEST_F(ValueToTextTest, NumbersPlainWithoutASessionAndInTheColumnFormatWithOne) {
  const NOTEID doc = db_.Document().Numbers("Amounts", {1234.5, -2}).Id();
  const LNItem amounts = Item(doc, "Amounts");
  ColumnSpec spec;
  spec.numberFormat.SetStyle(LNNUMBERFORMATSTYLE_FIXED);
  spec.numberFormat.SetDigits(2);
  spec.numberFormat.SetPunctuated(TRUE);
  EXPECT_EQ(spec.ValueToText(amounts, nullptr, nullptr), "1234.5;-2");
  EXPECT_EQ(spec.ValueToText(amounts, &session_, " / "), "1,234.50 / -2.00");
}

TEST_F(ValueToTextTest, DatetimesWithRangesReadAsTheirBeginning) {
  const NOTEID doc =
      db_.Document().Datetimes("When", {At(2026, 12, 10, 8, 45, 52)}, {{Date(2027, 1, 2), Date(2027, 1, 5)}}).Id();
  const LNItem when = Item(doc, "When");
  ColumnSpec spec;
  EXPECT_EQ(spec.ValueToText(when, nullptr, ","), "2026/12/10 08:45:52,2027/01/02");
  spec.datetimeFormat.SetShow(LNDATETIMESHOW_DATE);
  EXPECT_EQ(spec.ValueToText(when, &session_, ","), "2026/12/10,2027/01/02");
}

TEST_F(ValueToTextTest, RichTextIsItsTextObjectsRunTogether) {
  const NOTEID doc =
      db_.Document().RichTextItem("Body", RichText().Text("Hello ").Attachment("a.txt", "a.txt").Text("World")).Id();
  EXPECT_EQ(ColumnSpec().ValueToText(Item(doc, "Body"), nullptr, ","), "Hello World");
}

TEST_F(ValueToTextTest, NullItemIsEmptyAndOtherTypesAreMarked) {
  const NOTEID doc = db_.Document().Unsupported("Link", 7).Unsupported("Odd", 17).Id();
  const ColumnSpec spec;
  EXPECT_EQ(spec.ValueToText(LNItem(), nullptr, nullptr), "");
  const std::string marker = Cp932("ERROR : サポートしていないデータ形式です。");
  EXPECT_EQ(UnsupportedTypeMarker(), marker);
  EXPECT_EQ(spec.ValueToText(Item(doc, "Link"), nullptr, nullptr), marker);
  EXPECT_EQ(spec.ValueToText(Item(doc, "Odd"), &session_, ","), marker);
}

TEST(DesignSeparator, TextOfEachCode) {
  const std::pair<std::uint32_t, std::string> cases[] = {
      {0x1000, " "}, {0x2000, ","}, {0x3000, ";"}, {0x4000, "\n"}, {0, ""}, {0x5000, ""}, {0x3001, ""}};
  for (const auto& [code, text] : cases) {
    ColumnSpec spec;
    spec.designSeparator = code;
    EXPECT_EQ(spec.GetDesignSeparator(), text) << std::hex << code;
  }
  EXPECT_STREQ(ColumnSpec().GetDesignSeparator(), ";");
}

TEST(RenderOrMark, AFailureReplacesEverythingBuiltBeforeIt) {
  int elements = 0;
  std::string text = "the previous value";
  RenderOrMark(text, [&](std::string& out) {
    for (const char* element : {"first", "second", "third"}) {
      if (++elements == 3) throw LNSTATUS{host::kErrListIndex};
      out += element;
      out += ';';
    }
  });
  ASSERT_EQ(elements, 3);
  char hostText[512];
  LNGetErrorMessageText(host::kErrListIndex, hostText, sizeof hostText, 0);
  EXPECT_EQ(text, std::string("ERROR : [10F]") + hostText);
  EXPECT_EQ(text, HostErrorMarker(host::kErrListIndex));
  EXPECT_EQ(HostErrorMarker(0xD0000132).substr(0, 18), "ERROR : [D0000132]");
}

TEST(RenderOrMark, AnythingElseThrownGivesTheUnknownErrorMarker) {
  std::string text;
  RenderOrMark(text, [](std::string& out) {
    out += "partial";
    throw std::runtime_error("boom");
  });
  EXPECT_EQ(text, Cp932("ERROR : 不明なエラー(...)が発生しました。"));
  RenderOrMark(text, [](std::string& out) { out += "fine"; });  // starts from nothing
  EXPECT_EQ(text, "fine");
}

}  // namespace
