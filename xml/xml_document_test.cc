// ToXMLData and ToXMLElement: whole doc elements, byte for byte, each also read by xmllint.
#include <gtest/gtest.h>
#include <platform/testing/recording_ui.h>

#include "columns/column_data_array.h"
#include "xml/xml_document.h"
#include "xml/xml_test_support.h"

namespace {

using host::testing::ColumnDesign;
using host::testing::DatabaseBuilder;
using host::testing::RichText;
using platform::Cp932ToUtf8;
using platform::Utf8ToCp932;
using xml_test::DocLintComplaints;

struct Rendered {
  std::string utf8;  // the doc elements, UTF-8 for comparing with goldens
  std::vector<platform::testing::RecordedBox> shown;
};

// The doc elements of every entry of the view, rendered as the XML run renders them.
class DocRender {
 public:
  DocRender(DatabaseBuilder& builder, NOTEID viewId) : builder_(builder), viewId_(viewId) {
    database_ = xml_test::OpenDatabase(builder);
    LNViewFolder view;
    EXPECT_EQ(database_.GetViewFolder(viewId, &view), host::kNoError);
    columns.LoadFromView(view);
  }

  Rendered Render() {
    platform::testing::ScopedRecordingUi ui;
    std::string docs;
    const std::vector<ViewEntry> entries = xml_test::Entries(builder_, viewId_);
    EXPECT_FALSE(entries.empty()) << "the view has rows";
    for (const ViewEntry& entry : entries) {
      LNDocument document;
      if (!entry.IsCategory()) document = xml_test::Fetch(database_, entry.GetNoteID());
      docs += ToXMLData(columns, entry, document);
      EXPECT_FALSE(!document.IsNull() && document.IsOpen()) << "the document is closed again";
    }
    EXPECT_EQ(DocLintComplaints(docs), "");
    return {docs, ui.boxes};
  }

  CColumnDataArray columns;

