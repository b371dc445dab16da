// The XML run through PluginApp::DoExportView, as the client starts it: whole files, byte for
// byte, each also read by xmllint.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "plugin/export_fixture.h"
#include "xml/xml_test_support.h"

namespace {

using host::testing::DatabaseBuilder;
using host::testing::Sort;
using platform::Utf8ToCp932;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::IsEmpty;
using ::testing::StartsWith;
using xml_test::XmlLintComplaints;

// `text` with every line feed as CR LF.
std::string Crlf(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

const std::string kStartTag = "<database title=\"A&amp;B&lt;C\" server=\"\" path=\"sales.nsf\" view=\"By Name\">\n";
const std::string kDocs =
    "<doc>\n<view name=\"Name\">阿部</view>\n<view name=\"Note\">①髙，</view>\n</doc>\n"
    "<doc>\n<view name=\"Name\">馬場</view>\n<view name=\"Note\">&lt;b&gt;</view>\n</doc>\n";

class ExportXmlTest : public ExportFixture {
 protected:
  void SetUp() override {
    ExportFixture::SetUp();
    abe_ = db_.Document("Order").Text("Name", {"阿部"}).Text("Note", {"①髙，"}).Id();
    db_.Document("Order").Text("Name", {"馬場"}).Text("Note", {"<b>"});
    view_ = db_.View("By Name")
                .Column({.title = "Name", .itemName = "Name", .sort = Sort::Ascending})
                .Column({.title = "Note", .itemName = "Note"})
                .Id();
  }

  // The file, which must be well formed.
  std::string ReadXml(const std::string& name) {
    const std::string file = Read(name);
    EXPECT_EQ(XmlLintComplaints(file), "");
    return file;
  }

  DatabaseBuilder db_{"A&B<C", "sales.nsf"};
  NOTEID abe_ = 0, view_ = 0;
};

TEST_F(ExportXmlTest, WritesAShiftJisFileWithCrLfLineEnds) {
  EXPECT_EQ(Export(Params(db_, view_), Typed("out", "/X"), "xml"), 0);
  EXPECT_EQ(ReadXml("out.xml"), Utf8ToCp932(Crlf("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n" + kStartTag +
                                                 kDocs + "</database>\n")));
  EXPECT_THAT(ui_.boxes, IsEmpty());
  EXPECT_THAT(ui_.progress.calls,
              ElementsAre("caption:書き出し中...", "range:0,100", "pos:0", "status:XMLファイルを書き出しています...",
                          "range:0,2", "pos:0", "counter:0/2文書 (0%)", "pos:1", "counter:1/2文書 (50%)", "destroyed"));
}

TEST_F(ExportXmlTest, E1WritesUtf8AfterADeclarationWithoutEncoding) {
  Export(Params(db_, view_), Typed("out.xml", "/X /E1"), "XML");
  const std::string file = ReadXml("out.xml");
  EXPECT_EQ(file, Crlf("<?xml version=\"1.0\"?>\n" + kStartTag + kDocs + "</database>\n"));
  EXPECT_NE(file.find("\xEF\xBC\x8C</view>"), std::string::npos) << "the full-width comma";
}

TEST_F(ExportXmlTest, AnEmptyViewGivesTheDeclarationAndTheDatabaseElement) {
  const NOTEID folder = db_.Folder("Empty").Column({.title = "Name", .itemName = "Name"}).Id();
  Export(Params(db_, folder), Typed("out.xml", "/X"), "xml");
  EXPECT_EQ(ReadXml("out.xml"), Crlf("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
                                     "<database title=\"A&amp;B&lt;C\" server=\"\" path=\"sales.nsf\" view=\"Empty\">\n"
                                     "</database>\n"));
}

// The carriage return as a reference: the text mode's CR before the line feed and the reader's
// line-end handling then give the value's one CR LF back.
TEST_F(ExportXmlTest, ACrLfInsideAValueIsStoredSoThatItReadsBackAsOneLineBreak) {
  const NOTEID memo =
      db_.View("Memo").Column({.title = "Memo", .itemName = "Memo"}).Selection("SELECT Memo != \"\"").Id();
  db_.Document("Memo").Text("Memo", {"a\r\nb"});
  Export(Params(db_, memo), Typed("out.xml", "/X"), "xml");
  EXPECT_THAT(
      ReadXml("out.xml"),
      EndsWith("<doc>\r\n<view name=\"Memo\" xml:space=\"preserve\">a&#13;\r\nb</view>\r\n</doc>\r\n</database>\r\n"));
}

TEST_F(ExportXmlTest, CancelAfterTheFirstDocumentStillEndsTheFile) {
  ui_.progress.cancelPresses = [](int position) { return position == 0 ? 1 : 0; };
  Export(Params(db_, view_), Typed("out.xml", "/X"), "xml");
  EXPECT_EQ(ReadXml("out.xml"), Utf8ToCp932(Crlf("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n" + kStartTag +
                                                 kDocs.substr(0, kDocs.find("<doc>", 1)) + "</database>\n")));
}

// Whenever the progress window dispatches, before the first document and after each, the file
// holds the declaration, the start tag and every doc element written so far, whole: a run stopped
// there by anything leaves whole elements.
TEST_F(ExportXmlTest, EveryDocumentIsOnDiskOnceWritten) {
  std::vector<std::string> onDisk;  // each new content the window saw
  ui_.progress.cancelPresses = [&](int) {
    const std::string now = platform::Cp932ToUtf8(Read("out.xml"));
    if (onDisk.empty() || onDisk.back() != now) onDisk.push_back(now);
    return 0;
  };
  Export(Params(db_, view_), Typed("out.xml", "/X"), "xml");
  const std::string head = Crlf("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n" + kStartTag);
  EXPECT_THAT(onDisk, ElementsAre(head, head + Crlf(kDocs.substr(0, kDocs.find("<doc>", 1))), head + Crlf(kDocs)));
}

TEST_F(ExportXmlTest, TheFileIsCreatedAnewEvenWithTheAppendFlag) {
  Write("out.xml", "old contents that are longer than nothing");
  Export(Params(db_, view_), Typed("out.xml", "/X"), "xml", kAppendToFile);
  EXPECT_THAT(ReadXml("out.xml"), StartsWith("<?xml"));
}

TEST_F(ExportXmlTest, SwitchesChooseNoteIdsTypesItemsAndAttachmentsBesideTheFile) {
  DatabaseBuilder db("Files", "files.nsf", "Server/Org");
  db.Document().Text("Name", {"x"}).Attachment("a.txt", "a.txt", "AAA");
  const NOTEID view = db.View("V").Column({.title = "Name", .itemName = "Name"}).Id();
  Export(Params(db, view), Typed("out.xml", "/X /N /T /I /P"), "xml");
  EXPECT_EQ(ReadXml("out.xml"), Crlf("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
                                     "<database title=\"Files\" server=\"Server/Org\" path=\"files.nsf\" view=\"V\">\n"
                                     "<doc noteid=\"00000102\">\n"
                                     "<view name=\"Name\" type=\"TEXT\">x</view>\n"
                                     "<item name=\"Name\" type=\"TEXT\">x</item>\n"
                                     "<file noteid=\"00000102\" filename=\"a.txt\">a.txt</file>\n"
                                     "</doc>\n"
                                     "</database>\n"));
  EXPECT_EQ(Read("out.files/00000102/a.txt"), "AAA");
}

TEST_F(ExportXmlTest, ADocumentThatCannotBeOpenedStillGetsItsElementAndOneMessage) {
  DatabaseBuilder db;
  host::testing::DocumentBuilder gone = db.Document();
  gone.Text("Name", {"gone"});
  const NOTEID view = db.View("V").Column({.title = "Name", .itemName = "Name"}).Id();
  const ExportViewParams params = Params(db, view);  // the entries are read already
  gone.Deleted();
  Export(params, Typed("out.xml", "/X"), "xml");
  EXPECT_THAT(ReadXml("out.xml"), EndsWith("<doc>\r\n<view name=\"Name\">gone</view>\r\n</doc>\r\n</database>\r\n"));
  ASSERT_EQ(ui_.boxes.size(), 1u);
  EXPECT_THAT(ui_.boxes[0].text, StartsWith("104 : "));
  EXPECT_THAT(ui_.boxes[0].text, EndsWith("\n文書(NOTEID=00000102)の取得に失敗しました。"));
}

TEST_F(ExportXmlTest, AnExportLargerThanOneWriteBlockComesOutWhole) {
  DatabaseBuilder db;
  const std::string value(100, 'v');
  for (int i = 0; i < 2000; ++i) db.Document().Text("Name", {value});
  const NOTEID view = db.View("V").Column({.title = "Name", .itemName = "Name"}).Id();
  Export(Params(db, view), Typed("out.xml", "/X"), "xml");
  const std::string file = ReadXml("out.xml");
  ASSERT_GT(file.size(), 3u * 64 * 1024);
  std::size_t docs = 0;
  for (std::size_t at = file.find("<doc>"); at != std::string::npos; at = file.find("<doc>", at + 1)) ++docs;
  EXPECT_EQ(docs, 2000u);
  EXPECT_THAT(file, EndsWith("</doc>\r\n</database>\r\n"));
}

TEST_F(ExportXmlTest, AFileThatCannotBeOpenedOrWrittenEndsTheRunWithOneMessage) {
  Export(Params(db_, view_), Typed("missing/out.xml", "/X"), "xml");
  ASSERT_EQ(ui_.boxes.size(), 1u);
  EXPECT_THAT(ui_.boxes[0].text, StartsWith("102 : "));
  EXPECT_THAT(ui_.boxes[0].text, EndsWith("\nエクスポート中にノーツのエラーが発生しました。"));
  EXPECT_TRUE(std::filesystem::is_empty(dir_));

  ui_.boxes.clear();
  std::filesystem::create_symlink("/dev/full", dir_ / "full.xml");
  const std::string typed = Typed("full.xml");
  Export(Params(db_, view_), typed + " /X", "xml");
  EXPECT_THAT(ui_.Texts(), ElementsAre("ファイル(" + (dir_ / "full.xml").string() +
                                       ")に書き込めませんでした。\nディスクに空きがありません。"));
}

TEST_F(ExportXmlTest, EveryViewOfTheSampleDatabaseExportsToWellFormedFilesInBothEncodings) {
  const std::string sample = std::string(NVORPEL_SOURCE_DIR) + "/samples/orders.xml";
  const char* paths[] = {sample.c_str()};
  CoreDatabaseHandle database = 0;
  ASSERT_EQ(CoreOpenDxlDatabase(paths, 1, nullptr, &database), host::kNoError);
  std::vector<NOTEID> views;
  CoreListViews(
      database,
      [](void* context, std::uint32_t id, int, const char*) {
        static_cast<std::vector<NOTEID>*>(context)->push_back(id);
      },
      &views);
  ASSERT_GE(views.size(), 4u);
  for (const NOTEID view : views) {
    for (const char* encoding : {"/E0", "/E1"}) {
      SCOPED_TRACE(std::to_string(view) + encoding);
      ExportViewParams params;
      params.SetDatabaseHandle(database);
      params.SetViewNoteId(view);
      CoreCollectionHandle collection = 0;
      ASSERT_EQ(CoreOpenCollection(database, view, &collection), host::kNoError);
      params.SetCollectionHandle(collection);
      Export(params, Typed("sample.xml", std::string("/X /N /T /I /C /P ") + encoding), "xml");
      CoreCloseCollection(collection);
      const std::string file = ReadXml("sample.xml");
      EXPECT_THAT(file, EndsWith("</database>\r\n"));
      if (view == views.front()) {
        EXPECT_THAT(file, ::testing::HasSubstr("<item name=\"$FILE\" type=\"OBJECT\">")) << "an attachment's item";
      }
    }
  }
  EXPECT_TRUE(Exists("sample.files")) << "the sample's attachments were detached";
  for (const auto& message : ui_.boxes) {
    EXPECT_THAT(message.text, ::testing::HasSubstr("上書きしますか?")) << "only overwrite questions";
  }
  CoreCloseDatabase(database);
}

}  // namespace
