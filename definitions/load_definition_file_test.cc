#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "columns/column_data_array.h"
#include "definitions/definition_file.h"
#include "definitions/definition_test_support.h"

namespace {

using definitions_test::Cp932;
using platform::Answer;

// One line per column, every field the file or the view decides: kind and column number, title,
// output flag, design flags, formula and separator.
std::vector<std::string> Describe(const ColumnSpecList& list) {
  std::vector<std::string> lines;
  for (const ColumnSpec& spec : list) {
    char flags[64];
    std::snprintf(flags, sizeof flags, " %s h%d i%d c%d s%x ", spec.output ? "out" : "-", spec.hidden, spec.icon,
                  spec.categorized, spec.designSeparator);
    const std::string kind = spec.kind == ColumnKind::ViewColumn ? "V" + std::to_string(spec.columnNumber)
                             : spec.kind == ColumnKind::Formula ? "F"
                                                                : "unset";
    lines.push_back(kind + " [" + spec.title.GetPlatformTextPtr() + "]" + flags + spec.formula.GetText().GetPlatformTextPtr());
  }
  return lines;
}

// The short form the case tables use: "V<number> <title> +" or "F <title> =<formula> -".
std::vector<std::string> Summarize(const ColumnSpecList& list) {
  std::vector<std::string> lines;
  for (const ColumnSpec& spec : list) {
    std::string line = spec.kind == ColumnKind::ViewColumn ? "V" + std::to_string(spec.columnNumber) + " "
                       : spec.kind == ColumnKind::Formula ? "F "
                                                          : "unset ";
    line += spec.title.GetPlatformTextPtr();
    if (spec.kind == ColumnKind::Formula) line += std::string(" =") + spec.formula.GetText().GetPlatformTextPtr();
    line += spec.output ? " +" : " -";
    lines.push_back(line);
  }
  return lines;
}

// A list that a failed load must leave as it is.
ColumnSpecList Sentinel() {
  ColumnSpecList list;
  ColumnSpec spec;
  spec.title = "kept";
  spec.SetFormula("1", LNVFSEPARATOR_SEMICOLON);
  list.SetAtGrow(0, spec);
  return list;
}

class LoadDefinitionFileTest : public definitions_test::DefinitionTest {
 protected:
  // The view "Letters": A and B visible, C hidden.
  NOTEID Letters() {
    return db_.View("Letters")
        .Column({.title = "A", .itemName = "a"})
        .Column({.title = "B", .itemName = "b"})
        .Column({.title = "C", .itemName = "c", .hidden = true})
        .Id();
  }

  // Loads `bytes` as a file into `list`.
  bool Load(const std::string& bytes, ColumnSpecList& list, LNViewFolder& view) {
    WriteFile("in.cef", bytes);
    return LoadDefinitionFile(list, view, PathOf("in.cef"));
  }

