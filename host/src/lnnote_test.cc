#include "host/lnnote.h"

#include <gtest/gtest.h>

#include "host/notes.h"
#include "host/testing/builder.h"

namespace {

using host::testing::DatabaseBuilder;
using host::testing::RichText;

std::string Text(const LNString& s) { return s.GetTextPtr(); }

struct Fixture {
  DatabaseBuilder builder;
  NOTEID doc = builder.Document("memo")
                   .Text("Subject", {"Hi"})
                   .Numbers("Qty", {1, 2}, {{3, 4}})
                   .RichTextItem("Body", RichText().Text("x"))
                   .Unsupported("Link", 7)
                   .Attachment("report.txt", "report.txt", "abc")
                   .Id();
  NOTEID formless = builder.Document().Id();
  NOTEID orphan = builder.Document("Nowhere").Id();
  NOTEID form = builder.Form("Memo").Alias("memo2").Comment("A memo").WindowTitle("Subject").Id();
  LNNotesSession session;
  LNDatabase db;

  Fixture() {
    session.Initialize();
    session.GetDatabase(builder.Register(), &db);
  }
  LNDocument Open(NOTEID id) {
    LNDocument d;
    EXPECT_EQ(db.GetNote(id, &d), 0u);
    EXPECT_EQ(d.Open(), 0u);
    return d;
  }
};

TEST(LNNote, ItemsAreReadOnlyWhileOpen) {
  Fixture f;
  LNDocument doc;
  ASSERT_EQ(f.db.GetNote(f.doc, &doc), 0u);
  LNItemArray items;
  EXPECT_EQ(doc.GetItems(LNITEMTYPE_ANY, &items), host::kErrNotOpen);
  ASSERT_EQ(doc.Open(8), 0u);
  EXPECT_TRUE(doc.IsOpen());
  ASSERT_EQ(doc.GetItems(LNITEMTYPE_ANY, &items), 0u);
  ASSERT_EQ(items.GetCount(), 5);  // Form first: the builder's order is the file's
  EXPECT_EQ(Text(items[0].GetName()), "Form");
  EXPECT_EQ(items[4].GetType(), 7u);
  doc.Close();
  EXPECT_EQ(items[1].GetType(), LNITEMTYPE_TEXT);  // items outlive the note's closing
}

TEST(LNNote, FiltersItemsByType) {
  Fixture f;
  LNDocument doc = f.Open(f.doc);
  struct Case {
    LNITEMTYPE filter;
    int count;
  } cases[] = {{LNITEMTYPE_RICHTEXT, 1}, {LNITEMTYPE_TEXT, 2}, {LNITEMTYPE_NUMBERS, 1}, {LNITEMTYPE_DATETIMES, 0}};
  for (const Case& c : cases) {
    LNItemArray items;
    ASSERT_EQ(doc.GetItems(c.filter, &items), 0u);
    EXPECT_EQ(items.GetCount(), c.count) << std::hex << c.filter;
  }
}

TEST(LNNote, FindsItemsByNameWithoutRegardToCase) {
  Fixture f;
  LNDocument doc = f.Open(f.doc);
  LNItem item;
  ASSERT_EQ(doc.GetItem("SUBJECT", &item), 0u);
  EXPECT_EQ(Text(LNText(item)[0]), "Hi");
  EXPECT_EQ(doc.GetItem("Missing", &item), host::kErrNoSuchItem);
  EXPECT_EQ(doc.GetItemType("body"), LNITEMTYPE_RICHTEXT);
  EXPECT_EQ(doc.GetItemType("Missing"), LNITEMTYPE_UNSUPPORTED);
  LNNumbers qty = LNItem();
  ASSERT_EQ(doc.GetItem("Qty", &item), 0u);
  qty = item;
  EXPECT_EQ(qty.GetCount(), 2);  // ranges are not list numbers
}

TEST(LNDocument, FindsItsFormByNameOrAlias) {
  Fixture f;
  LNForm form;
  ASSERT_EQ(f.Open(f.doc).GetFormNote(&form), 0u);  // "memo" names "Memo"
  EXPECT_EQ(form.GetNoteID(), f.form);
  EXPECT_FALSE(form.IsOpen());
  ASSERT_EQ(form.Open(), 0u);
  EXPECT_EQ(Text(form.GetName()), "Memo");
  EXPECT_EQ(Text(form.GetAlias()), "memo2");
  EXPECT_EQ(Text(form.GetComment()), "A memo");
  LNFormula title;
  ASSERT_EQ(form.GetWindowTitleFormula(&title), 0u);
  EXPECT_EQ(Text(title.GetText()), "Subject");

  LNForm none;
  EXPECT_EQ(f.Open(f.formless).GetFormNote(&none), host::kErrFormNotFound);
  EXPECT_EQ(f.Open(f.orphan).GetFormNote(&none), host::kErrFormNotFound);
  EXPECT_TRUE(none.IsNull());
}

// Forms are found by name in constant time; the names stay current as the database gains designs.
TEST(LNDocument, FindsTheFirstFormOfTheNameAlsoWhenItCameAfterALookup) {
  Fixture f;
  LNForm form;
  EXPECT_EQ(f.Open(f.orphan).GetFormNote(&form), host::kErrFormNotFound);
  const NOTEID later = f.builder.Form("Nowhere").Id();
  f.builder.Form("nowhere");  // the same name again: the first in note-ID order is the form
  f.builder.Subform("Memo");  // a subform is no document's form
  ASSERT_EQ(f.Open(f.orphan).GetFormNote(&form), 0u);
  EXPECT_EQ(form.GetNoteID(), later);
  ASSERT_EQ(f.Open(f.doc).GetFormNote(&form), 0u);
  EXPECT_EQ(form.GetNoteID(), f.form);
  f.builder.Form("Other").Alias("NOWHERE2");
  const NOTEID byAlias = f.builder.Document("nowhere2").Id();
  ASSERT_EQ(f.Open(byAlias).GetFormNote(&form), 0u);
  EXPECT_EQ(Text(form.GetName()), "Other");
}

TEST(LNForm, BuiltOnlyOnAFormNote) {
  Fixture f;
  LNNote note;
  ASSERT_EQ(f.db.GetNote(f.doc, &note), 0u);
  EXPECT_THROW(LNForm{note}, LNSTATUS);
  EXPECT_THROW(LNSubform{note}, LNSTATUS);
  ASSERT_EQ(f.db.GetNote(f.form, &note), 0u);
  const LNForm form(note);
  EXPECT_EQ(Text(form.GetName()), "Memo");
}

TEST(LNNote, ListsAttachments) {
  Fixture f;
  LNAttachmentArray attachments;
  ASSERT_EQ(f.Open(f.doc).GetAttachments(&attachments), 0u);
  ASSERT_EQ(attachments.GetCount(), 1);
  EXPECT_EQ(Text(attachments[0].GetAttachmentName()), "report.txt");
  EXPECT_EQ(Text(attachments[0].GetFilepath()), "report.txt");
  EXPECT_FALSE(attachments[0].IsInRichText());
}

}  // namespace
