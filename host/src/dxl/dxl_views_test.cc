// Real DXL databases, read from their files and indexed: each view's rows and column values are
// the ones its design and its documents give. The expectations are written from the DXL by hand.
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "dxl/public_samples.h"
#include "dxl/reader.h"
#include "index/indexer.h"

namespace host::dxl {
namespace {

using namespace model;

const std::string kOrders = NVORPEL_SOURCE_DIR "/samples/orders.xml";
using testing::kPublicSamples;

Database Read(const std::vector<std::string>& paths) {
  std::vector<std::string> warnings;
  Database database = ReadFiles(paths, warnings);
  EXPECT_TRUE(warnings.empty()) << ::testing::PrintToString(warnings);
  return database;
}

// ctest runs the tests of this file in parallel processes: each writes its own files.
std::string WriteFixture(const std::string& name, const std::string& text) {
  const std::string path = ::testing::TempDir() + "/dxl_views_" + std::to_string(getpid()) + "_" + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

const Note* FindView(const Database& database, std::string_view name) {
  for (const auto& [noteId, note] : database.notes)
    if (note.view && note.view->name == name) return &note;
  return nullptr;
}

// Values written the way the DXL writes them, so that expectations read like the files: texts in
// quotes, numbers as the shortest text that reads back the same, date/times as
// 20260412T093000,00-04 (with " dst" when flagged), lists joined by " : ".
std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string NumberText(double number) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, number).ptr;
  return std::string(buffer, end);
}

std::string DateTimeText(const DateTime& value) {
  char buffer[48];
  std::string text;
  if (value.HasDate()) {
    const CivilDate date = CivilFromDays(value.date);
    std::snprintf(buffer, sizeof buffer, "%04d%02u%02u", date.year, date.month, date.day);
    text += buffer;
  }
  if (value.HasTime()) {
    const int t = value.time;
    std::snprintf(buffer, sizeof buffer, "T%02d%02d%02d,%02d", t / 360000, t / 6000 % 60, t / 100 % 60, t % 100);
    text += buffer;
  }
  if ((value.HasDate() && value.HasTime()) || value.zoneMinutes != 0) {
    const int minutes = value.zoneMinutes < 0 ? -value.zoneMinutes : value.zoneMinutes;
    std::snprintf(buffer, sizeof buffer, "%c%02d", value.zoneMinutes < 0 ? '-' : '+', minutes / 60);
    text += buffer;
    if (minutes % 60) {
      std::snprintf(buffer, sizeof buffer, "%02d", minutes % 60);
      text += buffer;
    }
  }
  if (value.dst) text += " dst";
  return text;
}

template <typename T, typename Format>
std::string ListText(const std::vector<T>& values, Format format, const std::string& emptyText) {
  if (values.empty()) return emptyText;
  std::string text;
  for (const T& value : values) text += (text.empty() ? "" : " : ") + format(value);
  return text;
}

std::string ValueText(const Value& value) {
  if (const auto* text = std::get_if<Text>(&value)) return ListText(text->values, Quoted, "(no texts)");
  if (const auto* numbers = std::get_if<Numbers>(&value)) {
    std::string out = ListText(numbers->values, NumberText, "(no numbers)");
    for (const NumberRange& range : numbers->ranges)
      out += " [" + NumberText(range.lower) + " - " + NumberText(range.upper) + "]";
    return out;
  }
  if (const auto* times = std::get_if<DateTimes>(&value)) {
    std::string out = ListText(times->values, DateTimeText, "(no date/times)");
    for (const DateTimeRange& range : times->ranges)
      out += " [" + DateTimeText(range.lower) + " - " + DateTimeText(range.upper) + "]";
    return out;
  }
  if (std::holds_alternative<RichText>(value)) return "(rich text)";
  return "(unsupported " + std::get<Unsupported>(value).kind + ")";
}

// A row as "<note ID in hex> | <column 0> | <column 1> ...", an absent value as "-".
std::string RowText(const index::Row& row) {
  char id[16];
  std::snprintf(id, sizeof id, "%X", row.noteId);
  std::string text = id;
  for (const std::optional<Value>& value : row.values) text += " | " + (value ? ValueText(*value) : "-");
  return text;
}

std::string Line(std::string_view noteId, const std::vector<std::string>& cells) {
  std::string text(noteId);
  for (const std::string& cell : cells) text += " | " + cell;
  return text;
}

// Indexes the view named `viewName` and compares its rows, in order, with `expected`.
void ExpectRows(const Database& database, std::string_view viewName, const std::vector<std::string>& expected) {
  const Note* view = FindView(database, viewName);
  ASSERT_NE(view, nullptr) << "no view " << viewName;
  const std::vector<index::Row> rows = index::IndexView(database, *view);
  std::vector<std::string> actual;
  for (const index::Row& row : rows) actual.push_back(RowText(row));
  for (std::size_t i = 0; i < std::min(actual.size(), expected.size()); ++i)
    EXPECT_EQ(actual[i], expected[i]) << viewName << ", row " << i;
  EXPECT_EQ(actual.size(), expected.size()) << viewName << ": " << ::testing::PrintToString(actual);
}

// ---- 受注管理 (samples/orders.xml) ----

class OrdersViews : public ::testing::Test {
 protected:
  const Database database = Read({kOrders});
};

TEST_F(OrdersViews, OrderListHasEveryOrderWithItsHiddenAndIconColumns) {
  // 受注番号 ascending | $ID hidden | $状態 icons | 受注日 | 顧客名 | $金額 = 数量 * 単価 | 備考
  ExpectRows(database, "受注一覧", {
      Line("202", {"\"J-2026-001\"", "\"NT00000202\"", "82", "20260401", "\"株式会社ソ表商事\"", "1234500",
                   "\"納期: 4月10日, 分納可\""}),
      Line("206", {"\"J-2026-002\"", "\"NT00000206\"", "160", "20260405", "\"\"有限会社\" 表参道①\"", "50020",
                   "\"記号: <タグ> & \"引用\" '単引用'\""}),
      Line("20A", {"\"J-2026-003\"", "\"NT0000020A\"", "0", "20260412", "\"北海道～沖縄 物流センター\"", "57600",
                   "\"一行目\n二行目\tタブの後\""}),
      Line("20E", {"\"J-2026-004\"", "\"NT0000020E\"", "0", "20260415", "\"ソフト表計算サービス\"", "98000", "\"\""}),
  });
}

TEST_F(OrdersViews, ByRegionNestsTwoCategoriesAndRepeatsAMultiValuedOne) {
  // 地域 categorised | 担当者 categorised | 受注番号 ascending | 顧客名 | $小計 = 数量 * 単価.
  // Categories sort by character code: 北 (U+5317) < 近 (U+8FD1) < 関 (U+95A2), 佐 < 山 < 鈴.
  // J-2026-001 has two people in charge and stands under both, with its whole list each time.
  const std::string sojo = "\"関東\" | \"佐藤 花子\" : \"鈴木 一郎\" | \"J-2026-001\" | \"株式会社ソ表商事\" | 1234500";
  ExpectRows(database, "地域別", {
      "80000001 | \"北海道\" | - | - | - | -",
      "80000002 | - | \"鈴木 一郎\" | - | - | -",
      "20A | \"北海道\" | \"鈴木 一郎\" | \"J-2026-003\" | \"北海道～沖縄 物流センター\" | 57600",
      "80000003 | \"近畿\" | - | - | - | -",
      "80000004 | - | \"山田 太郎\" | - | - | -",
      "20E | \"近畿\" | \"山田 太郎\" | \"J-2026-004\" | \"ソフト表計算サービス\" | 98000",
      "80000005 | \"関東\" | - | - | - | -",
      "80000006 | - | \"佐藤 花子\" | - | - | -",
      "202 | " + sojo,
      "206 | \"関東\" | \"佐藤 花子\" | \"J-2026-002\" | \"\"有限会社\" 表参道①\" | 50020",
      "80000007 | - | \"鈴木 一郎\" | - | - | -",
      "202 | " + sojo,
  });
}

TEST_F(OrdersViews, FormatsViewSortsDescendingAndKeepsListsNumbersAndDateTimes) {
  // Only orders with goods (J-2026-004 has none), 受注番号 descending. The five goods columns show
  // one list with different separators; the separators are display, not value.
  auto goods = [](const std::string& list) { return std::vector<std::string>(5, list); };
  auto line = [&](std::string_view noteId, const std::string& number, const std::string& list,
                  const std::vector<std::string>& rest) {
    std::vector<std::string> cells{number};
    for (const std::string& cell : goods(list)) cells.push_back(cell);
    cells.insert(cells.end(), rest.begin(), rest.end());
    return Line(noteId, cells);
  };
  // ... | 単価 | $税率 | $指数 = 数量 * 単価 * 1000 | $差額 = 入金額 - 数量 * 単価 | 更新日時 | $時刻 | $件名
  ExpectRows(database, "複数値と書式", {
      line("20A", "\"J-2026-003\"", "\"パレット\"",
           {"4800", "0.1", "57600000", "5760", "20260412T093000,00-04 dst", "T103000,00",
            "\"北海道～沖縄 物流センター／1品目\""}),
      line("206", "\"J-2026-002\"", "\"ケーブル, 2m\" : \"\"防水\" コネクタ\"",
           {"1250.5", "0.08", "50020000", "-50020", "20260405T140000,00+09", "T140000,00",
            "\"\"有限会社\" 表参道①／2品目\""}),
      line("202", "\"J-2026-001\"", "\"ボルト M6\" : \"ナット M6\" : \"ワッシャー\"",
           {"823", "0.1", "1234500000", "-234500", "20260402T174512,34+09", "T091500,00",
            "\"株式会社ソ表商事／3品目\""}),
  });
}

TEST_F(OrdersViews, FolderWithoutASelectionHoldsNothing) {
  const Note* folder = FindView(database, "要確認");
  ASSERT_NE(folder, nullptr);
  ASSERT_EQ(folder->noteClass, NoteClass::Folder);
  ASSERT_EQ(folder->view->columns.size(), 2u);
  EXPECT_TRUE(index::IndexView(database, *folder).empty());
}

// ---- DQLView.xml: a real design, with documents of our own joined to it ----

const std::string kDqlView = kPublicSamples + "DQLView.xml";

// Documents for the design's mapping views, note IDs out of view order on purpose.
const std::string kMappingDocuments = R"(<database xmlns='http://www.lotus.com/dxl'>
<document form='LoginMap'><noteinfo noteid='204'/>
  <item name='LF_ServerType'><text>1</text></item><item name='LF_IP'><text>192.168.0.20</text></item>
  <item name='LF_LoginFormDB'><text>domcfg.nsf</text></item><item name='LF_LoginForm'><text>$$LoginUserForm</text></item>
  <item name='LF_Comment'><text>second site</text></item></document>
<document form='Mapping a Login Form'><noteinfo noteid='208'/>
  <item name='LF_ServerType'><text>0</text></item>
  <item name='LF_LoginFormDB'><text>names.nsf</text></item><item name='LF_LoginForm'><text>Login</text></item></document>
<document form='LoginMap'><noteinfo noteid='20c'/>
  <item name='LF_IP'><text>10.0.0.1</text></item>
  <item name='LF_LoginFormDB'><text>domcfg.nsf</text></item><item name='LF_LoginForm'><text>Legacy</text></item></document>
<document form='LoginMap'><noteinfo noteid='210'/>
  <item name='LF_ServerType'><text>1</text></item><item name='LF_IP'><text>192.168.0.10</text></item>
  <item name='LF_LoginFormDB'><text>domcfg.nsf</text></item><item name='LF_LoginForm'><text>$$LoginUserForm</text></item>
  <item name='LF_Comment'><text>first site</text></item></document>
<document form='errorMap'><noteinfo noteid='214'/>
  <item name='EM_ServerType'><text>0</text></item><item name='EM_Comment'><text>all servers</text></item></document>
<document form='URLMap'><noteinfo noteid='218'/>
  <item name='RM_ServerIP'><text>10.0.0.5</text></item><item name='RM_MapFrom'><text>/</text></item>
  <item name='RM_MapTo'><text>/home/index.html</text></item></document>
<document form='Mapping URL -&gt; URL'><noteinfo noteid='21c'/>
  <item name='RM_ServerIP'><text/></item><item name='RM_MapFrom'><text>/docs</text></item>
  <item name='RM_MapTo'><text>/help</text></item><item name='Comment'><text>moved</text></item></document>
<document form='URLMap'><noteinfo noteid='220'/>
  <item name='RM_MapFrom'><text>/api</text></item><item name='RM_MapTo'><text>/v2/api</text></item></document>
</database>)";