  std::string OtherViewQuestion(const std::string& platformName) const {
    return Cp932("異なるビュー\"") + platformName +
           Cp932("\"で保存されたエクスポート定義ファイルです。\n保存している式の読み込みを継続しますか?");
  }
};

TEST_F(LoadDefinitionFileTest, SaveAndLoadKeepEveryColumnKind) {
  const NOTEID id = db_.View("Every kind")
                        .Column({.title = "Name", .itemName = "Name"})
                        .Column({.title = "Dept", .itemName = "Dept", .separator = LNVFSEPARATOR_NEWLINE})
                        .Column({.title = "Secret", .itemName = "Secret", .hidden = true})
                        .Column({.title = "Flag", .itemName = "Flag", .icons = true})
                        .Column({.title = "Kind", .itemName = "Kind", .categorized = true})
                        .Column({.itemName = "Memo"})
                        .Id();
  LNViewFolder view = View(id);
  CColumnDataArray columns;
  columns.LoadFromView(view);
  ASSERT_EQ(columns.GetCount(), 6u);

  auto formula = [](const std::string& title, const char* text, bool output) {
    ColumnSpec spec;
    spec.title = title.c_str();
    spec.SetFormula(text, LNVFSEPARATOR_SEMICOLON);
    spec.output = output;
    return spec;
  };
  ColumnSpecList saved;
  for (const ColumnSpec& spec : {columns[4], columns[0], formula("Total", "Qty * 2", true), columns[2],
                                 formula(" say \"hi\", " + Cp932("表"), "@If(Qty > 1;\n\"many\";\n\"one\")", false),
                                 columns[3], ColumnSpec()}) {
    saved.SetAtGrow(saved.GetCount(), spec);
  }
  saved[1].title = Cp932("氏名, 全部").c_str();
  saved[1].output = false;
  saved[3].output = true;  // a hidden column chosen for output

  ASSERT_TRUE(SaveDefinitionFile(saved, view, PathOf("every.cef")));
  ColumnSpecList loaded = Sentinel();
  ASSERT_TRUE(LoadDefinitionFile(loaded, view, PathOf("every.cef")));

  std::vector<std::string> expected = Describe(saved);
  expected.pop_back();  // the unset spec is not written
  ColumnSpec dept = columns[1], memo = columns[5];
  dept.output = memo.output = false;
  ColumnSpecList rest;
  rest.SetAtGrow(0, dept);
  rest.SetAtGrow(1, memo);
  for (const std::string& line : Describe(rest)) expected.push_back(line);
  EXPECT_EQ(Describe(loaded), expected);
  EXPECT_TRUE(ui_.boxes.empty());
  EXPECT_FALSE(view.IsOpen());
}

struct SameViewCase {
  const char* name;
  std::string records;  // after the header of the view "Letters"
  std::vector<std::string> expected;
};

class SameViewCases : public LoadDefinitionFileTest, public ::testing::WithParamInterface<SameViewCase> {};

TEST_P(SameViewCases, FileColumnsThenTheViewsOthersNotOutput) {
  const SameViewCase& c = GetParam();
  LNViewFolder view = View(Letters());
  ColumnSpecList list = Sentinel();
  ASSERT_TRUE(Load("nVorpel1.5,Letters\n" + c.records, list, view));
  EXPECT_EQ(Summarize(list), c.expected);
  EXPECT_TRUE(ui_.boxes.empty());
  EXPECT_FALSE(view.IsOpen());
}

std::string TenThousandFields() {
  std::string record = "a,ViewColumn,0,TRUE";
  for (int i = 4; i < 10000; ++i) record += ",x";
  return record + "\n";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SameViewCases,
    ::testing::Values(
        SameViewCase{"NoColumnRecords", "", {"V0 A -", "V1 B -", "V2 C -"}},
        SameViewCase{"FileOrderAndTitles", "b,ViewColumn,1,TRUE\na,ViewColumn,0,FALSE\n", {"V1 b +", "V0 a -", "V2 C -"}},
        SameViewCase{"HiddenColumnChosen", "c,ViewColumn,2,TRUE\n", {"V2 c +", "V0 A -", "V1 B -"}},
        SameViewCase{"SecondRecordOfAColumnIgnored", "x,ViewColumn,0,TRUE\ny,ViewColumn,0,FALSE\n",
                     {"V0 x +", "V1 B -", "V2 C -"}},
        SameViewCase{"NumbersOutsideTheViewIgnored",
                     "n,ViewColumn,3,TRUE\nm,ViewColumn,-1,TRUE\nh,ViewColumn,99999999999999999999,TRUE\n",
                     {"V0 A -", "V1 B -", "V2 C -"}},
        SameViewCase{"NumbersReadUpToTheFirstOtherCharacter",
                     "p,ViewColumn,+2,TRUE\nq,ViewColumn,1x,TRUE\nr,ViewColumn,abc,TRUE\n",
                     {"V2 p +", "V1 q +", "V0 r +"}},
        SameViewCase{"QuotedNumberWithLeadingBlanks", "r,ViewColumn,\"  1\",TRUE\n", {"V1 r +", "V0 A -", "V2 C -"}},
        SameViewCase{"TrueInAnyCaseElseNotOutput",
                     "a,ViewColumn,0,true\nb,ViewColumn,1,TrUe\nc,ViewColumn,2,yes\n", {"V0 a +", "V1 b +", "V2 c -"}},
        SameViewCase{"MissingOutputField", "a,ViewColumn,0\nf,Formula,1\n", {"V0 a -", "F f =1 -", "V1 B -", "V2 C -"}},
        SameViewCase{"FormulasInFileOrder", "f1,Formula,1,TRUE\nb,ViewColumn,1,TRUE\nf2,Formula,2,FALSE\n",
                     {"F f1 =1 +", "V1 b +", "F f2 =2 -", "V0 A -", "V2 C -"}},
        SameViewCase{"WordsInAnyCaseAndOtherRecordsIgnored",
                     "a,viewcolumn,0,TRUE\nf,FORMULA,1,TRUE\n\n,,\nz,Other,1,TRUE\nonly one field\n",
                     {"V0 a +", "F f =1 +", "V1 B -", "V2 C -"}},
        SameViewCase{"RejectedFormulaSkipped", "bad,Formula,\"Subject +* )\",TRUE\nok,Formula,2,TRUE\n",
                     {"F ok =2 +", "V0 A -", "V1 B -", "V2 C -"}},
        SameViewCase{"TrimmedUnlessQuoted", "  a  , ViewColumn , 1 , TRUE \n\" q \",Formula,\" 1 \",TRUE\n",
                     {"V1 a +", "F  q  = 1  +", "V0 A -", "V2 C -"}},
        SameViewCase{"CrLfLinesAndMultiLineFormula",
                     "a,ViewColumn,0,TRUE\r\nf,Formula,\"@If(1;\r\n2;\r\n3)\",TRUE\r\n",
                     {"V0 a +", "F f =@If(1;\n2;\n3) +", "V1 B -", "V2 C -"}},
        SameViewCase{"RecordOpenAtTheEndDropped", "a,ViewColumn,0,TRUE\n\"b,ViewColumn,1,TRUE\n",
                     {"V0 a +", "V1 B -", "V2 C -"}},
        SameViewCase{"RecordOfTenThousandFields", TenThousandFields(), {"V0 a +", "V1 B -", "V2 C -"}}),
    [](const ::testing::TestParamInfo<SameViewCase>& test) { return std::string(test.param.name); });

TEST_F(LoadDefinitionFileTest, ViewNameWithoutRegardToAsciiCase) {
  LNViewFolder view = View(Letters());
  ColumnSpecList list;
  ASSERT_TRUE(Load("NVORPEL1.5,lETTERS\nb,ViewColumn,1,TRUE\n", list, view));
  EXPECT_TRUE(ui_.boxes.empty());
  EXPECT_EQ(Summarize(list), (std::vector<std::string>{"V1 b +", "V0 A -", "V2 C -"}));
}

TEST_F(LoadDefinitionFileTest, AnotherViewAfterYesGivesTheViewsColumnsThenTheFormulas) {
  LNViewFolder view = View(Letters());
  ui_.defaultAnswer = Answer::Yes;
  ColumnSpecList list = Sentinel();
  ASSERT_TRUE(Load("nVorpel1.5,Other\nx,ViewColumn,0,FALSE\nf,Formula,1,TRUE\ng,Formula,2,FALSE\n", list, view));

  CColumnDataArray fresh;
  fresh.LoadFromView(view);
  std::vector<std::string> expected = Describe(fresh);
  const std::vector<std::string> loaded = Describe(list);
  ASSERT_EQ(loaded.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(loaded.begin(), loaded.begin() + 3), expected);
  EXPECT_EQ(Summarize(list), (std::vector<std::string>{"V0 A +", "V1 B +", "V2 C -", "F f =1 +", "F g =2 -"}));

  ASSERT_EQ(ui_.boxes.size(), 1u);
  EXPECT_EQ(ui_.boxes[0].platformText, OtherViewQuestion("Other"));
  EXPECT_EQ(ui_.boxes[0].caption, "nVorpel");
  EXPECT_EQ(ui_.boxes[0].buttons, platform::Buttons::YesNo);
  EXPECT_EQ(ui_.boxes[0].icon, platform::Icon::Exclamation);
  EXPECT_FALSE(view.IsOpen());
}

// Each file names a view other than the one it is loaded into; answering No leaves the list.
TEST_F(LoadDefinitionFileTest, AnotherViewIsAskedAboutAndNoLeavesTheList) {
  const std::string a = Cp932("ア"), di = Cp932("ヂ");  // their second bytes differ as 'A' and 'a' do
  ASSERT_EQ(a.size(), 2u);
  ASSERT_EQ(a[1] | 0x20, di[1]);
  const struct {
    const char* view;  // UTF-8
    std::string file;
    std::string askedName;
  } cases[] = {
      {"Letters", "nVorpel1.5\nf,Formula,1,TRUE\n", ""},                  // no view name: an empty one
      {" Spaced", "nVorpel1.5, Spaced\nf,Formula,1,TRUE\n", "Spaced"},  // the blank is trimmed away
      {"ア", "nVorpel1.5," + di + "\n", di},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.view);
    ui_.boxes.clear();
    LNViewFolder view = View(db_.View(c.view).Column({.title = "A", .itemName = "a"}).Id());
    ColumnSpecList list = Sentinel();
    EXPECT_FALSE(Load(c.file, list, view));
    EXPECT_EQ(Describe(list), Describe(Sentinel()));
    ASSERT_EQ(ui_.boxes.size(), 1u);
    EXPECT_EQ(ui_.boxes[0].platformText, OtherViewQuestion(c.askedName));
  }
}

