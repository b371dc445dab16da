#include "settings/settings_records.h"

#include <gtest/gtest.h>
#include <platform/files.h>
#include <platform/profile.h>
#include <platform/testing/child_process.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace settings {
namespace {

namespace fs = std::filesystem;

class SettingsRecordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "nvorpel-settings-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    ini_ = dir_ / "notes.ini";
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  void WriteIni(const std::string& text) { std::ofstream(ini_, std::ios::binary) << text; }
  std::string ReadIni() const {
    std::ifstream in(ini_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::string IniPath() const { return platform::ToPlatformPath(ini_.string()); }

  fs::path dir_;
  fs::path ini_;
};

TEST_F(SettingsRecordsTest, WithoutNotesIniEveryFieldHasItsDefaultAndNothingIsWritten) {
  const CsvOptions csv = LoadCsvOptions("");
  EXPECT_EQ(csv.OutputHeader, 1);
  EXPECT_EQ(csv.OutputDocument, 1);
  for (std::int32_t value : {csv.ColumnFormat, csv.ColumnQuote, csv.ColumnSeparater, csv.AltCrlf, csv.AltSeparater,
                             csv.OutputColumn, csv.ListSeparater, csv.CSVFormatMode}) {
    EXPECT_EQ(value, 0);
  }
  const XmlOptions xml = LoadXmlOptions("");
  EXPECT_EQ(xml.OutputDocument, 1);
  for (std::int32_t value : {xml.ColumnFormat, xml.OutputColumn, xml.ListSeparater, xml.XmlEncode, xml.ItemAll,
                             xml.OutputNoteid, xml.OutputType, xml.FieldAll, xml.AttachFile}) {
    EXPECT_EQ(value, 0);
  }

  EXPECT_FALSE(StoreSetting("", kCsvSection, "OutputHeader", 1));
  EXPECT_FALSE(StoreCsvOptions(csv));
  EXPECT_FALSE(StoreXmlOptions(xml));
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(SettingsRecordsTest, ValuesOutsideTheirRangeReadAsTheDefault) {
  struct Case {
    const char* stored;
    const char* key;
    std::int32_t CsvOptions::*field;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"6", "ListSeparater", &CsvOptions::ListSeparater, 6},
      {"7", "ListSeparater", &CsvOptions::ListSeparater, 0},
      {"-1", "ListSeparater", &CsvOptions::ListSeparater, 0},
      {"2", "OutputColumn", &CsvOptions::OutputColumn, 0},
      {"1", "OutputColumn", &CsvOptions::OutputColumn, 1},
      {"0", "OutputHeader", &CsvOptions::OutputHeader, 0},
      {"2", "OutputHeader", &CsvOptions::OutputHeader, 1},
      {"0", "OutputDocument", &CsvOptions::OutputDocument, 0},
      {"abc", "OutputDocument", &CsvOptions::OutputDocument, 1},
      {"", "OutputDocument", &CsvOptions::OutputDocument, 1},
      {"5", "AltSeparater", &CsvOptions::AltSeparater, 5},
      {"6", "AltSeparater", &CsvOptions::AltSeparater, 0},
      {"2", "AltCrlf", &CsvOptions::AltCrlf, 2},
      {"3", "ColumnQuote", &CsvOptions::ColumnQuote, 0},
      {"2", "CSVFormatMode", &CsvOptions::CSVFormatMode, 2},
      {"4294967297", "ColumnSeparater", &CsvOptions::ColumnSeparater, 1},  // wraps modulo 2^32
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
    WriteIni(std::string("[Vorpel]\r\n") + c.key + "=" + c.stored + "\r\n");
    EXPECT_EQ(LoadCsvOptions(IniPath()).*c.field, c.expected);
  }

  WriteIni("[VorpelXml]\r\nXmlEncode=2\r\nAttachFile=1\r\nOutputColumn=2\r\n");
  const XmlOptions xml = LoadXmlOptions(IniPath());
  EXPECT_EQ(xml.XmlEncode, 0);
  EXPECT_EQ(xml.AttachFile, 1);
  EXPECT_EQ(xml.OutputColumn, 0);
}

TEST_F(SettingsRecordsTest, StoringWritesAllTenKeysInDecimal) {
  CsvOptions csv = LoadCsvOptions(IniPath());
  ASSERT_EQ(csv.notesIni, IniPath());
  csv.OutputColumn = 2;  // stored although never accepted on reading
  csv.AltSeparater = 5;
  csv.ListSeparater = -3;
  EXPECT_TRUE(StoreCsvOptions(csv));
  EXPECT_EQ(ReadIni(),
            "[Vorpel]\r\nOutputDocument=1\r\nOutputColumn=2\r\nOutputHeader=1\r\nColumnFormat=0\r\n"
            "ListSeparater=-3\r\nCSVFormatMode=0\r\nColumnSeparater=0\r\nColumnQuote=0\r\nAltSeparater=5\r\n"
            "AltCrlf=0\r\n");
  const CsvOptions back = LoadCsvOptions(IniPath());
  EXPECT_EQ(back.OutputColumn, 0);
  EXPECT_EQ(back.AltSeparater, 5);
  EXPECT_EQ(back.ListSeparater, 0);
}

TEST_F(SettingsRecordsTest, AReadOnlyNotesIniIsLeftAsItWas) {
  const std::string before = "[Vorpel]\r\nOutputHeader=0\r\n[VorpelXml]\r\nXmlEncode=1\r\n";
  WriteIni(before);
  // Only the file's own permission stands in the way: its directory is writable.
  platform::testing::GiveToOrdinaryUser(dir_.string(), 0755);
  platform::testing::GiveToOrdinaryUser(ini_.string(), 0444);
  CsvOptions csv = LoadCsvOptions(IniPath());
  XmlOptions xml = LoadXmlOptions(IniPath());
  ASSERT_EQ(csv.OutputHeader, 0);
  csv.OutputHeader = 1;
  xml.XmlEncode = 0;

  const int stored = platform::testing::RunAsOrdinaryUser([&] {
    if (access(dir_.c_str(), W_OK) != 0 || access(ini_.c_str(), R_OK) != 0) return 0x10;
    if (access(ini_.c_str(), W_OK) == 0) return 0x20;
    return int{StoreCsvOptions(csv)} | int{StoreXmlOptions(xml)} << 1;
  });
  ASSERT_NE(stored, 0x10) << "the ordinary user cannot reach the file";
  ASSERT_NE(stored, 0x20) << "the file is writable for the ordinary user";
  EXPECT_EQ(stored, 0) << "a store reported success";
  EXPECT_EQ(ReadIni(), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1) << "a temporary file was left";
}

// Each round kills, at a random moment, a child that stores two records by turns, each of whose
// ten values differs from the other's; notes.ini then holds one of them whole.
TEST_F(SettingsRecordsTest, AStoreKilledAtAnyMomentLeavesTheOldValuesOrTheNew) {
  WriteIni("[Notes]\r\nPadding=" + std::string(16 * 1024, '.') + "\r\n");
  CsvOptions records[2] = {LoadCsvOptions(IniPath()), LoadCsvOptions(IniPath())};
  records[1].OutputDocument = 0;
  records[1].OutputColumn = 1;
  records[1].OutputHeader = 0;
  records[1].ColumnFormat = 1;
  records[1].ListSeparater = 6;
  records[1].CSVFormatMode = 2;
  records[1].ColumnSeparater = 1;
  records[1].ColumnQuote = 2;
  records[1].AltSeparater = 5;
  records[1].AltCrlf = 2;
  std::string whole[2];
  unsigned longest = 0;
  for (int record : {1, 0}) {
    longest = std::max(longest, platform::testing::MicrosecondsTaken(
                                    [&] { ASSERT_TRUE(StoreCsvOptions(records[record])); }));
    whole[record] = ReadIni();
  }
  int seen[2] = {0, 0}, leftovers = 0;
  platform::testing::KillAtRandomMoments(
      30, 20 * longest,
      [&] {
        for (int record = 1;; record = 1 - record) StoreCsvOptions(records[record]);
      },
      [&](int round) {
        const std::string now = ReadIni();
        const int record = now == whole[0] ? 0 : now == whole[1] ? 1 : -1;
        ASSERT_NE(record, -1) << "round " << round << ": a mix of the two records";
        ++seen[record];
        for (const auto& entry : fs::directory_iterator(dir_)) {
          if (entry.path() == ini_) continue;
          ++leftovers;
          fs::remove(entry.path());
        }
      });
  EXPECT_GT(leftovers, 0) << "no kill fell inside a store";
  EXPECT_GT(seen[0], 0);
  EXPECT_GT(seen[1], 0);
}

TEST_F(SettingsRecordsTest, FormatPresetsSetTheFourCustomFields) {
  struct Case {
    std::int32_t mode;
    std::int32_t separator, quote, altSeparator, altCrlf;
  };
  const Case cases[] = {{0, 0, 0, 0, 0}, {1, 0, 2, 1, 1}, {2, 1, 0, 2, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    CsvOptions options{};
    options.CSVFormatMode = c.mode;
    options.ColumnSeparater = 1;  // the custom lists show tab, automatic, blank, blank
    options.ColumnQuote = 0;
    options.AltSeparater = 2;
    options.AltCrlf = 2;
    ApplyFormatPreset(options);
    EXPECT_EQ(options.ColumnSeparater, c.separator);
    EXPECT_EQ(options.ColumnQuote, c.quote);
    EXPECT_EQ(options.AltSeparater, c.altSeparator);
    EXPECT_EQ(options.AltCrlf, c.altCrlf);
  }
}

TEST_F(SettingsRecordsTest, TheCsvAndXmlSectionsAreIndependent) {
  WriteIni("[Vorpel]\r\nColumnFormat=1\r\nListSeparater=4\r\n[VorpelXml]\r\nOutputDocument=0\r\nOutputColumn=1\r\n");
  const CsvOptions csv = LoadCsvOptions(IniPath());
  const XmlOptions xml = LoadXmlOptions(IniPath());
  EXPECT_EQ(csv.ColumnFormat, 1);
  EXPECT_EQ(csv.ListSeparater, 4);
  EXPECT_EQ(csv.OutputDocument, 1);
  EXPECT_EQ(csv.OutputColumn, 0);
  EXPECT_EQ(xml.ColumnFormat, 0);
  EXPECT_EQ(xml.ListSeparater, 0);
  EXPECT_EQ(xml.OutputDocument, 0);
  EXPECT_EQ(xml.OutputColumn, 1);

  StoreXmlOptions(xml);
  const std::string text = ReadIni();
  EXPECT_EQ(text.substr(0, text.find("[VorpelXml]")), "[Vorpel]\r\nColumnFormat=1\r\nListSeparater=4\r\n");
  EXPECT_EQ(LoadCsvOptions(IniPath()).ListSeparater, 4);
}

TEST_F(SettingsRecordsTest, FindNotesIniSearchesThePlatformPath) {
  const fs::path programIni = fs::path(platform::ProgramDirectory()) / "notes.ini";
  ASSERT_FALSE(fs::exists(programIni)) << "a notes.ini beside the test program would shadow the search";
  const fs::path before = fs::current_path();
  const std::string oldPath = getenv("PATH") ? getenv("PATH") : "";
  setenv("PATH", dir_.c_str(), 1);
  ASSERT_EQ(chdir(dir_.c_str()), 0);

  EXPECT_EQ(platform::FindNotesIni(), "");
  WriteIni("[Vorpel]\r\nOutputHeader=0\r\n");
  EXPECT_EQ(platform::FindNotesIni(), IniPath());
  EXPECT_EQ(CreateCsvOptions().OutputHeader, 0);

  // A path that needs more than 259 bytes is not taken.
  fs::path deep = dir_;
  while (deep.string().size() < 270) deep /= "directory-of-a-long-path";
  fs::create_directories(deep);
  std::ofstream(deep / "notes.ini") << "[Vorpel]\r\n";
  fs::remove(ini_);
  ASSERT_EQ(chdir(deep.c_str()), 0);
  setenv("PATH", deep.c_str(), 1);
  EXPECT_EQ(platform::FindNotesIni(), "");
  EXPECT_EQ(CreateCsvOptions().notesIni, "");

  ASSERT_EQ(chdir(before.c_str()), 0);
  setenv("PATH", oldPath.c_str(), 1);
}

// "表" and "ソ" end in the byte 0x5C in code page 932, which must not be taken for a separator.
TEST_F(SettingsRecordsTest, NotesIniUnderDoubleByteFoldersIsReadAndStored) {
  const fs::path before = fs::current_path();
  const fs::path folder = dir_ / "表示" / "ソフト";
  fs::create_directories(folder);
  ini_ = folder / "notes.ini";
  WriteIni("[Vorpel]\r\nOutputHeader=0\r\n[VorpelXml]\r\nXmlEncode=1\r\n");
  ASSERT_EQ(chdir(folder.c_str()), 0);

  CsvOptions csv = CreateCsvOptions();
  const XmlOptions xml = CreateXmlOptions();
  ASSERT_EQ(chdir(before.c_str()), 0);
  EXPECT_EQ(csv.notesIni, IniPath());
  EXPECT_EQ(csv.OutputHeader, 0);
  EXPECT_EQ(xml.XmlEncode, 1);

  csv.ListSeparater = 6;
  StoreCsvOptions(csv);
  EXPECT_EQ(LoadCsvOptions(IniPath()).ListSeparater, 6);
  EXPECT_NE(ReadIni().find("ListSeparater=6\r\n"), std::string::npos) << ReadIni();
}

}  // namespace
}  // namespace settings