std::vector<const Note*> ViewsOf(const Database& database) {
  std::vector<const Note*> views;
  for (const auto& [noteId, note] : database.notes)
    if (note.view) views.push_back(&note);
  return views;
}

TEST(DqlViewDatabase, EveryViewIndexesAloneAndWithDocuments) {
  NVORPEL_NEEDS_PUBLIC_SAMPLES();
  const Database design = Read({kDqlView});
  ASSERT_EQ(ViewsOf(design).size(), 13u);
  for (const Note* view : ViewsOf(design))
    EXPECT_TRUE(index::IndexView(design, *view).empty()) << view->view->name << ": the file holds no documents";

  const Database joined = Read({kDqlView, WriteFixture("mapping_documents.xml", kMappingDocuments)});
  EXPECT_EQ(joined.title, "Test") << "the design file's database gives the attributes";
  ASSERT_EQ(ViewsOf(joined).size(), 13u);
  for (const Note* view : ViewsOf(joined)) EXPECT_NO_THROW(index::IndexView(joined, *view)) << view->view->name;
}

class DqlViewWithDocuments : public ::testing::Test {
 protected:
  void SetUp() override {
    NVORPEL_NEEDS_PUBLIC_SAMPLES();
    database = Read({kDqlView, WriteFixture("mapping_documents.xml", kMappingDocuments)});
  }
  Database database;
};