TEST_F(LoadDefinitionFileTest, SavedBlankPaddedViewNameAsksOnTheSameView) {
  LNViewFolder view = View(db_.View(" Spaced ").Column({.title = "A", .itemName = "a"}).Id());
  ASSERT_TRUE(SaveDefinitionFile(ColumnSpecList(), view, PathOf("s.cef")));
  ASSERT_EQ(ReadFile("s.cef"), "nVorpel1.5, Spaced \n");
  ColumnSpecList list;
  EXPECT_FALSE(LoadDefinitionFile(list, view, PathOf("s.cef")));
  ASSERT_EQ(ui_.boxes.size(), 1u);
  EXPECT_EQ(ui_.boxes[0].platformText, OtherViewQuestion("Spaced"));
}

TEST_F(LoadDefinitionFileTest, DoubleByteViewNameIsTheSameView) {
  LNViewFolder view = View(db_.View("受注/表示").Column({.title = "A", .itemName = "a"}).Id());
  ColumnSpecList list;
  ASSERT_TRUE(SaveDefinitionFile(list, view, PathOf("j.cef")));
  ASSERT_TRUE(LoadDefinitionFile(list, view, PathOf("j.cef")));
  EXPECT_TRUE(ui_.boxes.empty());
  EXPECT_EQ(Summarize(list), (std::vector<std::string>{"V0 A -"}));
}

