#include "dxl/reader.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "dxl/public_samples.h"
#include "status_error.h"

namespace host::dxl {
namespace {

using namespace model;

using testing::kPublicSamples;

std::string Repeated(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

class ReadFilesTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& text) {
    const std::string path = ::testing::TempDir() + "/dxl_reader_" + std::to_string(getpid()) + "_" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  // The detail of the error ReadFiles throws, or "" when it reads the files.
  std::string ErrorOf(const std::vector<std::string>& paths) {
    std::vector<std::string> warnings;
    try {
      ReadFiles(paths, warnings);
    } catch (const StatusError& error) {
      EXPECT_EQ(error.status, kErrDatabaseRead);
      return error.detail;
    }
    return "";
  }
};

TEST_F(ReadFilesTest, DatabaseRootGivesAttributesAndNotes) {
  const std::string path = Write("db.xml",
      "<?xml version='1.0' encoding='utf-8'?>\n<!DOCTYPE database SYSTEM 'xmlschemas/domino_12_0.dtd'>\n"
      "<database xmlns='http://www.lotus.com/dxl' title='社員名簿' path='staff.nsf' replicaid='49257A0B00112233'>"
      "<databaseinfo dbid='1'/><acl/><agent name='x'/>"
      "<document form='社員'><noteinfo noteid='20'/></document>"
      "<view name='一覧'><noteinfo noteid='8'/></view><folder name='保存'/><form name='社員'/>"
      "<subform name='明細'/><note class='document'><item name='Form'><text>社員</text></item></note>"
      "</database>");
  std::vector<std::string> warnings;
  const Database database = ReadFiles({path}, warnings);
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(database.title, "社員名簿");
  EXPECT_EQ(database.filePath, "staff.nsf");
  EXPECT_EQ(database.replicaId, "49257A0B00112233");
  std::vector<std::pair<std::uint32_t, NoteClass>> notes;
  for (const auto& [noteId, note] : database.notes) notes.emplace_back(noteId, note.noteClass);
  // Notes without a note ID get the next free multiples of 4, in file order.
  EXPECT_EQ(notes, (std::vector<std::pair<std::uint32_t, NoteClass>>{
                       {0x8, NoteClass::View}, {0x20, NoteClass::Document}, {0x24, NoteClass::Folder},
                       {0x28, NoteClass::Form}, {0x2C, NoteClass::Subform}, {0x30, NoteClass::Document}}));
  EXPECT_EQ(database.FindLiveNote(0x24)->view->selectionFormula, "");  // a folder without a selection
}

TEST_F(ReadFilesTest, SeveralFilesFormOneDatabase) {
  const std::string view = Write("v.xml", "<view name='v'><noteinfo noteid='12e'/></view>");
  const std::string first = Write("first.xml", "<database title='一つ目'><document form='a'/></database>");
  const std::string second = Write("second.xml", "<database title='二つ目'><document form='b'/></database>");
  std::vector<std::string> warnings;
  const Database database = ReadFiles({view, first, second}, warnings);
  EXPECT_EQ(database.title, "一つ目");
  ASSERT_EQ(database.notes.size(), 3u);
  EXPECT_NE(database.FindLiveNote(0x130), nullptr);
  EXPECT_NE(database.FindLiveNote(0x134), nullptr);

  const std::string same = Write("same.xml", "<form name='f'><noteinfo noteid='12E'/></form>");
  EXPECT_EQ(ErrorOf({view, same}), same + ": note ID 12E appears twice");
  EXPECT_EQ(ReadFiles({}, warnings).notes.size(), 0u);
}

TEST_F(ReadFilesTest, NoteFormatDesignIsSkippedWithAWarning) {
  const std::string path = Write("noteformat.xml",
      "<database><note class='form'><item name='$TITLE'><text>x</text></item></note>"
      "<note class='view'/><document/></database>");
  std::vector<std::string> warnings;
  const Database database = ReadFiles({path}, warnings);
  EXPECT_EQ(database.notes.size(), 1u);
  EXPECT_EQ(warnings, (std::vector<std::string>{path + ": note-format design note skipped (class 'form')",
                                                path + ": note-format design note skipped (class 'view')"}));
}

TEST_F(ReadFilesTest, WhiteSpaceInTextIsKept) {
  const std::string path = Write("space.xml",
      "<database>\n  <document form='a'>\n    <noteinfo noteid='4'/>\n"
      "    <item name='t'><text> <break/></text></item>\n"
      "    <item name='r'><richtext>\n      <par><run>a</run> <run>b</run></par>\n    </richtext></item>\n"
      "  </document>\n</database>\n");
  std::vector<std::string> warnings;
  const Database database = ReadFiles({path}, warnings);
  const Note& note = database.notes.at(4);
  EXPECT_EQ(note.FindItem("t")->value, Value(Text{{" \n"}}));
  std::string richText;
  const Item item = *note.FindItem("r");
  for (const RTElement& element : std::get<RichText>(item.value).elements) richText += element.text;
  EXPECT_EQ(richText, "a b");
}

// A file far larger than the reader's buffer: its notes are read in many batches, one note is
// larger than the whole first buffer, and an error far into the file still names its line.
TEST_F(ReadFilesTest, LargeFilesAreReadInBatches) {
  constexpr unsigned kDocuments = 60000;
  const std::string large(5u << 20, 'x');
  std::string text = "<?xml version='1.0'?>\n<!-- exported -->\n<database title='大'>\n";
  for (unsigned n = 1; n <= kDocuments; ++n) {
    char noteId[9];
    std::snprintf(noteId, sizeof noteId, "%X", n * 4);
    text += "<document form='f'><noteinfo noteid='" + std::string(noteId) + "'/>\n<item name='n'><text>文書 " +
            std::to_string(n) + "</text></item>\n";
    if (n == kDocuments / 2) text += "<item name='large'><text>" + large + "</text></item>\n";
    text += "</document>\n";
  }
  text += "</database>\n";
  ASSERT_GT(text.size(), 2 * (4u << 20)) << "the file must be larger than the first buffers";
  std::vector<std::string> warnings;
  const Database database = ReadFiles({Write("large.xml", text)}, warnings);
  ASSERT_EQ(database.notes.size(), kDocuments);
  EXPECT_EQ(database.notes.at(4).FindItem("n")->value, Value(Text{{"文書 1"}}));
  EXPECT_EQ(database.notes.at(4 * kDocuments).FindItem("n")->value, Value(Text{{"文書 60000"}}));
  EXPECT_EQ(database.notes.at(2 * kDocuments).FindItem("large")->value, Value(Text{{large}}));

  // The number of the last document is not a number; its line is the file's last but two.
  const std::size_t lastNumber = text.rfind("<text>文書 ");
  text.replace(lastNumber, 6, "<number>").replace(text.find("</text>", lastNumber), 7, "</number>");
  const std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  const std::string bad = Write("large-bad.xml", text);
  EXPECT_EQ(ErrorOf({bad}), bad + ": <document> 3A980: <number> '文書 60000' is not a number");
  text.replace(text.rfind("</item>"), 7, "</itme>");
  const std::string broken = Write("large-broken.xml", text);
  EXPECT_EQ(ErrorOf({broken}), broken + ": " + std::to_string(lines - 2) + ": Start-end tags mismatch");
}

TEST_F(ReadFilesTest, EveryEncodingReadsTheSame) {
  const std::u16string text = u"<database title='表'><document form='ソ'><item name='v'><text>ü😀</text></item>"
                              u"</document></database>";
  const auto utf16 = [&](bool little, bool mark) {
    std::string bytes = mark ? (little ? "\xFF\xFE" : "\xFE\xFF") : "";
    for (const char16_t unit : text) {
      const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
      bytes += little ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
  };
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"utf8.xml", "<database title='表'><document form='ソ'><item name='v'><text>ü😀</text></item></document></database>"},
      {"bom.xml", "\xEF\xBB\xBF<database title='表'><document form='ソ'><item name='v'><text>ü😀</text></item></document></database>"},
      {"utf16le.xml", utf16(true, true)},
      {"utf16be.xml", utf16(false, false)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> warnings;
    const Database database = ReadFiles({Write(c.name, c.bytes)}, warnings);
    EXPECT_EQ(database.title, "表");
    ASSERT_EQ(database.notes.size(), 1u);
    EXPECT_EQ(database.notes.begin()->second.FindItem("Form")->value, Value(Text{{"ソ"}}));
    EXPECT_EQ(database.notes.begin()->second.FindItem("v")->value, Value(Text{{"ü😀"}}));
  }
  std::vector<std::string> warnings;
  const Database latin1 = ReadFiles(
      {Write("latin1.xml", "<?xml version='1.0' encoding='ISO-8859-1'?><database title='Caf\xE9'/>")}, warnings);
  EXPECT_EQ(latin1.title, "Café");
}

TEST_F(ReadFilesTest, BadFilesAreClearErrors) {
  struct Case {
    const char* name;
    std::string text;
    std::string message;  // after "<path>: "
  };
  const Case cases[] = {
      {"unclosed.xml", "<?xml version='1.0'?>\n<database>\n<document>\n</database>\n",
       "4: Start-end tags mismatch"},
      {"empty.xml", "", "1: No document element found"},
      {"utf8.xml", "<database>\n<document form='\xE7\xA4'/></database>", "2: invalid UTF-8"},
      {"sjis.xml", "<?xml version='1.0' encoding='Shift_JIS'?><database/>",
       "1: the encoding 'shift_jis' is not supported"},
      {"root.xml", "<html><body/></html>", "the root element <html> is not a DXL database or note"},
      {"number.xml", "<database><document form='a'><noteinfo noteid='4'/><item name='n'><number>十</number></item>"
                     "</document></database>",
       "<document> 4: <number> '十' is not a number"},
      {"column.xml", "<view name='一覧'><column sort='up'/></view>",
       "<view> '一覧': column 0: column sort 'up' is unknown"},
      {"duplicate.xml", "<database><form name='a'><noteinfo noteid='8'/></form><view name='b'>"
                        "<noteinfo noteid='8'/></view></database>",
       "note ID 8 appears twice"},
      {"unid.xml", "<database><document form='a'><noteinfo noteid='4' unid='" + std::string(33, 'A') +
                       "'/></document></database>",
       "<document> 4: unid '" + std::string(33, 'A') + "' is longer than 32 characters"},
      // An attacker's nesting is refused, not walked until the stack runs out.
      {"deep.xml", "<database><document form='a'><noteinfo noteid='4'/><item name='b'><richtext>" +
                       Repeated("<font>", 200000) + "x" + Repeated("</font>", 200000) +
                       "</richtext></item></document></database>",
       "<document> 4: rich text nested deeper than 256 elements"},
      {"trailer.xml", "<database>\n<document form='a'/>\n</dbase>", "3: Start-end tags mismatch"},
      {"doctype.xml", "<!DOCTYPE database SYSTEM 'x.dtd' [<!ENTITY e '>'>]>\n<database>\n<document form='a'>",
       "3: Start-end tags mismatch"},
      {"text.xml", "\n  words <database/>", "2: No document element found"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = Write(c.name, c.text);
    const std::string error = ErrorOf({path});
    EXPECT_TRUE(error.starts_with(path + ": " + c.message)) << error;
  }
  const std::string missing = ::testing::TempDir() + "/dxl_reader_missing.xml";
  EXPECT_EQ(ErrorOf({missing}), missing + ": No such file or directory");
  EXPECT_EQ(ErrorOf({::testing::TempDir()}), ::testing::TempDir() + ": Is a directory");
}

TEST(ReadFilesOfOthers, EveryPublicSampleLoads) {
  NVORPEL_NEEDS_PUBLIC_SAMPLES();
  struct Case {
    const char* file;
    std::size_t notes;
    std::size_t warnings;
  };
  const Case cases[] = {
      {"DQLView.xml", 13, 0}, {"certstore-exportable.xml", 1, 0}, {"crasher-form.xml", 1, 0},
      {"datetimes-CET.xml", 1, 0}, {"datetimes-US-Eastern-DST.xml", 1, 0}, {"example-view.xml", 1, 0},
      {"form-alias.xml", 0, 1}, {"form-computed.xml", 1, 0}, {"form-fieldtypes.xml", 1, 0},
      {"invalid-creation-date.xml", 1, 0}, {"mail-document.xml", 1, 0}, {"multicat-view.xml", 1, 0},
      {"selection-document.xml", 1, 0}, {"selection-form.xml", 1, 0}, {"selection-view.xml", 1, 0},
      {"subform-computedtarget.xml", 0, 1}, {"subform-footer.xml", 0, 1}, {"view-example.xml", 0, 1},
      {"view-selection.xml", 0, 1}, {"xmlcustomer.xml", 1, 0},
  };
  std::size_t xmlFiles = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kPublicSamples)) xmlFiles += entry.path().extension() == ".xml";
  EXPECT_EQ(xmlFiles, std::size(cases));  // every sample is in the table
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    std::vector<std::string> warnings;
    const Database database = ReadFiles({kPublicSamples + c.file}, warnings);
    EXPECT_EQ(database.notes.size(), c.notes);
    ASSERT_EQ(warnings.size(), c.warnings);
    for (const std::string& warning : warnings) EXPECT_TRUE(warning.starts_with(kPublicSamples + c.file + ": "));
  }
}

