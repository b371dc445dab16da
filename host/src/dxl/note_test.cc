#include "dxl/note.h"

#include <gtest/gtest.h>

#include "dxl/test_xml.h"
#include "dxl/xml_access.h"
#include "host/lntypes.h"

namespace host::dxl {
namespace {

using namespace model;

ReadNoteResult Read(const std::string& xml, NoteClass noteClass = NoteClass::Document) {
  ParsedXml parsed(xml);
  return ReadNote(parsed.Root(), noteClass);
}

TEST(ReadNote, NoteInfoGivesIdUnidAndDates) {
  const ReadNoteResult read = Read(
      "<document form='社員'><noteinfo noteid='8fa' unid='C12585B4004B62316B135DC8E8B5B740'>"
      "<created><datetime>20261210T084552,00+09</datetime></created><modified><datetime dst='true'>"
      "20260720T120000,00-04</datetime></modified><addedtofile><datetime/></addedtofile></noteinfo></document>");
  EXPECT_TRUE(read.hasNoteId);
  EXPECT_EQ(read.note.noteId, 0x8FAu);
  EXPECT_EQ(read.note.unid, "C12585B4004B62316B135DC8E8B5B740");
  ASSERT_TRUE(read.note.created.has_value());
  EXPECT_EQ(read.note.created->date, DaysFromCivil(2026, 12, 10));
  EXPECT_EQ(read.note.created->zoneMinutes, 540);
  ASSERT_TRUE(read.note.modified.has_value());
  EXPECT_TRUE(read.note.modified->dst);
  EXPECT_FALSE(read.note.AddedToFile().has_value());  // an empty <datetime>: no date

  EXPECT_FALSE(Read("<document/>").hasNoteId);
  EXPECT_EQ(Read("<document><noteinfo noteid='0000001C'/></document>").note.noteId, 0x1Cu);
  for (const char* noteId : {"", "0x8fa", "8fg", "100000000"}) {
    SCOPED_TRACE(noteId);
    EXPECT_THROW(Read(std::string("<document><noteinfo noteid='") + noteId + "'/></document>"), Malformed);
  }
}

TEST(ReadNote, DocumentItemsFormAndParent) {
  const Note note = Read(
      "<document form='受注' parent='0123456789ABCDEF0123456789ABCDEF' response='true'>"
      "<item name='顧客名'><text>株式会社ソ表</text></item><item name='数量'><number>3</number></item>"
      "</document>").note;
  ASSERT_EQ(note.items.size(), 4u);
  EXPECT_EQ(note.items[0].name, "Form");
  EXPECT_EQ(note.items[0].value, Value(Text{{"受注"}}));
  EXPECT_EQ(note.items[1].name, "顧客名");
  EXPECT_EQ(note.items[2].name, "数量");
  EXPECT_EQ(note.items[3].name, "$REF");
  EXPECT_EQ(note.ParentUnid(), "0123456789ABCDEF0123456789ABCDEF");

  // A Form item of its own wins over the attribute; the attribute may be spelt Form.
  const Note explicitForm =
      Read("<document form='a'><item name='Form'><text>b</text></item></document>").note;
  ASSERT_EQ(explicitForm.items.size(), 1u);
  EXPECT_EQ(explicitForm.items[0].value, Value(Text{{"b"}}));
  EXPECT_EQ(Read("<document Form='Test'/>").note.FindItem("Form")->value, Value(Text{{"Test"}}));
}

TEST(ReadNote, AttachmentsInAndOutsideRichText) {
  const Note note = Read(
      "<document><item name='本文'><richtext><par>添付<attachmentref name='ATT1' displayname='見積書.txt'/>"
      "</par></richtext></item>"
      "<item name='$FILE' summary='true'><object><file hosttype='msdos' name='ATT1'><filedata>5pel5pys</filedata>"
      "</file></object></item>"
      "<item name='$FILE'><object><file hosttype='msdos' name='地図.png'><filedata>\nAP8=\n</filedata></file>"
      "</object></item>"
      "<item name='$FILE'><object><file name='big.bin' compression='huff'><filedata>not base64</filedata></file>"
      "</object></item></document>").note;
  ASSERT_EQ(note.Attachments().size(), 3u);
  const Attachment& inRichText = note.Attachments()[0];
  EXPECT_EQ(inRichText.name, "ATT1");
  EXPECT_EQ(inRichText.fileName, "見積書.txt");
  EXPECT_TRUE(inRichText.inRichText);
  EXPECT_EQ(inRichText.data, "日本");
  const Attachment& plain = note.Attachments()[1];
  EXPECT_EQ(plain.name, "地図.png");
  EXPECT_EQ(plain.fileName, "地図.png");
  EXPECT_FALSE(plain.inRichText);
  EXPECT_EQ(plain.data, std::string("\0\xFF", 2));
  EXPECT_TRUE(plain.supported);
  EXPECT_FALSE(note.Attachments()[2].supported);  // listed, but cannot be detached
  EXPECT_EQ(note.items[1].value, Value(Unsupported{"object", LNITEMTYPE_OBJECT}));

  EXPECT_THROW(Read("<document><item name='$FILE'><object><file name='a'><filedata>*</filedata></file></object>"
                    "</item></document>"),
               Malformed);
  EXPECT_THROW(Read("<document><item name='$FILE'><object><file><filedata/></file></object></item></document>"),
               Malformed);
}

TEST(ReadNote, DesignNotes) {
  const ReadNoteResult view = Read("<view name='一覧'><column itemname='a'/></view>", NoteClass::View);
  ASSERT_TRUE(view.note.view.has_value());
  EXPECT_EQ(view.note.view->columns.size(), 1u);
  const ReadNoteResult form = Read("<subform name='明細'><item name='$$ScriptName'><text>x</text></item></subform>",
                                   NoteClass::Subform);
  ASSERT_TRUE(form.note.form.has_value());
  EXPECT_EQ(form.note.form->name, "明細");
  EXPECT_EQ(form.note.items.size(), 1u);
  EXPECT_EQ(form.note.noteClass, NoteClass::Subform);
}

}  // namespace
}  // namespace host::dxl
