#include "host/lnformula.h"

#include <gtest/gtest.h>

#include "host/notes.h"
#include "host/testing/builder.h"

namespace {

using host::testing::DatabaseBuilder;

std::string Text(const LNString& s) { return s.GetTextPtr(); }

TEST(LNFormula, AssigningBadSyntaxThrowsAndKeepsTheOldFormula) {
  LNFormula f = "Name";
  EXPECT_THROW(f = "Name +", LNSTATUS);
  EXPECT_THROW(f = "@NoSuchFunction(1)", LNSTATUS);
  EXPECT_EQ(Text(f.GetText()), "Name");
  EXPECT_TRUE(LNFormula().IsNull());
}

TEST(LNFormula, EvaluatesOnADocumentIntoANewItem) {
  DatabaseBuilder builder;
  const NOTEID id = builder.Document().Text("Name", {"abe"}).Numbers("Qty", {2}).Id();
  LNNotesSession session;
  session.Initialize();
  LNDatabase db;
  ASSERT_EQ(session.GetDatabase(builder.Register(), &db), 0u);
  LNDocument doc;
  ASSERT_EQ(db.GetNote(id, &doc), 0u);
  doc.Open();

  struct Case {
    const char* formula;
    LNITEMTYPE type;
    const char* text;
  } cases[] = {
      {"@UpperCase(Name) + \"!\"", LNITEMTYPE_TEXT, "ABE!"},
      {"Name : \"x\"", LNITEMTYPE_TEXT, "abe;x"},
      {"@If(Qty = 2; @Text(Qty + 1); \"no\")", LNITEMTYPE_TEXT, "3"},
      {"Missing", LNITEMTYPE_TEXT, ""},
      {"Qty + 0.5", LNITEMTYPE_NUMBERS, "2.5"},
      {"", LNITEMTYPE_TEXT, ""},
  };
  for (const Case& c : cases) {
    const LNFormula formula = c.formula;
    LNItem result;
    std::uint16_t selects = 9;
    ASSERT_EQ(formula.Evaluate(doc, &result, &selects), 0u) << c.formula;
    ASSERT_EQ(result.GetType(), c.type) << c.formula;
    std::string joined;
    if (c.type == LNITEMTYPE_TEXT) {
      const LNText t = result;
      for (LNINT i = 0; i < t.GetCount(); ++i) joined += (i ? ";" : "") + Text(t[i]);
    } else {
      LNString s;
      LNNumbers(result)[0].GetText(&s);
      joined = Text(s);
    }
    EXPECT_EQ(joined, c.text) << c.formula;
    EXPECT_EQ(selects, c.type == LNITEMTYPE_NUMBERS ? 1 : 0) << c.formula;
  }
}

TEST(LNFormula, ADesignFormulaThatDoesNotCompileFailsWhenEvaluated) {
  DatabaseBuilder builder;
  builder.View("v").Column({.itemName = "x", .formula = "@DbLookup(\"\"; \"\"; 1)"});
  LNNotesSession session;
  session.Initialize();
  LNDatabase db;
  session.GetDatabase(builder.Register(), &db);
  LNViewFolder view;
  ASSERT_EQ(db.GetViewFolder(0x102, &view), 0u);
  view.Open();
  LNVFColumn column;
  ASSERT_EQ(view.GetColumn(0, &column), 0u);
  const LNFormula formula = column.GetFormula();  // taking it is fine
  LNItem result;
  EXPECT_NE(formula.Evaluate(LNNote(), &result), 0u);
  EXPECT_TRUE(result.IsNull());
}

}  // namespace
