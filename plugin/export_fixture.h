// Tests only: an initialised PluginApp, a recording UI, a scratch directory for output files, and
// the parameter record the client would pass for a view of a test database.
#pragma once

#include <gtest/gtest.h>
#include <platform/cp932.h>
#include <platform/files.h>
#include <platform/testing/recording_ui.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "columns/export_view_params.h"
#include "host/core.h"
#include "host/testing/builder.h"
#include "plugin/export_view.h"
#include "plugin/plugin_app.h"

class ExportFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "nvorpel-plugin-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    ASSERT_TRUE(app_.InitInstance());
  }
  void TearDown() override {
    app_.ExitInstance();
    for (CoreCollectionHandle collection : collections_) CoreCloseCollection(collection);
    for (CoreIdTableHandle table : tables_) CoreFreeIdTable(table);
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  // The record for `view` of `db`, with `selected` as the documents selected in it.
  ExportViewParams Params(host::testing::DatabaseBuilder& db, NOTEID view, const std::vector<NOTEID>& selected = {}) {
    ExportViewParams params;
    const DBHANDLE handle = db.Register();
    params.SetDatabaseHandle(handle);
    params.SetViewNoteId(view);
    CoreCollectionHandle collection = 0;
    EXPECT_EQ(CoreOpenCollection(handle, view, &collection), 0u);
    collections_.push_back(collection);
    params.SetCollectionHandle(collection);
    CoreIdTableHandle table = 0;
    EXPECT_EQ(CoreCreateIdTable(selected.data(), static_cast<std::uint32_t>(selected.size()), &table), 0u);
    tables_.push_back(table);
    params.SetSelectedIdTable(table);
    return params;
  }

  // The platform path of `name` in the scratch directory, followed by `switches` when given.
  std::string Typed(const std::string& name, const std::string& switches = "") const {
    std::string typed = platform::ToPlatformPath((dir_ / name).string());
    return switches.empty() ? typed : typed + " " + switches;
  }

  std::uint16_t Export(const ExportViewParams& params, const std::string& typed, const char* option = "",
                       std::uint16_t flags = 0) {
    return app_.DoExportView(&params, flags, 0, option, typed.c_str());
  }

  bool Exists(const std::string& name) const { return std::filesystem::exists(dir_ / name); }
  std::string Read(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }

  platform::testing::ScopedRecordingUi ui_;
  PluginApp app_;
  std::filesystem::path dir_;

 private:
  std::vector<CoreCollectionHandle> collections_;
  std::vector<CoreIdTableHandle> tables_;
};