TEST_F(LoadDefinitionFileTest, FilesThatCannotBeLoadedLeaveTheListAfterAMessage) {
  const std::string cannotOpen = Cp932("ファイルを開けませんでした。\nFile=");
  const std::string notDefinition = Cp932("エクスポート定義ファイルではありません。\nFile=");
  std::filesystem::create_directory(dir_ / "folder.cef");
  const struct {
    const char* name;
    const char* file;    // the file's name in the scratch directory
    const char* bytes;   // null: no file is written
    std::size_t length;  // of bytes
    const std::string& message;
  } cases[] = {
      {"Missing", "missing.cef", nullptr, 0, cannotOpen},
      {"Directory", "folder.cef", nullptr, 0, cannotOpen},
      {"Empty", "empty.cef", "", 0, notDefinition},
      {"OtherTag", "tag.cef", "nVorpel1.4,Letters\n", 19, notDefinition},
      {"TagNotFirst", "second.cef", ",nVorpel1.5\n", 12, notDefinition},
      {"Binary", "binary.cef", "\x00\x01\xff\x81\"\r\n\x1a", 8, notDefinition},
      {"OpenQuoteFromTheStart", "quote.cef", "\"nVorpel1.5,Letters\na,ViewColumn,0,TRUE\n", 41, notDefinition},
  };
  LNViewFolder view = View(Letters());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ui_.boxes.clear();
    if (c.bytes) WriteFile(c.file, std::string(c.bytes, c.length));
    ColumnSpecList list = Sentinel();
    EXPECT_FALSE(LoadDefinitionFile(list, view, PathOf(c.file)));
    EXPECT_EQ(Describe(list), Describe(Sentinel()));
    ASSERT_EQ(ui_.boxes.size(), 1u);
    EXPECT_EQ(ui_.boxes[0].platformText, c.message + PathOf(c.file));
    EXPECT_EQ(ui_.boxes[0].caption, "nVorpel");
    EXPECT_EQ(ui_.boxes[0].buttons, platform::Buttons::Ok);
    EXPECT_EQ(ui_.boxes[0].icon, platform::Icon::Exclamation);
  }
}

TEST_F(LoadDefinitionFileTest, HostFailureIsThrownWithTheListUnchanged) {
  WriteFile("in.cef", "nVorpel1.5,Letters\n");
  LNViewFolder notAView;
  ColumnSpecList list = Sentinel();
  EXPECT_THROW(LoadDefinitionFile(list, notAView, PathOf("in.cef")), LNSTATUS);
  EXPECT_EQ(Describe(list), Describe(Sentinel()));
  EXPECT_THROW(SaveDefinitionFile(list, notAView, PathOf("out.cef")), LNSTATUS);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "out.cef"));
}

}  // namespace
