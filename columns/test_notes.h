// Tests only: a session in throwing mode over a database made with the test builder, and the
// few host steps the column tests repeat (notes, items, views and their collections).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "columns/export_view_params.h"
#include "host/core.h"
#include "host/notes.h"
#include "host/testing/builder.h"
#include "platform/cp932.h"

namespace columns_test {

// Code page 932 bytes of a UTF-8 literal.
inline std::string Cp932(const char* utf8) { return platform::Utf8ToCp932(utf8); }

class NotesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LNSetThrowAllErrorsGlobal(TRUE);
    ASSERT_EQ(session_.Initialize(), 0u);
  }
  void TearDown() override {
    for (CoreCollectionHandle collection : collections_) CoreCloseCollection(collection);
    session_.Term();
  }

  // The builder's database, opened through the session (after every note is made).
  LNDatabase Open() {
    LNDatabase database;
    EXPECT_EQ(session_.GetDatabase(db_.Register(), &database), 0u);
    return database;
  }

  LNNote Note(NOTEID id) {
    LNNote note;
    EXPECT_EQ(Open().GetNote(id, &note), 0u);
    return note;
  }

  // The item `name` of document `id`.
  LNItem Item(NOTEID id, const char* name) {
    LNNote note = Note(id);
    note.Open();
    LNItem item;
    note.GetItem(name, &item);
    return item;
  }

  LNViewFolder View(NOTEID id) {
    LNViewFolder view;
    EXPECT_EQ(Open().GetViewFolder(id, &view), 0u);
    return view;
  }

  // A parameter record naming the view's open collection and a table of `selected` note IDs.
  ExportViewParams Params(NOTEID viewId, const std::vector<NOTEID>& selected = {}) {
    ExportViewParams params;
    CoreCollectionHandle collection = 0;
    EXPECT_EQ(CoreOpenCollection(db_.Register(), viewId, &collection), 0u);
    collections_.push_back(collection);
    CoreIdTableHandle table = 0;
    EXPECT_EQ(CoreCreateIdTable(selected.data(), static_cast<std::uint32_t>(selected.size()), &table), 0u);
    params.SetDatabaseHandle(db_.Register());
    params.SetViewNoteId(viewId);
    params.SetCollectionHandle(collection);
    params.SetSelectedIdTable(table);
    return params;
  }

  host::testing::DatabaseBuilder db_;
  LNNotesSession session_;

 private:
  std::vector<CoreCollectionHandle> collections_;
};

}  // namespace columns_test
