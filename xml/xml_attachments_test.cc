// Attachments of the XML export: the file elements, the folder beside the output file, the
// overwrite question and the host's detaching.
#include "xml/xml_attachments.h"

#include <gtest/gtest.h>
#include <platform/testing/recording_ui.h>

#include <deque>
#include <filesystem>
#include <set>

#include "columns/column_data_array.h"
#include "xml/xml_document.h"
#include "xml/xml_test_support.h"

namespace {

using host::testing::DatabaseBuilder;
using host::testing::RichText;
using platform::Cp932ToUtf8;
using xml_test::ReadFile;

// Every regular file under `root`, relative to it.
std::set<std::string> FilesUnder(const std::string& root) {
  std::set<std::string> files;
  if (!std::filesystem::exists(root)) return files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files.insert(std::filesystem::relative(entry.path(), root).string());
  }
  return files;
}

struct Exported {
  std::string utf8;  // the doc elements
  std::vector<platform::testing::RecordedBox> shown;
};

// Renders every document of the database's only view with attachments detached beside
// "<scratch>/view.xml".
Exported Export(DatabaseBuilder& db, const xml_test::ScratchDir& scratch, std::deque<platform::Answer> answers = {},
                bool attach = true) {
  const NOTEID viewId = db.View("All").Id();
  const LNDatabase database = xml_test::OpenDatabase(db);
  CColumnDataArray columns;
  const std::string basePath = scratch.PlatformPath("view.xml");
  columns.SetXmlFormat(nullptr, nullptr, false, false, false, false, attach ? basePath.c_str() : nullptr);
  platform::testing::ScopedRecordingUi ui;
  ui.answers = std::move(answers);
  std::string docs;
  for (const ViewEntry& entry : xml_test::Entries(db, viewId)) {
    LNDocument document = xml_test::Fetch(database, entry.GetNoteID());
    docs += ToXMLData(columns, entry, document);
  }
  EXPECT_EQ(xml_test::DocLintComplaints(docs), "");
  return {docs, ui.boxes};
}

TEST(XmlAttachments, FilesOutsideThenInsideRichTextEachInItsNotesFolder) {
  DatabaseBuilder db;
  db.Document()
      .Attachment("ATT1", "report.txt", "RRR", true)
      .Attachment("a.txt", "a.txt", "AAA")
      .Attachment("ATT2", "b&c.txt", "BBB")
      .RichTextItem("Body", RichText().Text("see ").Attachment("ATT1", "report.txt"));
  db.Document().Attachment("a.txt", "a.txt", "second");
  xml_test::ScratchDir scratch;
  const Exported exported = Export(db, scratch);
  EXPECT_EQ(exported.utf8,
            "<doc>\n"
            "<file noteid=\"00000102\" filename=\"a.txt\">a.txt</file>\n"
            "<file noteid=\"00000102\" filename=\"ATT2_b&amp;c.txt\">b&amp;c.txt</file>\n"
            "<file ritchtextname=\"Body\" noteid=\"00000102\" filename=\"ATT1_report.txt\">report.txt</file>\n"
            "</doc>\n"
            "<doc>\n"
            "<file noteid=\"00000106\" filename=\"a.txt\">a.txt</file>\n"
            "</doc>\n");
  EXPECT_TRUE(exported.shown.empty());
  const std::string folder = scratch.path() + "/view.files";
  EXPECT_EQ(FilesUnder(scratch.path()),
            (std::set<std::string>{"view.files/00000102/a.txt", "view.files/00000102/ATT2_b&c.txt",
                                   "view.files/00000102/ATT1_report.txt", "view.files/00000106/a.txt"}));
  EXPECT_EQ(ReadFile(folder + "/00000102/a.txt"), "AAA");
  EXPECT_EQ(ReadFile(folder + "/00000102/ATT1_report.txt"), "RRR");
  EXPECT_EQ(ReadFile(folder + "/00000106/a.txt"), "second");
}

