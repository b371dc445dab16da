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
#include "platform/ui.h"

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

// A UI that records the message boxes it is asked to show.
class RecordingUi : public platform::Ui {
 public:
  struct Box {
    std::string text, caption;
    platform::Buttons buttons;
    platform::Icon icon;
  };
  explicit RecordingUi(std::vector<Box>* boxes) : boxes_(boxes) {}
  platform::Answer MessageBox(std::string_view text, std::string_view caption, platform::Buttons buttons,
                              platform::Icon icon) override {
    boxes_->push_back({std::string(text), std::string(caption), buttons, icon});
    return platform::Answer::Ok;
  }
  std::unique_ptr<platform::ProgressView> CreateProgress() override { return nullptr; }
  void ShowHelp(std::string_view, unsigned long) override {}
  void QuitHelp() override {}
  bool HasDisplay() const override { return false; }

 private:
  std::vector<Box>* boxes_;
};

// Installs a RecordingUi for the lifetime of the object.
class RecordedBoxes {
 public:
  RecordedBoxes() : previous_(platform::InstallUi(std::make_unique<RecordingUi>(&boxes))) {}
  ~RecordedBoxes() { platform::InstallUi(std::move(previous_)); }
  std::vector<RecordingUi::Box> boxes;

 private:
  std::unique_ptr<platform::Ui> previous_;
};

}  // namespace columns_test
