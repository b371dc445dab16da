#include "host/lnrichtext.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/notes.h"
#include "host/testing/builder.h"
#include "platform/cp932.h"
#include "platform/files.h"

namespace {

using host::testing::DatabaseBuilder;
using host::testing::RichText;

std::string Text(const LNString& s) { return s.GetTextPtr(); }

struct Fixture {
  DatabaseBuilder builder;
  NOTEID doc = builder.Document()
                   .RichTextItem("Body", RichText()
                                             .Text("first\nline")
                                             .Attachment("ATT1", "report.txt")
                                             .Text("second")
                                             .Attachment("ATT2", "packed.bin"))
                   .Attachment("ATT1", "report.txt", std::string("a\0b", 3), true)
                   .Attachment("ATT2", "packed.bin", "zz", true, false)
                   .Id();
  NOTEID footer = builder.Subform("Footer").Body(RichText().Field("Sig", LNCOMPUTEOPTION_COMPUTED, "@UserName")).Id();
  NOTEID form = builder.Form("Memo")
                    .Body(RichText()
                              .Field("Subject")
                              .Text("label")
                              .SubformRef("footer")
                              .Field("Shown", LNCOMPUTEOPTION_COMPUTED_FOR_DISPLAY, "Subject", "Help me"))
                    .Id();
  LNNotesSession session;
  LNDatabase db;

  Fixture() {
    session.Initialize();
    session.GetDatabase(builder.Register(), &db);
  }
  LNRichText Body(NOTEID id, const char* item = "Body") {
    LNNote note;
    EXPECT_EQ(db.GetNote(id, &note), 0u);
    note.Open();
    LNItem body;
    EXPECT_EQ(note.GetItem(item, &body), 0u);
    return body;
  }
};

std::vector<std::string> Walk(const LNRichText& rt, LNRTTYPE type) {
  LNRTCursor cursor;
  EXPECT_EQ(rt.GetCursor(&cursor), 0u);
  std::vector<std::string> seen;
  LNRTObject object;
  for (LNSTATUS s = cursor.GotoFirst(type, &object); s == 0; s = cursor.GotoNext(type, &object)) {
    EXPECT_EQ(object.GetType(), type);
    seen.push_back(type == LNRTTYPE_TEXT ? Text(object.GetText()) : Text(LNRTAttachment(object).GetFilename()));
  }
  return seen;
}

TEST(LNRTCursor, WalksOneElementTypeInDocumentOrder) {
  Fixture f;
  const LNRichText body = f.Body(f.doc);
  EXPECT_FALSE(body.IsEmpty());
  EXPECT_EQ(Walk(body, LNRTTYPE_TEXT), (std::vector<std::string>{"first\nline", "second"}));
  EXPECT_EQ(Walk(body, LNRTTYPE_ATTACHMENT), (std::vector<std::string>{"report.txt", "packed.bin"}));
  EXPECT_TRUE(Walk(body, LNRTTYPE_FORM_FIELD).empty());
  EXPECT_TRUE(LNRichText().IsEmpty());
}

TEST(LNRTCursor, NotFoundIsAResultEvenInThrowingMode) {
  Fixture f;
  LNRTCursor cursor;
  f.Body(f.doc).GetCursor(&cursor);
  LNSetThrowAllErrorsGlobal(TRUE);
  LNRTObject object;
  EXPECT_EQ(cursor.GotoFirst(LNRTTYPE_SUBFORM, &object), host::kNotFound);
  EXPECT_EQ(cursor.GotoFirst(LNRTTYPE_TEXT, &object), 0u);
  EXPECT_THROW(LNRTAttachment{object}, LNSTATUS);  // a text object is no attachment
  LNSetThrowAllErrorsGlobal(FALSE);
}

TEST(LNRTSubform, FormFieldsAndSubformsOfAFormBody) {
  Fixture f;
  const LNRichText body = f.Body(f.form, "$BODY");
  LNRTCursor cursor;
  body.GetCursor(&cursor);
  LNRTObject object;
  ASSERT_EQ(cursor.GotoFirst(LNRTTYPE_FORM_FIELD, &object), 0u);
  ASSERT_EQ(cursor.GotoNext(LNRTTYPE_FORM_FIELD, &object), 0u);
  const LNFormField shown(object);
  EXPECT_EQ(Text(shown.GetName()), "Shown");
  EXPECT_EQ(shown.GetComputeOption(), LNCOMPUTEOPTION_COMPUTED_FOR_DISPLAY);
  EXPECT_EQ(Text(shown.GetValueFormula().GetText()), "Subject");
  EXPECT_EQ(Text(shown.GetHelpDescription()), "Help me");
  EXPECT_EQ(cursor.GotoNext(LNRTTYPE_FORM_FIELD, &object), host::kNotFound);

  ASSERT_EQ(cursor.GotoFirst(LNRTTYPE_SUBFORM, &object), 0u);
  LNSubform sub;
  ASSERT_EQ(LNRTSubform(object).GetSubform(&sub), 0u);  // by name, any case
  EXPECT_EQ(sub.GetNoteID(), f.footer);
  LNFormFieldArray fields;
  EXPECT_EQ(sub.GetFormFields(&fields), host::kErrNotOpen);
  sub.Open(8);
  ASSERT_EQ(sub.GetFormFields(&fields), 0u);
  ASSERT_EQ(fields.GetCount(), 1);
  EXPECT_EQ(Text(fields[0].GetName()), "Sig");
}

TEST(LNForm, FormFieldsAreTheBodysOwnInOrder) {
  Fixture f;
  LNNote note;
  f.db.GetNote(f.form, &note);
  LNForm form(note);
  form.Open();
  LNFormFieldArray fields;
  ASSERT_EQ(form.GetFormFields(&fields), 0u);
  ASSERT_EQ(fields.GetCount(), 2);
  EXPECT_EQ(Text(fields[0].GetName()), "Subject");
  EXPECT_TRUE(fields[0].GetValueFormula().IsNull());
  EXPECT_EQ(Text(fields[1].GetName()), "Shown");
}

class Detach : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::path(::testing::TempDir()) / ("detach-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  LNString PlatformPath(const std::string& name) const {
    return LNString(platform::ToPlatformPath((dir_ / name).string()).c_str());
  }
  static std::string Read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::size_t FileCount() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir_), {}));
  }
  std::filesystem::path dir_;
};

