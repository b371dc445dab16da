// The CSV run through PluginApp::DoExportView, as the client starts it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "plugin/export_fixture.h"

namespace {

using host::testing::DatabaseBuilder;
using host::testing::Sort;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::IsEmpty;
using ::testing::StartsWith;

const std::string kRecords = "Abe,Tokyo\r\nBaba,Osaka\r\nChiba,Nara\r\n";

class ExportCsvTest : public ExportFixture {
 protected:
  void SetUp() override {
    ExportFixture::SetUp();
    abe_ = db_.Document("Order").Text("Name", {"Abe"}).Text("City", {"Tokyo"}).Id();
    babaDocument_.emplace(db_.Document("Order"));
    baba_ = babaDocument_->Text("Name", {"Baba"}).Text("City", {"Osaka"}).Id();
    chiba_ = db_.Document("Order").Text("Name", {"Chiba"}).Text("City", {"Nara"}).Id();
    view_ = db_.View("By Name")
                .Column({.title = "Name", .itemName = "Name", .sort = Sort::Ascending})
                .Column({.title = "City", .itemName = "City"})
                .Id();
  }

  DatabaseBuilder db_{"Sales", "sales.nsf"};
  std::optional<host::testing::DocumentBuilder> babaDocument_;
  NOTEID abe_ = 0, baba_ = 0, chiba_ = 0, view_ = 0;
};

TEST_F(ExportCsvTest, WritesTheTitleLineAndOneRecordPerEntryEachEndingInCrLf) {
  EXPECT_EQ(Export(Params(db_, view_), Typed("out", "/X /H")), 0);
  EXPECT_EQ(Read("out.csv"), "Name,City\r\n" + kRecords);
  EXPECT_THAT(ui_.boxes, IsEmpty());
  EXPECT_THAT(ui_.progress.calls,
              ElementsAre("caption:書き出し中...", "range:0,100", "pos:0", "status:CSVファイルを書き出しています...",
                          "range:0,3", "pos:0", "counter:0/3文書 (0%)", "pos:1", "counter:1/3文書 (33%)", "pos:2",
                          "counter:2/3文書 (66%)", "destroyed"));
}

TEST_F(ExportCsvTest, SwitchesDecideTheSettingsOfARunWithoutTheSheet) {
  struct Case {
    const char* switches;
    std::vector<NOTEID> selected;
    std::string expected;
  };
  const Case cases[] = {
      {"/X", {}, kRecords},  // no title line, all documents, comma, automatic quoting
      {"/X/S1/H", {}, "Name\tCity\r\nAbe\tTokyo\r\nBaba\tOsaka\r\nChiba\tNara\r\n"},
      {"/X/Q1", {}, "\"Abe\",\"Tokyo\"\r\n\"Baba\",\"Osaka\"\r\n\"Chiba\",\"Nara\"\r\n"},
      {"/X /H /D1", {baba_}, "Name,City\r\nBaba,Osaka\r\n"},
      {"/X /D1", {abe_, chiba_}, "Abe,Tokyo\r\nChiba,Nara\r\n"},
      {"/X /H /D1", {}, "Name,City\r\n"},
      {"/X /D1", {}, ""},
      {"/X /D1 /D0", {}, kRecords},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.switches);
    EXPECT_EQ(Export(Params(db_, view_, c.selected), Typed("out.csv", c.switches)), 0);
    EXPECT_EQ(Read("out.csv"), c.expected);
  }
  EXPECT_THAT(ui_.boxes, IsEmpty());
}

TEST_F(ExportCsvTest, TheAppendFlagAddsTitleLineAndRecordsAtTheEnd) {
  Write("out.csv", "old\r\n");
  Export(Params(db_, view_), Typed("out.csv", "/X /H"), "", kAppendToFile);
  EXPECT_EQ(Read("out.csv"), "old\r\nName,City\r\n" + kRecords);
  Export(Params(db_, view_), Typed("out.csv", "/X"), "", kAppendToFile | 0x0001);
  EXPECT_EQ(Read("out.csv"), "old\r\nName,City\r\n" + kRecords + kRecords);
  Export(Params(db_, view_), Typed("out.csv", "/X"), "", 0x0003);  // other bits do not append
  EXPECT_EQ(Read("out.csv"), kRecords);
  Export(Params(db_, view_), Typed("new.csv", "/X"), "", kAppendToFile);
  EXPECT_EQ(Read("new.csv"), kRecords);
}

TEST_F(ExportCsvTest, CancelDuringDocumentKKeepsTheTitleLineAndKPlusOneRecords) {
  const std::string records[] = {"Abe,Tokyo\r\n", "Baba,Osaka\r\n", "Chiba,Nara\r\n"};
  for (bool ctrlC : {false, true}) {
    for (int k = 0; k < 3; ++k) {
      SCOPED_TRACE(std::string(ctrlC ? "Ctrl+C" : "Cancel button") + " at document " + std::to_string(k));
      bool pressed = false;
      ui_.progress.cancelPresses = [&](int position) {
        if (position != k || pressed) return 0;
        pressed = true;
        if (!ctrlC) return 1;
        std::raise(SIGINT);
        return 0;
      };
      Export(Params(db_, view_), Typed("out.csv", "/X /H"));
      ASSERT_TRUE(pressed);
      std::string expected = "Name,City\r\n";
      for (int i = 0; i <= k; ++i) expected += records[i];
      EXPECT_EQ(Read("out.csv"), expected);
    }
  }
  EXPECT_THAT(ui_.boxes, IsEmpty());
}

