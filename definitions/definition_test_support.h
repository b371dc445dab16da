// Tests only: views made with the test builder, a scratch directory for definition files, and a
// recording UI for each test.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "host/notes.h"
#include "host/testing/builder.h"
#include "platform/cp932.h"
#include "platform/testing/recording_ui.h"

namespace definitions_test {

inline std::string Cp932(std::string_view utf8) { return platform::Utf8ToCp932(utf8); }

// A session over the builder's database, a fresh scratch directory and a recording UI, for the
// lifetime of each test.
class DefinitionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LNSetThrowAllErrorsGlobal(TRUE);
    ASSERT_EQ(session_.Initialize(), 0u);
    std::string pattern = (std::filesystem::temp_directory_path() / "definitions.XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::filesystem::remove_all(dir_);
    session_.Term();
  }

  // The view `id` of the builder's database (after every note is made).
  LNViewFolder View(NOTEID id) {
    LNDatabase database;
    EXPECT_EQ(session_.GetDatabase(db_.Register(), &database), 0u);
    LNViewFolder view;
    EXPECT_EQ(database.GetViewFolder(id, &view), 0u);
    return view;
  }

  // A path in the scratch directory, as platform text and as a file-system path.
  std::string PathOf(std::string_view name) const { return (dir_ / std::string(name)).string(); }

  void WriteFile(std::string_view name, std::string_view bytes) const {
    std::ofstream(PathOf(name), std::ios::binary) << bytes;
  }
  std::string ReadFile(std::string_view name) const {
    std::ifstream file(PathOf(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

  host::testing::DatabaseBuilder db_;
  LNNotesSession session_;
  std::filesystem::path dir_;
  // Yes/No questions answer `ui_.defaultAnswer`, No unless a test says otherwise.
  platform::testing::ScopedRecordingUi ui_;
};

}  // namespace definitions_test