TEST_F(DqlViewWithDocuments, AllDocumentsSortsByFormIgnoringCaseThenByNoteId) {
  // Form ascending | Comment. Byte order would put "errorMap" last and "Mapping URL" before
  // "Mapping a".
  ExpectRows(database, "All Documents", {
      "214 | \"errorMap\" | \"\"",
      "204 | \"LoginMap\" | \"\"",
      "20C | \"LoginMap\" | \"\"",
      "210 | \"LoginMap\" | \"\"",
      "208 | \"Mapping a Login Form\" | \"\"",
      "21C | \"Mapping URL -> URL\" | \"moved\"",
      "218 | \"URLMap\" | \"\"",
      "220 | \"URLMap\" | \"\"",
  });
}

TEST_F(DqlViewWithDocuments, FailingColumnFormulaGivesAnEmptyTextAndSortsAfterNumbers) {
  // $7 hidden, ascending: @TextToNumber(LF_ServerType), an error where LF_ServerType is missing |
  // $6 ascending: @If (LF_ServerType = "0"; "- All Web Sites/Entire Server -"; LF_IP) |
  // LF_LoginFormDB | LF_LoginForm | LF_Comment
  ExpectRows(database, "Sign In Form Mappings", {
      "208 | 0 | \"- All Web Sites/Entire Server -\" | \"names.nsf\" | \"Login\" | \"\"",
      "210 | 1 | \"192.168.0.10\" | \"domcfg.nsf\" | \"$$LoginUserForm\" | \"first site\"",
      "204 | 1 | \"192.168.0.20\" | \"domcfg.nsf\" | \"$$LoginUserForm\" | \"second site\"",
      "20C | \"\" | \"10.0.0.1\" | \"domcfg.nsf\" | \"Legacy\" | \"\"",
  });
  // The error mappings view reads LF_ServerType too, which its documents never have.
  ExpectRows(database, "Error Message Form Mappings", {
      "214 | \"\" | \"- All Web Sites/Entire Server -\" | \"all servers\"",
  });
}

