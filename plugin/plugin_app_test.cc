#include "plugin/plugin_app.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "plugin/export_fixture.h"

namespace {

using host::testing::DatabaseBuilder;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::IsEmpty;
using ::testing::StartsWith;

const char kNotesFailure[] = "\nエクスポート中にノーツのエラーが発生しました。";

class PluginAppTest : public ExportFixture {
 protected:
  void SetUp() override {
    ExportFixture::SetUp();
    document_ = db_.Document("Order").Text("Name", {"Abe"}).Text("City", {"Tokyo"}).Id();
    view_ = db_.View("Orders").Column({.title = "Name", .itemName = "Name"}).Column({.title = "City", .itemName = "City"}).Id();
  }

  DatabaseBuilder db_{"Sales", "sales.nsf"};
  NOTEID document_ = 0, view_ = 0;
};

TEST_F(PluginAppTest, TheOptionWordXmlInAnyLetterCaseStartsTheXmlRun) {
  struct Case {
    const char* option;
    bool xml;
  };
  const Case cases[] = {{"xml", true},   {"XML", true},  {"xMl", true},   {"xml ", false},
                        {"csv", false},  {"", false},    {nullptr, false}, {"xm", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option ? c.option : "(null)");
    ui_.boxes.clear();
    std::filesystem::remove(dir_ / "out.csv");
    // H is a switch of the CSV run only: the XML run rejects it.
    const std::string typed = Typed("out", "/X /H");
    const ExportViewParams params = Params(db_, view_);
    EXPECT_EQ(app_.DoExportView(&params, 0, 0, c.option, typed.c_str()), 0);
    if (c.xml) {
      EXPECT_THAT(ui_.Texts(), ElementsAre("パラメータ(/H)は正しくありません。"));
      EXPECT_FALSE(Exists("out.csv"));
    } else {
      EXPECT_THAT(ui_.boxes, IsEmpty());
      EXPECT_EQ(Read("out.csv"), "Name,City\r\nAbe,Tokyo\r\n");
    }
  }
}

TEST_F(PluginAppTest, AViewThatCannotBeOpenedIsTakenForAPersonalFolder) {
  for (NOTEID notAView : {document_, NOTEID{0x7FFC}}) {
    SCOPED_TRACE(notAView);
    ui_.boxes.clear();
    ExportViewParams params = Params(db_, view_);
    params.SetViewNoteId(notAView);
    EXPECT_EQ(Export(params, Typed("out", "/X /H")), 0);
    EXPECT_THAT(ui_.Texts(), ElementsAre("desktop.dsk内の個人フォルダから書き出すことは出来ません。"));
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

TEST_F(PluginAppTest, ADatabaseThatCannotBeOpenedShowsTheNotesStatus) {
  ExportViewParams params = Params(db_, view_);
  params.SetDatabaseHandle(0xDEAD);
  EXPECT_EQ(Export(params, Typed("out", "/X")), 0);
  EXPECT_EQ(app_.DoExportView(nullptr, 0, 0, "", Typed("out", "/X").c_str()), 0);
  ASSERT_EQ(ui_.boxes.size(), 2u);
  EXPECT_THAT(ui_.boxes[0].text, StartsWith("103 : "));
  EXPECT_THAT(ui_.boxes[0].text, EndsWith(kNotesFailure));
  EXPECT_THAT(ui_.boxes[1].text, EndsWith(kNotesFailure));
  EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

TEST_F(PluginAppTest, TwoExportsInARowShareTheSessionAndRebuildTheColumnList) {
  const NOTEID names = db_.View("Names").Column({.title = "Name", .itemName = "Name"}).Id();
  Export(Params(db_, view_), Typed("first", "/X /H"));
  EXPECT_EQ(app_.Columns().GetCount(), 2u);
  Export(Params(db_, names), Typed("second", "/X /H"));
  EXPECT_EQ(app_.Columns().GetCount(), 1u);
  EXPECT_EQ(Read("first.csv"), "Name,City\r\nAbe,Tokyo\r\n");
  EXPECT_EQ(Read("second.csv"), "Name\r\nAbe\r\n");
  EXPECT_THAT(ui_.boxes, IsEmpty());
}

TEST_F(PluginAppTest, LibraryEndClosesHelpAndEndsTheSession) {
  app_.ExitInstance();
  EXPECT_EQ(ui_.quitHelpCalls, 1);
  Export(Params(db_, view_), Typed("out", "/X"));
  ASSERT_EQ(ui_.boxes.size(), 1u);
  EXPECT_THAT(ui_.boxes[0].text, StartsWith("109 : "));
  EXPECT_FALSE(Exists("out.csv"));
}

}  // namespace
