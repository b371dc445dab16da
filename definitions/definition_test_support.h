// Tests only: views made with the test builder, a scratch directory for definition files, and a
// UI that records message boxes and gives scripted answers.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/notes.h"
#include "host/testing/builder.h"
#include "platform/cp932.h"
#include "platform/ui.h"

namespace definitions_test {

inline std::string Cp932(std::string_view utf8) { return platform::Utf8ToCp932(utf8); }

// A UI that records its message boxes and answers Yes/No boxes with `answer`.
class RecordingUi : public platform::Ui {
 public:
  struct Box {
    std::string text, caption;
    platform::Buttons buttons;
    platform::Icon icon;
  };
  RecordingUi(std::vector<Box>* boxes, const platform::Answer* answer) : boxes_(boxes), answer_(answer) {}
  platform::Answer MessageBox(std::string_view text, std::string_view caption, platform::Buttons buttons,
                              platform::Icon icon) override {
    boxes_->push_back({std::string(text), std::string(caption), buttons, icon});
    return buttons == platform::Buttons::YesNo ? *answer_ : platform::Answer::Ok;
  }
  std::unique_ptr<platform::ProgressView> CreateProgress() override { return nullptr; }
  void ShowHelp(std::string_view, unsigned long) override {}
  void QuitHelp() override {}
  bool HasDisplay() const override { return false; }

 private:
  std::vector<Box>* boxes_;
  const platform::Answer* answer_;
};

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
    previousUi_ = platform::InstallUi(std::make_unique<RecordingUi>(&boxes_, &answer_));
  }
  void TearDown() override {
    platform::InstallUi(std::move(previousUi_));
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
  std::vector<RecordingUi::Box> boxes_;
  platform::Answer answer_ = platform::Answer::No;

 private:
  std::unique_ptr<platform::Ui> previousUi_;
};

}  // namespace definitions_test
