// The plug-in library as the client loads it: one export, ready as soon as the library is loaded.
#include "plugin/export_view.h"

#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "plugin/export_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ExportViewTest : public ExportFixture {
 protected:
  void SetUp() override {
    ExportFixture::SetUp();
    library_ = dlopen(NVORPEL_PLUGIN_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library_, nullptr) << dlerror();
  }
  void TearDown() override {
    if (library_) dlclose(library_);
    ExportFixture::TearDown();
  }
  void* library_ = nullptr;
};

TEST_F(ExportViewTest, TheLibraryExportsExportViewOnly) {
  auto exportView = reinterpret_cast<ExportViewFunction>(dlsym(library_, "ExportView"));
  ASSERT_NE(exportView, nullptr);
  EXPECT_EQ(dlsym(library_, "ReportNotesError"), nullptr);
  EXPECT_EQ(dlsym(library_, "_Z16ReportNotesErrorjSt17basic_string_viewIcSt11char_traitsIcEE"), nullptr);

  host::testing::DatabaseBuilder db("Sales", "sales.nsf");
  db.Document("Order").Text("Name", {"Abe"});
  const NOTEID view = db.View("Orders").Column({.title = "Name", .itemName = "Name"}).Id();
  const ExportViewParams params = Params(db, view);
  const std::string typed = Typed("out", "/X /H");
  EXPECT_EQ(exportView(&params, 0, 0, "csv", typed.c_str()), 0);
  EXPECT_EQ(Read("out.csv"), "Name\r\nAbe\r\n");
  EXPECT_THAT(ui_.boxes, IsEmpty());

  ExportViewParams invalid = params;
  invalid.SetDatabaseHandle(0xDEAD);
  EXPECT_EQ(exportView(&invalid, 0, 0, "", typed.c_str()), 0);
  EXPECT_EQ(ui_.boxes.size(), 1u);
}

}  // namespace