TEST_F(DqlViewWithDocuments, CategorisedViewWithIconColumns) {
  // $20 categorised: @If (RM_ServerIP = ""; "<default>"; RM_ServerIP) | $22 icons: @If (RM_MapFrom = "/"; 160; 0) |
  // $21 ascending: @If (RM_MapFrom = "/"; " <home>"; RM_MapFrom) | $18 icons: 108 | RM_MapTo | Comment
  ExpectRows(database, "($ObsURLMaps) ", {
      "80000001 | \"10.0.0.5\" | - | - | - | - | -",
      "218 | \"10.0.0.5\" | 160 | \" <home>\" | 108 | \"/home/index.html\" | \"\"",
      "80000002 | \"<default>\" | - | - | - | - | -",
      "220 | \"<default>\" | 0 | \"/api\" | 108 | \"/v2/api\" | \"\"",
      "21C | \"<default>\" | 0 | \"/docs\" | 108 | \"/help\" | \"moved\"",
  });
}

// ---- multicat-view.xml: a category from a list formula (Category1:Category2) ----

TEST(MultiCategoryView, ADocumentStandsUnderEachDistinctValueOfItsCategoryList) {
  NVORPEL_NEEDS_PUBLIC_SAMPLES();
  const std::string documents = WriteFixture("category_documents.xml", R"(<database>
<document form='ViewCatTest'><noteinfo noteid='304'/>
  <item name='Category1'><text>Blue</text></item><item name='Category2'><text>apple</text></item></document>
<document form='ViewCatTest'><noteinfo noteid='308'/>
  <item name='Category1'><text>Red</text></item><item name='Category2'><text>Red</text></item></document>
<document form='Other'><noteinfo noteid='30c'/>
  <item name='Category1'><text>Blue</text></item></document>
<document form='ViewCatTest'><noteinfo noteid='310'/>
  <item name='Category1'><textlist><text>apple</text><text>cherry</text></textlist></item>
  <item name='Category2'><text>Blue</text></item></document>
</database>)");
  const Database database = Read({kPublicSamples + "multicat-view.xml", documents});
  // $8 categorised, ascending: Category1:Category2 | $7: @Text(@NoteID)
  ExpectRows(database, "MultipleValuesAsSeparateEntries", {
      "80000001 | \"apple\" | -",
      "304 | \"Blue\" : \"apple\" | \"NT00000304\"",
      "310 | \"apple\" : \"cherry\" : \"Blue\" | \"NT00000310\"",
      "80000002 | \"Blue\" | -",
      "304 | \"Blue\" : \"apple\" | \"NT00000304\"",
      "310 | \"apple\" : \"cherry\" : \"Blue\" | \"NT00000310\"",
      "80000003 | \"cherry\" | -",
      "310 | \"apple\" : \"cherry\" : \"Blue\" | \"NT00000310\"",
      "80000004 | \"Red\" | -",
      "308 | \"Red\" : \"Red\" | \"NT00000308\"",
  });
}

// ---- selection-*.xml: three single-note files that form one database ----

TEST(SelectionFiles, TogetherTheyFormOneDatabaseWhoseViewHoldsTheDocument) {
  NVORPEL_NEEDS_PUBLIC_SAMPLES();
  const Database database = Read({kPublicSamples + "selection-document.xml", kPublicSamples + "selection-form.xml",
                                  kPublicSamples + "selection-view.xml"});
  ASSERT_EQ(database.notes.size(), 3u);
  EXPECT_EQ(database.title, "");
  // The view is 12E and the form 172; the document, without a note ID, takes the next multiple of 4.
  ASSERT_NE(database.FindLiveNote(0x174), nullptr);
  ASSERT_EQ(database.FindLiveNote(0x174)->noteClass, NoteClass::Document);
  ExpectRows(database, "test", {"174"});  // SELECT @All, a view without columns
}

}  // namespace
}  // namespace host::dxl