TEST_F(ExportCsvTest, ADocumentThatCannotBeOpenedStillGetsItsRecordAndOneMessage) {
  const ExportViewParams params = Params(db_, view_);  // the view's entries are read already
  babaDocument_->Deleted();
  Export(params, Typed("out.csv", "/X /H"));
  EXPECT_EQ(Read("out.csv"), "Name,City\r\n" + kRecords);
  ASSERT_EQ(ui_.boxes.size(), 1u);
  char noteId[9];
  std::snprintf(noteId, sizeof noteId, "%8.8X", static_cast<unsigned>(baba_));
  EXPECT_THAT(ui_.boxes[0].text, StartsWith("104 : "));
  EXPECT_THAT(ui_.boxes[0].text, EndsWith(std::string("\n文書(NOTEID=") + noteId + ")の取得に失敗しました。"));
}

TEST_F(ExportCsvTest, CategoryRowsGetARecordToo) {
  const NOTEID byCity = db_.View("By City")
                            .Column({.title = "City", .itemName = "City", .categorized = true})
                            .Column({.title = "Name", .itemName = "Name"})
                            .Id();
  Export(Params(db_, byCity), Typed("out.csv", "/X"));
  const std::string text = Read("out.csv");
  std::size_t lines = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
  EXPECT_EQ(lines, 6u);  // three categories, three documents
  EXPECT_THAT(text, EndsWith("\r\n"));
  EXPECT_THAT(ui_.boxes, IsEmpty());
}

TEST_F(ExportCsvTest, LineBreaksInsideValuesAreLeftToTheRecord) {
  const NOTEID memo = db_.View("Memo").Column({.title = "Memo", .itemName = "Memo"}).Id();
  db_.Document("Memo").Text("Memo", {"a\r\nb"});
  Export(Params(db_, memo), Typed("out.csv", "/X"));
  EXPECT_EQ(Read("out.csv"), "\r\n\r\n\r\n\"a\r\nb\"\r\n");  // three documents without the item, then the memo
}

TEST_F(ExportCsvTest, AFileThatCannotBeOpenedEndsTheRunWithStatus102AndCreatesNothing) {
  Export(Params(db_, view_), Typed("missing/out.csv", "/X /H"));
  ASSERT_EQ(ui_.boxes.size(), 1u);
  EXPECT_THAT(ui_.boxes[0].text, StartsWith("102 : "));
  EXPECT_THAT(ui_.boxes[0].text, EndsWith("\nエクスポート中にノーツのエラーが発生しました。"));
  EXPECT_TRUE(std::filesystem::is_empty(dir_));
  EXPECT_THAT(ui_.progress.calls, ElementsAre("message"));
}

TEST_F(ExportCsvTest, AFullDiskStopsTheRunAtThatRecordWithOneMessage) {
  // The extension rule turns a typed "\dev\full" into "\dev\full.csv"; a link gets there instead.
  std::filesystem::create_symlink("/dev/full", dir_ / "full.csv");
  const std::string typed = Typed("full.csv");
  const std::string full = "ファイル(" + (dir_ / "full.csv").string() + ")に書き込めませんでした。\nディスクに空きがありません。";
  Export(Params(db_, view_), typed + " /X");
  EXPECT_THAT(ui_.Texts(), ElementsAre(full));
  // The dialog went away before the message, after the first document.
  EXPECT_THAT(ui_.progress.calls,
              ElementsAre("caption:書き出し中...", "range:0,100", "pos:0", "status:CSVファイルを書き出しています...",
                          "range:0,3", "pos:0", "counter:0/3文書 (0%)", "destroyed", "message"));

  ui_.boxes.clear();
  ui_.progress.calls.clear();
  Export(Params(db_, view_), typed + " /X /H");  // the title line fails
  EXPECT_THAT(ui_.Texts(), ElementsAre(full));
  EXPECT_THAT(ui_.progress.calls, ElementsAre("message"));
}

TEST_F(ExportCsvTest, WithoutXTheSheetNeedsADisplayAndNoFileIsTouched) {
  Write("out.csv", "kept");
  Export(Params(db_, view_), Typed("out.csv", "/x /H"));
  Export(Params(db_, view_), Typed("new.csv"));
  EXPECT_EQ(Read("out.csv"), "kept");
  EXPECT_FALSE(Exists("new.csv"));
  ASSERT_EQ(ui_.boxes.size(), 3u);
  EXPECT_EQ(ui_.boxes[0].text, "パラメータ(/x)は正しくありません。");
  for (std::size_t sheet : {1u, 2u}) {
    EXPECT_THAT(ui_.boxes[sheet].text, StartsWith("オプションシートを表示するにはディスプレイが必要です。"));
    EXPECT_THAT(ui_.boxes[sheet].text, ::testing::HasSubstr("/X"));
  }
  EXPECT_THAT(ui_.progress.calls, ElementsAre("message", "message", "message"));
}

}  // namespace
