#include <cstdio>
#include <vector>

#include <host/notes.h>
#include <platform/cp932.h>

#include "client/client_error.h"
#include "client/commands.h"
#include "client/host_objects.h"

namespace client {
namespace {

struct ListedView {
  std::uint32_t noteId;
  bool folder;
  std::string nameAndAliases;  // UTF-8, "name|alias|alias"
};

void Collect(void* context, std::uint32_t noteId, int isFolder, const char* nameAndAliases) {
  static_cast<std::vector<ListedView>*>(context)->push_back({noteId, isFolder != 0, nameAndAliases});
}

std::string Utf8ToLocale(const std::string& text) { return platform::Cp932ToLocale(platform::Utf8ToCp932(text)); }

// "受注一覧 (Orders, 受注)" from "受注一覧|Orders|受注".
std::string NameWithAliases(const std::string& nameAndAliases) {
  const std::size_t bar = nameAndAliases.find('|');
  if (bar == std::string::npos) return nameAndAliases;
  std::string aliases = nameAndAliases.substr(bar + 1);
  for (std::size_t at = aliases.find('|'); at != std::string::npos; at = aliases.find('|', at))
    aliases.replace(at, 1, ", ");
  return nameAndAliases.substr(0, bar) + " (" + aliases + ")";
}

// The column titles joined by " | "; an untitled column shows as "-".
std::string ColumnTitles(const LNDatabase& database, std::uint32_t noteId) {
  LNViewFolder view;
  if (database.GetViewFolder(noteId, &view) != 0 || view.Open() != 0) return "";
  std::string titles;
  const LNINT count = view.GetColumnCount();
  for (LNINT i = 0; i < count; ++i) {
    LNVFColumn column;
    if (view.GetColumn(i, &column) != 0) break;
    const LNString title = column.GetTitle();
    if (i > 0) titles += " | ";
    titles += title.IsNull() ? std::string("-") : Utf8ToLocale(title.GetTextPtr());
  }
  view.Close();
  return titles;
}

}  // namespace

void ListViews(const CommandLine& line, std::ostream& out) {
  const Database database(line.databaseFiles, "");
  std::vector<ListedView> views;
  const STATUS status = CoreListViews(database.Handle(), Collect, &views);
  if (status != 0) throw ClientError{"cannot list the views: " + StatusText(status)};

  LNNotesSession session;
  session.Initialize();
  LNDatabase opened;
  if (session.GetDatabase(database.Handle(), &opened) != 0) throw ClientError{"cannot open the database"};
  for (const ListedView& view : views) {
    char noteId[9];
    std::snprintf(noteId, sizeof noteId, "%8.8X", view.noteId);
    out << noteId << (view.folder ? "  folder  " : "  view    ") << Utf8ToLocale(NameWithAliases(view.nameAndAliases))
        << "\n          columns: " << ColumnTitles(opened, view.noteId) << "\n";
  }
  session.Term();
}

}  // namespace client