TEST(ReadFilesOfOthers, SampleValuesAreRead) {
  NVORPEL_NEEDS_PUBLIC_SAMPLES();
  std::vector<std::string> warnings;
  const Database cet = ReadFiles({kPublicSamples + "datetimes-CET.xml"}, warnings);
  const Note& document = cet.notes.begin()->second;
  EXPECT_EQ(document.noteId, 0x912u);
  EXPECT_EQ(document.FindItem("Form")->value, Value(Text{{"DateTime Doc"}}));
  const std::int32_t day = DaysFromCivil(2022, 1, 25);
  const std::int32_t evening = (20 * 60 + 26) * 6000;
  EXPECT_EQ(document.FindItem("Date")->value, Value(DateTimes{{DateTime{day, DateTime::kNoTime, 0, false}}, {}}));
  EXPECT_EQ(document.FindItem("Time")->value,
            Value(DateTimes{{DateTime{DateTime::kNoDate, evening, 0, false}}, {}}));
  EXPECT_EQ(document.FindItem("DateTime")->value, Value(DateTimes{{DateTime{day, evening, 60, false}}, {}}));

  const Database mail = ReadFiles({kPublicSamples + "mail-document.xml"}, warnings);
  const Note& memo = mail.notes.at(0x3424A);
  EXPECT_EQ(memo.FindItem("Form")->value, Value(Text{{"Memo"}}));
  EXPECT_EQ(memo.FindItem("Marker")->value, Value(Text{{"testMimeSerialization"}}));
  const auto routeTimes = std::get<DateTimes>(memo.FindItem("RouteTimes")->value);
  ASSERT_EQ(routeTimes.ranges.size(), 1u);
  EXPECT_TRUE(routeTimes.ranges[0].lower.dst);
  EXPECT_EQ(std::get<Unsupported>(memo.FindItem("Body")->value).typeCode, 0x19u);
  EXPECT_EQ(memo.FindItem("SMTPOriginator")->flags, kSummary | kNames);

  const Database dql = ReadFiles({kPublicSamples + "DQLView.xml"}, warnings);
  EXPECT_EQ(dql.title, "Test");
  EXPECT_EQ(dql.filePath, "DOMCFG5.NSF");
  const ViewDesign& all = *dql.notes.at(0x11E).view;
  EXPECT_EQ(all.name, "All Documents");
  EXPECT_EQ(all.aliases, std::vector<std::string>{"All"});
  ASSERT_EQ(all.columns.size(), 2u);
  EXPECT_EQ(all.columns[0].title, "Type");
  EXPECT_EQ(all.columns[0].sort, SortOrder::Ascending);

  const Database form = ReadFiles({kPublicSamples + "form-computed.xml"}, warnings);
  const FormDesign& design = *form.notes.begin()->second.form;
  std::vector<std::pair<std::string, ComputeOption>> fields;
  for (const RTElement& element : design.body.elements)
    if (element.type == RTType::FormField) fields.emplace_back(element.valueFormula, element.computeOption);
  EXPECT_EQ(fields, (std::vector<std::pair<std::string, ComputeOption>>{
                        {"", ComputeOption::Editable},
                        {"\"hi computed when composed\"", ComputeOption::ComputedWhenComposed},
                        {"\"hi computed for display\"", ComputeOption::ComputedForDisplay},
                        {"\"hi computed\"", ComputeOption::Computed}}));

  const Database crasher = ReadFiles({kPublicSamples + "crasher-form.xml"}, warnings);
  const FormDesign& tango = *crasher.notes.begin()->second.form;
  EXPECT_EQ(tango.aliases, std::vector<std::string>{"tango"});
  EXPECT_EQ(tango.windowTitleFormula, "@If(@IsNewDoc;\"New \";\"\")");
  std::string text;
  for (const RTElement& element : tango.body.elements) text += element.text;
  EXPECT_EQ(text, "\nTango42\n\n");  // four paragraphs: empty, two cells, empty
}

}  // namespace
}  // namespace host::dxl

