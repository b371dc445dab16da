#include "client/export_entries.h"

#include <unistd.h>

#include <fstream>

#include <gtest/gtest.h>
#include <platform/cp932.h>
#include <platform/files.h>

namespace client {
namespace {

std::string WriteNotesIni(const std::string& name, const std::string& text) {
  const std::string path = ::testing::TempDir() + "/" + std::to_string(getpid()) + "_" + name;
  std::ofstream(path, std::ios::binary) << text;
  return platform::ToPlatformPath(path);
}

TEST(ReadExportEntries, ReadsTheRegisteredSlotsWithTheirFields) {
  const std::string notesIni = WriteNotesIni("export_entries_notes.ini",
      "[Notes]\r\n"
      "VIEWEXP1=Lotus 1-2-3,0,_Xlate,,.WK4,\r\n"
      "VIEWEXP5=\r\n"
      "VIEWEXP6=Export CSV File,1,_Vorpel,,.CSV,.TXT,,1,\r\n"
      "VIEWEXP7=Export XML File,0,_Vorpel,xml,.XML,,1,\r\n"
      "VIEWEXP9=Bare\r\n"
      "VIEWEXP32=Beyond,1,_Far,,\r\n"
      "[Other]\r\n"
      "VIEWEXP8=Elsewhere,1,_Other,,\r\n");
  const std::vector<ExportEntry> entries = ReadExportEntries(notesIni);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].key, "VIEWEXP1");
  EXPECT_EQ(entries[1].key, "VIEWEXP6");
  EXPECT_EQ(entries[1].line, "Export CSV File,1,_Vorpel,,.CSV,.TXT,,1,");
  EXPECT_EQ(entries[1].label, "Export CSV File");
  EXPECT_EQ(entries[1].library, "_Vorpel");
  EXPECT_EQ(entries[1].option, "");
  EXPECT_EQ(entries[2].option, "xml");
  EXPECT_EQ(entries[2].extension, ".XML");
  EXPECT_EQ(entries[3].label, "Bare");
  EXPECT_EQ(entries[3].library, "");
}

TEST(ReadExportEntries, AMissingFileHasNone) {
  EXPECT_TRUE(ReadExportEntries(platform::ToPlatformPath(::testing::TempDir() + "/no_such_notes.ini")).empty());
}

TEST(FindExportEntry, MatchesTheWholeLabelExactly) {
  const std::string japanese = platform::Utf8ToCp932("表の書き出し");
  const std::vector<ExportEntry> entries = {{"VIEWEXP5", "", "Export CSV File", "_Vorpel", "", ""},
                                            {"VIEWEXP6", "", japanese, "_Other", "", ""},
                                            {"VIEWEXP7", "", "Export CSV File", "_Later", "", ""}};
  ASSERT_NE(FindExportEntry(entries, "Export CSV File"), nullptr);
  EXPECT_EQ(FindExportEntry(entries, "Export CSV File")->key, "VIEWEXP5");  // the first one wins
  ASSERT_NE(FindExportEntry(entries, japanese), nullptr);
  EXPECT_EQ(FindExportEntry(entries, japanese)->library, "_Other");
  EXPECT_EQ(FindExportEntry(entries, "export csv file"), nullptr);
  EXPECT_EQ(FindExportEntry(entries, "Export CSV"), nullptr);
}

TEST(LibraryFileName, LeadingUnderscoreIsThePlatformLetter) {
  EXPECT_EQ(LibraryFileName("_Vorpel"), "libnVorpel.so");
  EXPECT_EQ(LibraryFileName("Vorpel"), "libVorpel.so");
  EXPECT_EQ(LibraryFileName("__x"), "libn_x.so");
}

}  // namespace
}  // namespace client