 private:
  DatabaseBuilder& builder_;
  NOTEID viewId_;
  LNDatabase database_;
};

TEST(ToXMLData, EscapesNamesAndValuesAndPreservesSignificantSpace) {
  DatabaseBuilder db;
  db.Document()
      .Text("v1", {"a & b <c> \"d\" 'e'"})
      .Text("v2", {"two  spaces"})
      .Text("v3", {"tab\there"})
      .Text("v4", {"line\nfeed"})
      .Text("v5", {"single spaces only"})
      .Text("v6", {"&amp; \x01\x1F"});
  const NOTEID view = db.View("V")
                          .Column({.title = "名前&<>\"'", .itemName = "v1"})
                          .Column({.title = "v2", .itemName = "v2"})
                          .Column({.title = "v3", .itemName = "v3"})
                          .Column({.title = "v4", .itemName = "v4"})
                          .Column({.title = "v5", .itemName = "v5"})
                          .Column({.title = "v6", .itemName = "v6"})
                          .Id();
  DocRender render(db, view);
  render.columns.SetXmlFormat(nullptr, nullptr, false, false, false, false, nullptr);
  EXPECT_EQ(render.Render().utf8,
            "<doc>\n"
            "<view name=\"名前&amp;&lt;&gt;&quot;&apos;\">a &amp; b &lt;c&gt; &quot;d&quot; &apos;e&apos;</view>\n"
            "<view name=\"v2\" xml:space=\"preserve\">two  spaces</view>\n"
            "<view name=\"v3\" xml:space=\"preserve\">tab\there</view>\n"
            "<view name=\"v4\" xml:space=\"preserve\">line\nfeed</view>\n"
            "<view name=\"v5\">single spaces only</view>\n"
            "<view name=\"v6\">&amp;amp; ?"
            "?</view>\n"
            "</doc>\n");
}

TEST(ToXMLData, RendersEveryValueThroughTheDefaultSpecWithTheRunsSeparator) {
  DatabaseBuilder db;
  db.Document().Text("t", {"a", "b"}).Numbers("n", {1234.5, 2});
  // The columns' own separators and formats are not the XML output's.
  const NOTEID view = db.View("V")
                          .Column({.title = "t", .itemName = "t", .separator = LNVFSEPARATOR_NEWLINE})
                          .Column({.title = "n", .itemName = "n", .numberFormat = {}})
                          .Id();
  const struct {
    const char* separator;
    const char* expected;
  } cases[] = {
      {nullptr, "<doc>\n<view name=\"t\">a;b</view>\n<view name=\"n\">1234.5;2</view>\n</doc>\n"},
      {":", "<doc>\n<view name=\"t\">a:b</view>\n<view name=\"n\">1234.5:2</view>\n</doc>\n"},
      {"\n",
       "<doc>\n<view name=\"t\" xml:space=\"preserve\">a\nb</view>\n"
       "<view name=\"n\" xml:space=\"preserve\">1234.5\n2</view>\n</doc>\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.separator ? c.separator : "(design)");
    DocRender render(db, view);
    render.columns.SetXmlFormat(nullptr, c.separator, false, false, false, false, nullptr);
    EXPECT_EQ(render.Render().utf8, c.expected);
  }
}

TEST(ToXMLData, WritesAllItemsWithTheirTypeNames) {
  DatabaseBuilder db;
  db.Document()
      .Text("t", {"x"})
      .Numbers("n", {1.5})
      .Datetimes("d", {host::testing::Date(2026, 12, 10)})
      .RichTextItem("Body", RichText().Text("rich").Text(" text"))
      .Unsupported("odd", 17)
      .Unsupported("f", 0x600);
  const NOTEID view = db.View("V").Column({.title = "T", .itemName = "t"}).Id();
  DocRender render(db, view);
  render.columns.SetXmlFormat(nullptr, nullptr, true, false, true, true, nullptr);
  EXPECT_EQ(render.Render().utf8,
            "<doc noteid=\"00000102\">\n"
            "<view name=\"T\" type=\"TEXT\">x</view>\n"
            "<item name=\"t\" type=\"TEXT\">x</item>\n"
            "<item name=\"n\" type=\"NUMBERS\">1.5</item>\n"
            "<item name=\"d\" type=\"DATETIMES\">2026/12/10</item>\n"
            "<item name=\"Body\" type=\"TEXT\">rich text</item>\n"
            "<item name=\"odd\" type=\"\">ERROR : サポートしていないデータ形式です。</item>\n"
            "<item name=\"f\" type=\"FORMULA\">ERROR : サポートしていないデータ形式です。</item>\n"
            "</doc>\n");
}

TEST(ToXMLData, CategoryRowHasOnlyItsCategorizedColumnsAndFormulaColumnsNeedADocument) {
  DatabaseBuilder db;
  db.Form("Memo").WindowTitle("\"title\"");
  db.Document("Memo").Text("Cat", {"東京"}).Text("Name", {"阿部"});
  const NOTEID view = db.View("V")
                          .Column({.title = "Cat", .itemName = "Cat", .categorized = true})
                          .Column({.title = "Name", .itemName = "Name"})
                          .Id();
  DocRender render(db, view);
  ColumnSpec formula;
  formula.SetFormula(Utf8ToCp932("Name + \"様\"").c_str(), LNVFSEPARATOR_SEMICOLON);
  formula.title = Utf8ToCp932("宛名").c_str();
  formula.output = true;
  render.columns.SetAtGrow(render.columns.GetCount(), formula);
  render.columns.SetXmlFormat(nullptr, nullptr, true, true, true, false, "K:\\never.xml");
  const Rendered rendered = render.Render();
  EXPECT_EQ(rendered.utf8,
            "<doc noteid=\"80000001\">\n"
            "<view name=\"Cat\">東京</view>\n"
            "</doc>\n"
            "<doc noteid=\"00000106\" title=\"title\">\n"
            "<view name=\"Name\">阿部</view>\n"
            "<view name=\"宛名\">阿部様</view>\n"
            "<item name=\"Form\">Memo</item>\n"
            "<item name=\"Cat\">東京</item>\n"
            "<item name=\"Name\">阿部</item>\n"
            "</doc>\n");
  EXPECT_TRUE(rendered.shown.empty());
}

TEST(ToXMLData, TakesTheWindowTitleFromTheDocumentsForm) {
  DatabaseBuilder db;
  db.Form("Memo").WindowTitle("\"件名: \" + Subject");
  db.Form("Plain");
  db.Document("Memo").Text("Subject", {"A&B \"引用\" \x02"});
  db.Document("Plain").Text("Subject", {"none"});
  db.Document("Missing").Text("Subject", {"none"});
  db.Document().Text("Subject", {"none"});
  const NOTEID view = db.View("V").Id();
  DocRender render(db, view);
  render.columns.SetXmlFormat(nullptr, nullptr, false, false, false, false, nullptr);
  EXPECT_EQ(render.Render().utf8,
            "<doc title=\"件名: A&amp;B &quot;引用&quot; ?\">\n</doc>\n"
            "<doc>\n</doc>\n"
            "<doc>\n</doc>\n"
            "<doc>\n</doc>\n");
}

TEST(ToXMLData, WritesTheFormsOwnComputedForDisplayFieldsNotThoseOfItsSubforms) {
  DatabaseBuilder db;
  db.Subform("Inner").Body(RichText().Field("Deep", LNCOMPUTEOPTION_COMPUTED_FOR_DISPLAY, "\"deep\""));
  db.Subform("Outer").Body(
      RichText().Field("Middle", LNCOMPUTEOPTION_COMPUTED_FOR_DISPLAY, "\"middle\"").SubformRef("Inner"));
  db.Form("Order").Body(RichText()
                            .Field("Qty")
                            .Field("Total", LNCOMPUTEOPTION_COMPUTED_FOR_DISPLAY, "Qty * Price")
                            .Field("Stored", LNCOMPUTEOPTION_COMPUTED, "1")
                            .Field("Composed", LNCOMPUTEOPTION_COMPUTED_WHEN_COMPOSED, "2")
                            .SubformRef("Outer")
                            .Field("Label", LNCOMPUTEOPTION_COMPUTED_FOR_DISPLAY, "@Text(Qty) + \"個\"")
                            .Field("NoFormula", LNCOMPUTEOPTION_COMPUTED_FOR_DISPLAY, ""));
  db.Document("Order").Numbers("Qty", {3}).Numbers("Price", {250});
  const NOTEID view = db.View("V").Id();
  DocRender render(db, view);
  render.columns.SetXmlFormat(nullptr, nullptr, false, true, false, true, nullptr);
  EXPECT_EQ(render.Render().utf8,
            "<doc>\n"
            "<item name=\"Total\" type=\"NUMBERS\">750</item>\n"
            "<item name=\"Label\" type=\"TEXT\">3個</item>\n"
            "</doc>\n");
}

TEST(ToXMLData, HostFailureIsShownOnceAndTheElementStaysComplete) {
  const struct {
    const char* name;
    const char* windowTitle;
    const char* formulaColumn;
    const char* expected;
  } cases[] = {
      {"window title", "@Error", "\"unused\"", "<doc noteid=\"00000106\">\n</doc>\n"},
      {"formula column", "\"t\"", "@Error",
       "<doc noteid=\"00000106\" title=\"t\">\n<view name=\"A\">a</view>\n</doc>\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DatabaseBuilder db;
    db.Form("F").WindowTitle(c.windowTitle);
    db.Document("F").Text("A", {"a"});
    const NOTEID view = db.View("V").Column({.title = "A", .itemName = "A"}).Id();
    DocRender render(db, view);
    ColumnSpec formula;
    formula.SetFormula(c.formulaColumn, LNVFSEPARATOR_SEMICOLON);
    formula.title = "B";
    formula.output = true;
    render.columns.SetAtGrow(render.columns.GetCount(), formula);
    render.columns.SetXmlFormat(nullptr, nullptr, true, false, true, false, nullptr);
    const Rendered rendered = render.Render();
    EXPECT_EQ(rendered.utf8, c.expected);
    ASSERT_EQ(rendered.shown.size(), 1u);
    EXPECT_NE(rendered.shown[0].text.find("\nNOTEID:00000106のアイテムの書き出しに失敗しました。"), std::string::npos)
        << rendered.shown[0].text;
  }
}

}  // namespace