namespace host::dxl {
namespace {

using namespace model;

TEST(ReadFilesOfOurs, OrdersSampleShowsEveryFeature) {
  std::vector<std::string> warnings;
  const Database database = ReadFiles({NVORPEL_SOURCE_DIR "/samples/orders.xml"}, warnings);
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(database.title, "受注管理");
  ASSERT_EQ(database.notes.size(), 17u);  // eight design notes, nine documents

  const ViewDesign& byRegion = *database.notes.at(0x106).view;
  EXPECT_TRUE(byRegion.columns[0].categorized && byRegion.columns[1].categorized);
  const ViewDesign& orders = *database.notes.at(0x102).view;
  EXPECT_TRUE(orders.columns[1].hidden);
  EXPECT_TRUE(orders.columns[2].showAsIcons);
  const ViewDesign& formats = *database.notes.at(0x10A).view;
  std::vector<std::uint32_t> separators;
  for (std::size_t i = 1; i <= 5; ++i) separators.push_back(formats.columns[i].separator);
  EXPECT_EQ(separators, (std::vector<std::uint32_t>{kSepSpace, kSepComma, kSepSemicolon, kSepNewLine, kSepNone}));

  // The order form holds a subform that holds another.
  const FormDesign& form = *database.notes.at(0x112).form;
  EXPECT_FALSE(form.windowTitleFormula.empty());
  EXPECT_EQ(form.body.elements.back().subformName, "明細");
  EXPECT_EQ(database.notes.at(0x116).form->body.elements.back().subformName, "フッター");

  const Note& first = database.notes.at(0x202);
  ASSERT_EQ(first.Attachments().size(), 1u);
  EXPECT_TRUE(first.Attachments()[0].inRichText);
  EXPECT_EQ(first.Attachments()[0].fileName, "見積書.txt");
  std::string body;
  const Item bodyItem = *first.FindItem("本文");
  for (const RTElement& element : std::get<RichText>(bodyItem.value).elements) body += element.text;
  EXPECT_EQ(body, "佐藤様\nいつもお世話になっております。\n見積書を添付いたします。\n添付: ");
  EXPECT_FALSE(database.notes.at(0x20A).Attachments().at(0).inRichText);
  EXPECT_EQ(database.notes.at(0x206).FindItem("備考")->value,
            Value(Text{{"記号: <タグ> & \"引用\" '単引用'"}}));
  EXPECT_EQ(database.notes.at(0x20A).FindItem("備考")->value, Value(Text{{"一行目\n二行目\tタブの後"}}));
  EXPECT_EQ(database.notes.at(0x216).ParentUnid(), "0A1B2C3D4E5F60718293A4B5C6D7E805");
}

}  // namespace
}  // namespace host::dxl
