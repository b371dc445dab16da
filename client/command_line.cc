#include "client/command_line.h"

#include <algorithm>
#include <set>
#include <string_view>

#include "client/client_error.h"

namespace client {
namespace {

[[noreturn]] void Reject(const std::string& problem) { throw ClientError{problem}; }

std::optional<Command> CommandNamed(std::string_view name) {
  if (name == "open") return Command::Open;
  if (name == "export") return Command::Export;
  if (name == "views") return Command::Views;
  if (name == "entries") return Command::Entries;
  if (name == "--help" || name == "-h") return Command::Help;
  return std::nullopt;
}

std::uint32_t NoteIdArgument(const std::string& option, const std::string& text) {
  const std::optional<std::uint32_t> id = ParseNoteId(text);
  if (!id) Reject(option + ": \"" + text + "\" is not a note ID in hexadecimal");
  return *id;
}

std::vector<std::uint32_t> NoteIdListArgument(const std::string& text) {
  std::vector<std::uint32_t> ids;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    ids.push_back(NoteIdArgument("--select", text.substr(start, comma - start)));
    if (comma == std::string::npos) return ids;
    start = comma + 1;
  }
}

// The options each command takes; every one of them except --db at most once.
bool Takes(Command command, std::string_view option) {
  if (command == Command::Entries) return false;
  if (command == Command::Views) return option == "--db";
  if (command == Command::Open)
    return option == "--db" || option == "--view" || option == "--view-id" || option == "--server";
  static constexpr std::string_view kExportOptions[] = {"--db",     "--view",  "--view-id", "--select",
                                                        "--append", "--entry", "--server",  "--console"};
  return std::ranges::find(kExportOptions, option) != std::end(kExportOptions);
}

bool HasValue(std::string_view option) { return option != "--append" && option != "--console"; }

}  // namespace

std::optional<std::uint32_t> ParseNoteId(const std::string& text) {
  std::string_view digits = text;
  if (digits.starts_with("0x") || digits.starts_with("0X")) digits.remove_prefix(2);
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t id = 0;
  for (const char c : digits) {
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return std::nullopt;
    id = id << 4 | static_cast<std::uint32_t>(digit);
  }
  return id;
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty()) Reject("no command given");
  CommandLine line;
  const std::optional<Command> command = CommandNamed(arguments[0]);
  if (!command) Reject("unknown command \"" + arguments[0] + "\"");
  line.command = *command;
  if (line.command == Command::Help) {
    if (arguments.size() > 1) Reject("unexpected argument \"" + arguments[1] + "\"");
    return line;
  }

  std::set<std::string> seen;
  std::vector<std::string> positional;
  bool optionsEnded = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || !argument.starts_with("-")) {
      positional.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (!Takes(line.command, argument)) Reject("\"" + argument + "\" is not an option of " + arguments[0]);
    if (argument != "--db" && !seen.insert(argument).second) Reject(argument + " is given more than once");
    std::string value;
    if (HasValue(argument)) {
      if (++i == arguments.size()) Reject(argument + " needs a value");
      value = arguments[i];
    }
    if (argument == "--db") line.databaseFiles.push_back(value);
    else if (argument == "--view") line.viewName = value;
    else if (argument == "--view-id") line.viewNoteId = NoteIdArgument(argument, value);
    else if (argument == "--select") line.selectedNoteIds = NoteIdListArgument(value);
    else if (argument == "--append") line.append = true;
    else if (argument == "--entry") line.entryLabel = value;
    else if (argument == "--server") line.server = value;
    else if (argument == "--console") line.console = true;
  }

  if (line.viewName && line.viewNoteId) Reject("--view and --view-id exclude each other");
  if (line.command == Command::Open) {
    if (!positional.empty()) Reject("unexpected argument \"" + positional[0] + "\"");
    return line;
  }
  if (line.command != Command::Entries && line.databaseFiles.empty()) Reject(arguments[0] + " needs --db FILE.dxl");
  if (line.command != Command::Export) {
    if (!positional.empty()) Reject("unexpected argument \"" + positional[0] + "\"");
    return line;
  }
  if (!line.viewName && !line.viewNoteId) Reject("export needs --view NAME or --view-id HEX");
  if (positional.size() != 1)
    Reject(positional.empty() ? "export needs the TYPED-NAME"
                              : "one TYPED-NAME expected; quote the file name together with its switches");
  line.typedName = positional[0];
  return line;
}

}  // namespace client
