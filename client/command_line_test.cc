#include "client/command_line.h"

#include <gtest/gtest.h>

#include "client/client_error.h"

namespace client {
namespace {

std::string ProblemOf(const std::vector<std::string>& arguments) {
  try {
    ParseCommandLine(arguments);
  } catch (const ClientError& error) {
    return error.message;
  }
  return "";
}

TEST(ParseCommandLine, ExportTakesEveryOption) {
  const CommandLine line = ParseCommandLine({"export", "--db", "a.dxl", "--db", "b.dxl", "--view", "受注一覧",
                                             "--select", "20,0x24,8000000a", "--append", "--entry", "Export XML File",
                                             "--server", "Sales/Acme", "--console", "出力.csv /X"});
  EXPECT_EQ(line.command, Command::Export);
  EXPECT_EQ(line.databaseFiles, (std::vector<std::string>{"a.dxl", "b.dxl"}));
  EXPECT_EQ(line.viewName, "受注一覧");
  EXPECT_FALSE(line.viewNoteId);
  EXPECT_EQ(line.selectedNoteIds, (std::vector<std::uint32_t>{0x20, 0x24, 0x8000000A}));
  EXPECT_TRUE(line.append);
  EXPECT_EQ(line.entryLabel, "Export XML File");
  EXPECT_EQ(line.server, "Sales/Acme");
  EXPECT_TRUE(line.console);
  EXPECT_EQ(line.typedName, "出力.csv /X");
}

TEST(ParseCommandLine, ExportDefaults) {
  const CommandLine line = ParseCommandLine({"export", "--db", "a.dxl", "--view-id", "10A", "out.csv"});
  EXPECT_EQ(line.viewNoteId, 0x10Au);
  EXPECT_FALSE(line.viewName);
  EXPECT_TRUE(line.selectedNoteIds.empty());
  EXPECT_FALSE(line.append);
  EXPECT_FALSE(line.console);
  EXPECT_EQ(line.entryLabel, "Export CSV File");
  EXPECT_EQ(line.server, "");
}

TEST(ParseCommandLine, DoubleDashEndsTheOptions) {
  EXPECT_EQ(ParseCommandLine({"export", "--db", "a.dxl", "--view", "v", "--", "-odd.csv"}).typedName, "-odd.csv");
}

TEST(ParseCommandLine, HelpInEitherSpelling) {
  EXPECT_EQ(ParseCommandLine({"--help"}).command, Command::Help);
  EXPECT_EQ(ParseCommandLine({"-h"}).command, Command::Help);
  EXPECT_THROW(ParseCommandLine({"--help", "export"}), ClientError);
}

TEST(ParseCommandLine, ViewsAndEntries) {
  const CommandLine views = ParseCommandLine({"views", "--db", "a.dxl", "--db", "b.dxl"});
  EXPECT_EQ(views.command, Command::Views);
  EXPECT_EQ(views.databaseFiles.size(), 2u);
  EXPECT_EQ(ParseCommandLine({"entries"}).command, Command::Entries);
}

TEST(ParseCommandLine, OpenTakesItsDatabaseAndViewOrNothing) {
  EXPECT_EQ(ParseCommandLine({"open"}).command, Command::Open);
  EXPECT_TRUE(ParseCommandLine({"open"}).databaseFiles.empty()) << "a file dialog asks for them";
  const CommandLine line = ParseCommandLine({"open", "--db", "a.dxl", "--db", "b.dxl", "--view-id", "10E", "--server", "S"});
  EXPECT_EQ(line.databaseFiles, (std::vector<std::string>{"a.dxl", "b.dxl"}));
  EXPECT_EQ(line.viewNoteId, 0x10Eu);
  EXPECT_EQ(line.server, "S");
  EXPECT_EQ(ParseCommandLine({"open", "--view", "(隠し)"}).viewName, "(隠し)");
}

TEST(ParseCommandLine, RejectsWithTheReason) {
  const struct {
    std::vector<std::string> arguments;
    std::string problem;
  } kCases[] = {
      {{}, "no command given"},
      {{"import"}, "unknown command \"import\""},
      {{"export", "--view", "v", "out.csv"}, "export needs --db FILE.dxl"},
      {{"export", "--db", "a.dxl", "out.csv"}, "export needs --view NAME or --view-id HEX"},
      {{"export", "--db", "a.dxl", "--view", "v", "--view-id", "8", "o"}, "--view and --view-id exclude each other"},
      {{"export", "--db", "a.dxl", "--view", "v"}, "export needs the TYPED-NAME"},
      {{"export", "--db", "a.dxl", "--view", "v", "a.csv", "/X"},
       "one TYPED-NAME expected; quote the file name together with its switches"},
      {{"export", "--db", "a.dxl", "--view"}, "--view needs a value"},
      {{"export", "--db", "a.dxl", "--view", "v", "--view", "w", "o"}, "--view is given more than once"},
      {{"export", "--db", "a.dxl", "--view-id", "zz", "o"}, "--view-id: \"zz\" is not a note ID in hexadecimal"},
      {{"export", "--db", "a.dxl", "--view-id", "123456789", "o"},
       "--view-id: \"123456789\" is not a note ID in hexadecimal"},
      {{"export", "--db", "a.dxl", "--view", "v", "--select", "20,,24", "o"},
       "--select: \"\" is not a note ID in hexadecimal"},
      {{"export", "--db", "a.dxl", "--view", "v", "--verbose", "o"}, "\"--verbose\" is not an option of export"},
      {{"views"}, "views needs --db FILE.dxl"},
      {{"views", "--db", "a.dxl", "--view", "v"}, "\"--view\" is not an option of views"},
      {{"views", "--db", "a.dxl", "extra"}, "unexpected argument \"extra\""},
      {{"entries", "--db", "a.dxl"}, "\"--db\" is not an option of entries"},
      {{"open", "--db", "a.dxl", "--console"}, "\"--console\" is not an option of open"},
      {{"open", "--view", "v", "--view-id", "8"}, "--view and --view-id exclude each other"},
      {{"open", "a.dxl"}, "unexpected argument \"a.dxl\""},
  };
  for (const auto& c : kCases) EXPECT_EQ(ProblemOf(c.arguments), c.problem) << testing::PrintToString(c.arguments);
}

TEST(ParseNoteId, HexadecimalOfOneToEightDigits) {
  const struct {
    std::string text;
    std::optional<std::uint32_t> id;
  } kCases[] = {
      {"0", 0u},          {"8fa", 0x8FAu},          {"0x102", 0x102u},  {"0XFFFFFFFF", 0xFFFFFFFFu},
      {"", std::nullopt}, {"0x", std::nullopt},     {"-1", std::nullopt}, {"12g", std::nullopt},
      {" 8", std::nullopt}, {"100000000", std::nullopt},
  };
  for (const auto& c : kCases) EXPECT_EQ(ParseNoteId(c.text), c.id) << c.text;
}

}  // namespace
}  // namespace client
