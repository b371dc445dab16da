#include "columns/csv_record.h"

#include <gtest/gtest.h>

#include "columns/column_data_array.h"
#include "columns/test_notes.h"
#include "columns/view_entry_list.h"

namespace {

using columns_test::Cp932;

struct FieldCase {
  const char* name;
  std::string value;  // platform text
  std::string separator;
  int quoteMode;
  const char* separatorReplacement;
  const char* lineBreakReplacement;
  std::string expected;
};

TEST(FormatCSVField, ReplacementsQuotingAndQuoteDoubling) {
  const std::string fullWidthComma = Cp932("，");
  ASSERT_EQ(fullWidthComma, "\x81\x43");
  ASSERT_EQ(Cp932("ソ表"), "\x83\x5C\x95\x5C");
  const FieldCase cases[] = {
      {"plain", "abc", ",", 0, nullptr, nullptr, "abc"},
      {"empty, automatic", "", ",", 0, nullptr, nullptr, ""},
      {"empty, always", "", ",", 1, nullptr, nullptr, "\"\""},
      {"always", "abc", "\t", 1, nullptr, nullptr, "\"abc\""},
      {"comma quoted", "a,b", ",", 0, nullptr, nullptr, "\"a,b\""},
      {"comma with tab separator", "a,b", "\t", 0, nullptr, nullptr, "a,b"},
      {"tab with tab separator", "a\tb", "\t", 0, nullptr, nullptr, "\"a\tb\""},
      {"quote doubled", "a\"b", ",", 0, nullptr, nullptr, "\"a\"\"b\""},
      {"quote left single when never", "a\"b", ",", 2, nullptr, nullptr, "a\"b"},
      {"any other mode never quotes", "a,b\"\n", ",", 7, nullptr, nullptr, "a,b\"\n"},
      {"line feed kept inside quotes", "a\nb", ",", 0, nullptr, nullptr, "\"a\nb\""},
      {"CR LF replaced as one line break", "a\r\nb", ",", 0, nullptr, " ", "a b"},
      {"lone carriage returns replaced too", "a\rb\n\rc", ",", 0, nullptr, "", "abc"},
      {"carriage return quoted for", "a\rb", ",", 0, nullptr, nullptr, "\"a\rb\""},
      {"CR LF kept inside quotes", "a\r\nb", ",", 0, nullptr, nullptr, "\"a\r\nb\""},
      {"simple mode", "a,b\nc", ",", 2, "", "", "abc"},
      {"removed separators need no quotes", "a,b", ",", 0, "", nullptr, "ab"},
      {"replacement with tab separator leaves commas", "a\tb,c", "\t", 0, " ", nullptr, "a b,c"},
      {"replaced line feed is not quoted for", "a\nb", ",", 0, nullptr, " ", "a b"},
      {"replacement bringing a quote is quoted", "a,b", ",", 0, "\"", nullptr, "\"a\"\"b\""},
      {"double-byte next to separators", Cp932("ソ,表"), ",", 0, nullptr, nullptr, "\"\x83\x5C,\x95\x5C\""},
      {"full-width comma inserted whole", Cp932("ソ,表,"), ",", 0, fullWidthComma.c_str(), nullptr,
       "\x83\x5C\x81\x43\x95\x5C\x81\x43"},
      {"full-width comma for a tab", "a\tb", "\t", 0, fullWidthComma.c_str(), nullptr, "a\x81\x43" "b"},
      {"trail byte 5C is not a backslash separator", Cp932("ソ表"), "\\", 0, ":", nullptr, "\x83\x5C\x95\x5C"},
      {"a real backslash is", Cp932("ソ\\表"), "\\", 0, nullptr, nullptr, "\"\x83\x5C\\\x95\x5C\""},
      {"real backslash replaced, trail bytes kept", Cp932("ソ\\表"), "\\", 0, ":", nullptr, "\x83\x5C:\x95\x5C"},
      {"quote after a double-byte character", Cp932("表\""), ",", 0, nullptr, nullptr, "\"\x95\x5C\"\"\""},
  };
  for (const FieldCase& c : cases) {
    std::string record = "x";
    AppendCSVField(record, c.value, c.separator, c.quoteMode, c.separatorReplacement, c.lineBreakReplacement);
    EXPECT_EQ(record, "x" + c.expected) << c.name;
  }
}

TEST(FormatCSVField, ASpecialByteIsFoundAtEveryPositionOfALongValue) {
  const std::string plain(19, 'a');
  std::string record;
  AppendCSVField(record, plain, ",", 0, nullptr, nullptr);
  ASSERT_EQ(record, plain);
  for (const char special : {',', '"', '\n'}) {
    for (std::size_t at = 0; at < plain.size(); ++at) {
      std::string value = plain;
      value[at] = special;
      std::string expected = value;
      if (special == '"') expected.insert(at, 1, '"');
      record.clear();
      AppendCSVField(record, value, ",", 0, nullptr, nullptr);
      EXPECT_EQ(record, '"' + expected + '"') << "byte " << int{special} << " at " << at;
    }
  }
}

TEST(FormatCSVField, FromHostText) {
  EXPECT_EQ(FormatCSVField(LNString(Cp932("表,計").c_str()), ",", 0, nullptr, nullptr), Cp932("\"表,計\""));
  EXPECT_EQ(FormatCSVField(LNString("say \"hi\""), ",", 0, nullptr, nullptr), "\"say \"\"hi\"\"\"");
}

ColumnSpec Titled(const char* title, ColumnKind kind, bool output) {
  ColumnSpec spec;
  spec.kind = kind;
  spec.title = title;
  spec.output = output;
  return spec;
}

TEST(ToCSVHeader, TitlesOfTheOutputColumnsByTheFieldRule) {
  CColumnDataArray columns;
  columns.SetCsvFormat(nullptr, nullptr, ",", 0, nullptr, nullptr);
  EXPECT_EQ(columns.ToCSVHeader(), "");
  columns.SetAtGrow(0, Titled("A,B", ColumnKind::ViewColumn, true));
  columns.SetAtGrow(1, Titled("Off", ColumnKind::ViewColumn, false));
  columns.SetAtGrow(2, Titled("Unset", ColumnKind::Unset, true));
  columns.SetAtGrow(3, Titled("F", ColumnKind::Formula, true));
  EXPECT_EQ(columns.ToCSVHeader(), "\"A,B\",F");
  columns.SetCsvFormat(nullptr, nullptr, "\t", 1, nullptr, nullptr);
  EXPECT_EQ(columns.ToCSVHeader(), "\"A,B\"\t\"F\"");
}

class ToCSVDataTest : public columns_test::NotesTest {
 protected:
  // A categorized view: Kind (categorized), Names (a text list with new line between values),
  // Amount; one document "k".
  void SetUp() override {
    NotesTest::SetUp();
    doc_ = db_.Document().Text("Kind", {"k"}).Text("Names", {"a", "b"}).Numbers("Amount", {1.5}).Id();
    view_ = db_.View("ByKind")
                .Column({.title = "Kind", .itemName = "Kind", .categorized = true})
                .Column({.title = "Names", .itemName = "Names", .separator = LNVFSEPARATOR_NEWLINE})
                .Column({.title = "Amount", .itemName = "Amount"})
                .Id();
    LNViewFolder folder = View(view_);
    columns_.LoadFromView(folder);
    ASSERT_EQ(columns_.GetCount(), 3u);
    ASSERT_EQ(entries_.ReadView(Params(view_), true), 0u);
    ASSERT_EQ(entries_.GetCount(), 2u);
    ASSERT_TRUE(entries_.GetEntry(0).IsCategory());
    columns_.SetCsvFormat(nullptr, nullptr, ",", 0, nullptr, nullptr);
  }

