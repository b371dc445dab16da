#include <gtest/gtest.h>

#include <filesystem>

#include "columns/column_data_array.h"
#include "definitions/definition_file.h"
#include "definitions/definition_test_support.h"

namespace {

using definitions_test::Cp932;

class SaveDefinitionFileTest : public definitions_test::DefinitionTest {
 protected:
  // The columns of the view "By Name": Name and Dept.
  ColumnSpecList ByNameColumns(LNViewFolder& view) {
    CColumnDataArray columns;
    columns.LoadFromView(view);
    EXPECT_EQ(columns.GetCount(), 2u);
    return columns;
  }
  NOTEID ByName() {
    return db_.View("By Name")
        .Column({.title = "Name", .itemName = "Name"})
        .Column({.title = "Dept", .itemName = "Dept"})
        .Id();
  }

  static ColumnSpec Formula(const char* title, const char* text, bool output) {
    ColumnSpec spec;
    spec.title = title;
    spec.SetFormula(text, LNVFSEPARATOR_SEMICOLON);
    spec.output = output;
    return spec;
  }
};

TEST_F(SaveDefinitionFileTest, WritesTheHeaderAndOneRecordPerColumn) {
  LNViewFolder view = View(ByName());
  ColumnSpecList list = ByNameColumns(view);
  list[1].output = false;
  list.SetAtGrow(2, Formula("Name, Dept", "Name + \", \" + Dept", true));
  list.SetAtGrow(4, Formula("Later", "Dept", false));  // position 3 stays unset

  ASSERT_TRUE(SaveDefinitionFile(list, view, PathOf("a.cef")));
  EXPECT_EQ(ReadFile("a.cef"),
            "nVorpel1.5,By Name\n"
            "Name,ViewColumn,0,TRUE\n"
            "Dept,ViewColumn,1,FALSE\n"
            "\"Name, Dept\",Formula,\"Name + \"\", \"\" + Dept\",TRUE\n"
            "Later,Formula,Dept,FALSE\n");
  EXPECT_FALSE(view.IsOpen());
  EXPECT_TRUE(ui_.boxes.empty());
}

TEST_F(SaveDefinitionFileTest, QuotesOnlyTextsThatNeedIt) {
  const NOTEID id = db_.View("A \"quoted\", view").Id();
  LNViewFolder view = View(id);
  ColumnSpecList list;
  const struct {
    std::string title, formula, written;
  } cases[] = {
      {"  padded  ", "1", "  padded  ,Formula,1,FALSE\n"},
      {"say \"hi\"", "\"x\"", "\"say \"\"hi\"\"\",Formula,\"\"\"x\"\"\",FALSE\n"},
      {"two\nlines", "@If(1;\n\"a\";\n\"b\")", "\"two\nlines\",Formula,\"@If(1;\n\"\"a\"\";\n\"\"b\"\")\",FALSE\n"},
      {Cp932("表示"), "1", Cp932("表示") + ",Formula,1,FALSE\n"},
  };
  std::string expected = "nVorpel1.5,\"A \"\"quoted\"\", view\"\n";
  for (const auto& c : cases) {
    list.SetAtGrow(list.GetCount(), Formula(c.title.c_str(), c.formula.c_str(), false));
    expected += c.written;
  }
  ASSERT_TRUE(SaveDefinitionFile(list, view, PathOf("q.cef")));
  EXPECT_EQ(ReadFile("q.cef"), expected);
}

TEST_F(SaveDefinitionFileTest, AnOpenViewIsClosedAfterwards) {
  LNViewFolder view = View(ByName());
  ASSERT_EQ(view.Open(0), 0u);
  ASSERT_TRUE(view.IsOpen());
  EXPECT_TRUE(SaveDefinitionFile(ColumnSpecList(), view, PathOf("empty.cef")));
  EXPECT_FALSE(view.IsOpen());
  EXPECT_EQ(ReadFile("empty.cef"), "nVorpel1.5,By Name\n");
}

TEST_F(SaveDefinitionFileTest, ReplacesAnExistingFileWhole) {
  WriteFile("old.cef", std::string(1000, 'x'));
  LNViewFolder view = View(ByName());
  ASSERT_TRUE(SaveDefinitionFile(ByNameColumns(view), view, PathOf("old.cef")));
  EXPECT_EQ(ReadFile("old.cef"), "nVorpel1.5,By Name\nName,ViewColumn,0,TRUE\nDept,ViewColumn,1,TRUE\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);  // nothing left beside it
}

TEST_F(SaveDefinitionFileTest, PlatformPathWithDoubleByteNames) {
  LNViewFolder view = View(ByName());
  // "表" ends in the byte of "\": only the real separators divide the path.
  std::filesystem::create_directory(dir_ / "定義表");
  const std::string platformPath = PathOf("") + Cp932("定義表\\ソ.cef");
  ASSERT_TRUE(SaveDefinitionFile(ColumnSpecList(), view, platformPath));
  EXPECT_EQ(ReadFile("定義表/ソ.cef"), "nVorpel1.5,By Name\n");
}

TEST_F(SaveDefinitionFileTest, FalseWithoutAMessageWhenTheFileCannotBeCreated) {
  LNViewFolder view = View(ByName());
  std::filesystem::create_directory(dir_ / "taken.cef");
  for (const char* name : {"missing/a.cef", "taken.cef"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(SaveDefinitionFile(ByNameColumns(view), view, PathOf(name)));
  }
  EXPECT_FALSE(std::filesystem::exists(dir_ / "missing"));
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "taken.cef"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
  EXPECT_TRUE(ui_.boxes.empty());
}

}  // namespace
