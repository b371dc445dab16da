#include "host/lndatabase.h"

#include <gtest/gtest.h>

#include "host/notes.h"
#include "host/testing/builder.h"

namespace {

using host::testing::ColumnDesign;
using host::testing::DatabaseBuilder;

std::string Text(const LNString& s) { return s.GetTextPtr(); }

struct Fixture {
  DatabaseBuilder builder{"売上", "sales\\db.nsf", "Srv/Org"};
  NOTEID doc = builder.Document("Order").Text("Name", {"Abe"}).Id();
  NOTEID deleted = builder.Document("Order").Deleted().Id();
  NOTEID view = builder.View("By Name")
                    .Column({.title = "名前", .itemName = "Name", .categorized = true})
                    .Column({.itemName = "Qty", .formula = "Qty * 2", .hidden = true, .icons = true,
                             .separator = LNVFSEPARATOR_NEWLINE})
                    .Id();
  NOTEID form = builder.Form("Order").Id();
  NOTEID subform = builder.Subform("Footer").Id();
  LNNotesSession session;
  LNDatabase db;

  Fixture() {
    session.Initialize(0xF0, 0, nullptr, TRUE, nullptr);
    EXPECT_EQ(session.GetDatabase(builder.Register(), &db), 0u);
  }
};

TEST(LNNotesSession, GetsADatabaseOnlyFromAnOpenHandleOfAnInitialisedSession) {
  Fixture f;
  EXPECT_EQ(Text(f.db.GetTitle()), "売上");
  EXPECT_EQ(Text(f.db.GetServer()), "Srv/Org");
  EXPECT_EQ(Text(f.db.GetFilepath()), "sales\\db.nsf");
  EXPECT_EQ(f.db.GetDatabaseHandle(0), f.builder.Register());
  LNDatabase other;
  EXPECT_EQ(f.session.GetDatabase(0xFFFFFF, &other), host::kErrInvalidHandle);
  EXPECT_TRUE(other.IsNull());
  LNNotesSession idle;
  EXPECT_EQ(idle.GetDatabase(f.builder.Register(), &other), host::kErrNoSession);
  EXPECT_EQ(other.GetDatabaseHandle(0), 0u);
}

TEST(LNDatabase, GetsViewsAndNotesByNoteIdAndRefusesTheWrongOnes) {
  Fixture f;
  LNViewFolder view;
  EXPECT_EQ(f.db.GetViewFolder(f.view, &view), 0u);
  EXPECT_EQ(Text(view.GetName()), "By Name");
  EXPECT_EQ(f.db.GetViewFolder(f.doc, &view), host::kErrNotViewOrFolder);
  EXPECT_EQ(f.db.GetViewFolder(0x7FFF0, &view), host::kErrNoteNotFound);
  LNDocument doc;
  EXPECT_EQ(f.db.GetNote(f.doc, &doc), 0u);
  EXPECT_EQ(doc.GetNoteID(), f.doc);
  EXPECT_EQ(doc.GetNoteType(), LNNOTETYPE_DOCUMENT);
  EXPECT_FALSE(doc.IsOpen());
  LNNote gone;
  EXPECT_EQ(f.db.GetNote(f.deleted, &gone), host::kErrNoteNotFound);
  EXPECT_EQ(f.db.GetNote(0x7FFF0, &gone), host::kErrNoteNotFound);
  EXPECT_TRUE(gone.IsNull());
}

TEST(LNDatabase, SeesNotesAddedAndDeletedAfterEarlierLookups) {
  Fixture f;
  LNNote note;
  ASSERT_EQ(f.db.GetNote(f.doc, &note), 0u);
  auto later = f.builder.Document("Order");
  EXPECT_EQ(f.db.GetNote(later.Id(), &note), 0u);
  later.Deleted();
  EXPECT_EQ(f.db.GetNote(later.Id(), &note), host::kErrNoteNotFound);
  EXPECT_EQ(f.db.GetNote(f.doc, &note), 0u);
}

TEST(LNDatabase, ListsFormsAndSubformsApart) {
  Fixture f;
  LNNoteArray forms, subforms;
  ASSERT_EQ(f.db.GetForms(&forms), 0u);
  ASSERT_EQ(f.db.GetSubforms(&subforms), 0u);
  ASSERT_EQ(forms.GetCount(), 1);
  ASSERT_EQ(subforms.GetCount(), 1);
  EXPECT_EQ(forms.GetNoteID(0), f.form);
  EXPECT_EQ(subforms.GetNoteID(0), f.subform);
  LNNote note;
  ASSERT_EQ(f.db.GetNote(f.subform, &note), 0u);
  EXPECT_EQ(note.GetNoteType(), LNNOTETYPE_SUBFORM);
  EXPECT_EQ(note.GetNoteType(), 0x20004u);
}

TEST(LNViewFolder, ReadsColumnsWhileOpen) {
  Fixture f;
  LNViewFolder view;
  ASSERT_EQ(f.db.GetViewFolder(f.view, &view), 0u);
  LNVFColumn column;
  EXPECT_EQ(view.GetColumn(0, &column), host::kErrNotOpen);
  ASSERT_EQ(view.Open(6), 0u);
  ASSERT_EQ(view.GetColumnCount(), 2);
  EXPECT_EQ(view.GetColumn(2, &column), host::kErrInvalidArgument);

  ASSERT_EQ(view.GetColumn(0, &column), 0u);
  EXPECT_EQ(Text(column.GetTitle()), "名前");
  EXPECT_TRUE(column.GetIsCategorized());
  EXPECT_EQ(Text(column.GetFormula().GetText()), "Name");  // no formula: the item name
  EXPECT_EQ(column.GetSeparator(), LNVFSEPARATOR_COMMA);

  ASSERT_EQ(view.GetColumn(1, &column), 0u);
  EXPECT_TRUE(column.GetTitle().IsNull());
  EXPECT_EQ(Text(column.GetInternalName()), "Qty");
  EXPECT_TRUE(column.GetHideColumn());
  EXPECT_TRUE(column.GetDisplayValuesAsIcons());
  EXPECT_FALSE(column.GetIsCategorized());
  EXPECT_EQ(column.GetColumnNumber(), 1);
  EXPECT_EQ(Text(column.GetFormula().GetText()), "Qty * 2");
  EXPECT_EQ(column.GetSeparator(), 0x4000u);
  EXPECT_EQ(column.GetNumberFormat().GetStyle(), LNNUMBERFORMATSTYLE_GENERAL);

  LNNote asNote = view;  // closing through any copy closes the view
  asNote.Close();
  EXPECT_FALSE(view.IsOpen());
}

}  // namespace