TEST(XmlAttachments, NamesFromTheDatabaseNeverLeaveTheNotesFolder) {
  DatabaseBuilder db;
  db.Document()
      .Attachment("..\\..\\evil.txt", "..\\..\\evil.txt", "1")
      .Attachment("../up.txt", "../up.txt", "2")
      .Attachment("..", "..", "3")
      .Attachment("C:\\boot.ini", "C:\\boot.ini", "4")
      .Attachment("\x01x", "\x01x", "5");
  xml_test::ScratchDir scratch;
  const Exported exported = Export(db, scratch);
  EXPECT_EQ(exported.utf8,
            "<doc>\n"
            "<file noteid=\"00000102\" filename=\".._.._evil.txt\">..\\..\\evil.txt</file>\n"
            "<file noteid=\"00000102\" filename=\".._up.txt\">../up.txt</file>\n"
            "<file noteid=\"00000102\" filename=\"__\">..</file>\n"
            "<file noteid=\"00000102\" filename=\"C__boot.ini\">C:\\boot.ini</file>\n"
            "<file noteid=\"00000102\" filename=\"?x\">?x</file>\n"
            "</doc>\n");
  EXPECT_EQ(FilesUnder(scratch.path()),
            (std::set<std::string>{"view.files/00000102/.._.._evil.txt", "view.files/00000102/.._up.txt",
                                   "view.files/00000102/__", "view.files/00000102/C__boot.ini",
                                   "view.files/00000102/\x01x"}));
}

TEST(XmlAttachments, AnExistingFileIsReplacedOnlyWhenTheUserSaysYes) {
  const struct {
    platform::Answer answer;
    const char* content;
  } cases[] = {{platform::Answer::Yes, "new"}, {platform::Answer::No, "old"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.answer));
    DatabaseBuilder db;
    db.Document().Attachment("a.txt", "a.txt", "new");
    xml_test::ScratchDir scratch;
    const std::string target = scratch.path() + "/view.files/00000102/a.txt";
    std::filesystem::create_directories(scratch.path() + "/view.files/00000102");
    std::ofstream(target) << "old";
    const Exported exported = Export(db, scratch, {c.answer});
    EXPECT_EQ(exported.utf8, "<doc>\n<file noteid=\"00000102\" filename=\"a.txt\">a.txt</file>\n</doc>\n");
    ASSERT_EQ(exported.shown.size(), 1u);
    EXPECT_EQ(exported.shown[0].text,
              scratch.path() + "/view.files/00000102/a.txt" + "は既に存在します。\n上書きしますか?");
    EXPECT_EQ(exported.shown[0].caption, "nVorpel");
    EXPECT_EQ(exported.shown[0].buttons, platform::Buttons::YesNo);
    EXPECT_EQ(ReadFile(target), c.content);
  }
}

TEST(XmlAttachments, WithoutABasePathNothingIsWrittenAndNoFolderMade) {
  DatabaseBuilder db;
  db.Document().Attachment("a.txt", "a.txt", "A");
  xml_test::ScratchDir scratch;
  EXPECT_EQ(Export(db, scratch, {}, false).utf8, "<doc>\n</doc>\n");
  EXPECT_TRUE(std::filesystem::is_empty(scratch.path()));
}

TEST(XmlAttachments, ADocumentWithoutAttachmentsMakesNoFolder) {
  DatabaseBuilder db;
  db.Document().Text("A", {"a"});
  xml_test::ScratchDir scratch;
  EXPECT_EQ(Export(db, scratch).utf8, "<doc>\n</doc>\n");
  EXPECT_TRUE(std::filesystem::is_empty(scratch.path()));
}

TEST(XmlAttachments, AFailedDetachIsShownAndEndsTheDocumentsAttachments) {
  DatabaseBuilder db;
  db.Document()
      .Attachment("first.txt", "first.txt", "1")
      .Attachment("packed.bin", "packed.bin", "", false, false)
      .Attachment("after.txt", "after.txt", "3");
  db.Document().Attachment("next.txt", "next.txt", "4");
  xml_test::ScratchDir scratch;
  const Exported exported = Export(db, scratch);
  EXPECT_EQ(exported.utf8,
            "<doc>\n"
            "<file noteid=\"00000102\" filename=\"first.txt\">first.txt</file>\n"
            "<file noteid=\"00000102\" filename=\"packed.bin\">packed.bin</file>\n"
            "</doc>\n"
            "<doc>\n"
            "<file noteid=\"00000106\" filename=\"next.txt\">next.txt</file>\n"
            "</doc>\n");
  ASSERT_EQ(exported.shown.size(), 1u);
  EXPECT_NE(exported.shown[0].text.find("\nNOTEID:00000102の添付ファイルの書き出しに失敗しました。"), std::string::npos)
      << exported.shown[0].text;
  EXPECT_EQ(FilesUnder(scratch.path()),
            (std::set<std::string>{"view.files/00000102/first.txt", "view.files/00000106/next.txt"}));
}

}  // namespace