TEST_F(Detach, WritesTheBytesAndReplacesAnExistingFileWhole) {
  Fixture f;
  LNNote note;
  f.db.GetNote(f.doc, &note);
  note.Open();
  LNAttachmentArray attachments;
  ASSERT_EQ(note.GetAttachments(&attachments), 0u);
  ASSERT_EQ(attachments.GetCount(), 2);
  EXPECT_TRUE(attachments[0].IsInRichText());

  { std::ofstream(dir_ / "表.txt") << "an older, longer file"; }
  ASSERT_EQ(attachments[0].Detach(PlatformPath("表.txt")), 0u);
  EXPECT_EQ(Read(dir_ / "表.txt"), std::string("a\0b", 3));
  EXPECT_EQ(FileCount(), 1u);  // no temporary file left behind

  LNRTCursor cursor;
  f.Body(f.doc).GetCursor(&cursor);
  LNRTObject object;
  ASSERT_EQ(cursor.GotoFirst(LNRTTYPE_ATTACHMENT, &object), 0u);
  ASSERT_EQ(LNRTAttachment(object).Detach(PlatformPath("rt.txt")), 0u);
  EXPECT_EQ(Read(dir_ / "rt.txt"), std::string("a\0b", 3));
}

TEST_F(Detach, FailsWithoutTouchingAnything) {
  Fixture f;
  LNNote note;
  f.db.GetNote(f.doc, &note);
  note.Open();
  LNAttachmentArray attachments;
  note.GetAttachments(&attachments);
  { std::ofstream(dir_ / "keep.bin") << "kept"; }
  EXPECT_EQ(attachments[1].Detach(PlatformPath("keep.bin")), host::kErrAttachment);  // cannot be expanded
  EXPECT_EQ(attachments[0].Detach(PlatformPath("missing\\dir\\x.txt")), host::kErrFileWrite);
  EXPECT_EQ(Read(dir_ / "keep.bin"), "kept");
  EXPECT_EQ(FileCount(), 1u);
}

}  // namespace