  void AddFormula(const char* title, const char* text) {
    ColumnSpec spec;
    spec.SetFormula(text, 0x3000);
    spec.title = title;
    spec.output = true;
    columns_.SetAtGrow(columns_.GetCount(), spec);
  }

  NOTEID doc_ = 0, view_ = 0;
  CColumnDataArray columns_;
  ViewEntryList entries_;
};

TEST_F(ToCSVDataTest, CategoryRowsCarryOnlyCategorizedColumns) {
  LNNote none;
  EXPECT_EQ(columns_.ToCSVData(entries_.GetEntry(0), none), "k,,");
  LNNote document = Note(doc_);
  EXPECT_EQ(columns_.ToCSVData(entries_.GetEntry(1), document), ",\"a\nb\",1.5");
}

TEST_F(ToCSVDataTest, SettingsOfTheRunApply) {
  LNNote document = Note(doc_);
  columns_.SetCsvFormat(&session_, " ", "\t", 1, nullptr, nullptr);
  EXPECT_EQ(columns_.ToCSVData(entries_.GetEntry(1), document), "\"\"\t\"a b\"\t\"1.5\"");
  columns_.SetCsvFormat(nullptr, nullptr, ",", 2, "", "");  // the simple mode
  EXPECT_EQ(columns_.ToCSVData(entries_.GetEntry(1), document), ",ab,1.5");
  columns_[1].output = false;
  EXPECT_EQ(columns_.ToCSVData(entries_.GetEntry(1), document), ",1.5");
}

TEST_F(ToCSVDataTest, FormulaColumnsOpenTheDocumentAndFailuresGiveEmptyFields) {
  AddFormula("Kind again", "Kind");
  AddFormula("Broken", "@Error");
  AddFormula("Literal", "\"x,y\"");
  LNNote document = Note(doc_);
  ASSERT_FALSE(document.IsOpen());
  EXPECT_EQ(columns_.ToCSVData(entries_.GetEntry(1), document), ",\"a\nb\",1.5,k,,\"x,y\"");
  EXPECT_FALSE(document.IsOpen());

  ASSERT_EQ(document.Open(0), 0u);
  EXPECT_EQ(columns_.ToCSVData(entries_.GetEntry(1), document), ",\"a\nb\",1.5,k,,\"x,y\"");
  EXPECT_FALSE(document.IsOpen());

  LNNote none;  // a category row has no document: formula fields stay empty
  EXPECT_EQ(columns_.ToCSVData(entries_.GetEntry(0), none), "k,,,,,");
}

TEST_F(ToCSVDataTest, NoOutputColumnGivesAnEmptyRecord) {
  for (ColumnSpec& spec : columns_) spec.output = false;
  LNNote document = Note(doc_);
  EXPECT_EQ(columns_.ToCSVData(entries_.GetEntry(1), document), "");
  EXPECT_EQ(columns_.ToCSVHeader(), "");
}

}  // namespace
