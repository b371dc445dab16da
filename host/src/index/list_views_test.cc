#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "host/core.h"
#include "index/handles.h"

namespace {

using Listed = std::tuple<std::uint32_t, int, std::string>;

void Collect(void* context, std::uint32_t noteId, int isFolder, const char* nameAndAliases) {
  static_cast<std::vector<Listed>*>(context)->emplace_back(noteId, isFolder, nameAndAliases);
}

host::model::Note Design(std::uint32_t id, host::model::NoteClass kind, std::string name,
                         std::vector<std::string> aliases = {}) {
  host::model::Note note;
  note.noteId = id;
  note.noteClass = kind;
  note.view.emplace();
  note.view->name = std::move(name);
  note.view->aliases = std::move(aliases);
  return note;
}

TEST(CoreListViews, GivesViewsAndFoldersInNoteIdOrderWithTheirAliases) {
  auto database = std::make_shared<host::model::Database>();
  using host::model::NoteClass;
  database->notes[0x20] = Design(0x20, NoteClass::Folder, "保存");
  database->notes[0x8] = Design(0x8, NoteClass::View, "By Name", {"ByName", "Names"});
  database->notes[0xC] = Design(0xC, NoteClass::View, "Gone");
  database->notes[0xC].deleted = true;
  database->notes[0x10].noteId = 0x10;  // a document
  const CoreDatabaseHandle handle = host::handles::AddDatabase(database);

  std::vector<Listed> listed;
  ASSERT_EQ(CoreListViews(handle, Collect, &listed), host::kNoError);
  EXPECT_EQ(listed, (std::vector<Listed>{{0x8, 0, "By Name|ByName|Names"}, {0x20, 1, "保存"}}));
  host::handles::RemoveDatabase(handle);
}

TEST(CoreListViews, AnUnknownDatabaseIsAnInvalidHandle) {
  std::vector<Listed> listed;
  EXPECT_EQ(CoreListViews(0xFFFFFFF0u, Collect, &listed), host::kErrInvalidHandle);
  EXPECT_TRUE(listed.empty());
}

}  // namespace
