// The client's command line:
//
//   notes-client open [--db FILE.dxl]... [--view NAME | --view-id HEX] [--server NAME]
//   notes-client export --db FILE.dxl (--view NAME | --view-id HEX) [--select HEX[,HEX...]]
//                       [--append] [--entry LABEL] [--server NAME] [--console] TYPED-NAME
//   notes-client views --db FILE.dxl
//   notes-client entries
//
// --db may be given more than once: the files together form one database. Arguments are kept as
// given, in the locale's character set.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace client {

inline constexpr char kUsage[] =
    "usage: notes-client open [--db FILE.dxl]... [--view NAME | --view-id HEX] [--server NAME]\n"
    "       notes-client export --db FILE.dxl (--view NAME | --view-id HEX) [--select HEX[,HEX...]]\n"
    "                           [--append] [--entry LABEL] [--server NAME] [--console] TYPED-NAME\n"
    "       notes-client views --db FILE.dxl\n"
    "       notes-client entries\n"
    "       notes-client --help\n"
    "--db may be given more than once: the files together form one database.\n"
    "open shows the database in the client's window (it needs a display; without --db a file dialog\n"
    "asks for the files): its views and folders, the rows of a view, documents marked with Space, and\n"
    "File > Export. export, views and entries run without a window.\n"
    "TYPED-NAME is the file name as typed in the Notes client's Export dialog, with switches behind it\n"
    "(\"out.csv /X /H\"). Without /X the option sheet comes up; it needs a display, and --console\n"
    "shows every message on the terminal instead of in windows.\n";

inline constexpr char kDefaultEntryLabel[] = "Export CSV File";

enum class Command { Open, Export, Views, Entries, Help };

struct CommandLine {
  Command command = Command::Export;
  std::vector<std::string> databaseFiles;
  std::optional<std::string> viewName;
  std::optional<std::uint32_t> viewNoteId;
  std::vector<std::uint32_t> selectedNoteIds;
  bool append = false;
  std::string entryLabel = kDefaultEntryLabel;
  std::string server;
  bool console = false;
  std::string typedName;
};

// The command line after the program name. Throws ClientError naming the first problem.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// A note ID written as 1 to 8 hexadecimal digits, with or without "0x"; nothing for other text.
std::optional<std::uint32_t> ParseNoteId(const std::string& text);

}  // namespace client
