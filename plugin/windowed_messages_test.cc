// The plug-in's messages as the user sees them where the client has a display: real message
// boxes, on Qt's offscreen platform, closed and answered from the keyboard.
#include <platform/qt/qt_ui.h>
#include <platform/qt/testing/modal_boxes.h>

#include <QTest>
#include <filesystem>
#include <memory>

#include "plugin/export_fixture.h"

namespace {

using host::testing::DatabaseBuilder;
using platform::qt::testing::WhenBoxIsUp;

class WindowedMessagesTest : public ExportFixture {
 protected:
  void SetUp() override {
    ExportFixture::SetUp();
    platform::qt::testing::OffscreenApplication();
    recording_ = platform::InstallUi(platform::qt::MakeQtUi());
  }
  void TearDown() override {
    platform::InstallUi(std::move(recording_));
    ExportFixture::TearDown();
  }

 private:
  std::unique_ptr<platform::Ui> recording_;
};

TEST_F(WindowedMessagesTest, AFailedExportIsAWindowTitledWithTheLibraryNameThatEnterCloses) {
  DatabaseBuilder db;
  db.Document().Text("Name", {"x"});
  const NOTEID view = db.View("V").Column({.title = "Name", .itemName = "Name"}).Id();
  QString title, text;
  WhenBoxIsUp([&](QMessageBox& box) {
    title = box.windowTitle();
    text = box.text();
    QTest::keyClick(&box, Qt::Key_Return);
  });
  EXPECT_EQ(Export(Params(db, view), Typed("missing/out.csv", "/X")), 0);
  EXPECT_EQ(title, QStringLiteral("nVorpel"));
  EXPECT_TRUE(text.startsWith(QStringLiteral("102 : "))) << text.toStdString();
  EXPECT_TRUE(text.endsWith(QStringLiteral("\nエクスポート中にノーツのエラーが発生しました。"))) << text.toStdString();
  EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

TEST_F(WindowedMessagesTest, TheOverwriteQuestionIsAnsweredBothWays) {
  DatabaseBuilder db;
  db.Document().Text("Name", {"x"}).Attachment("a.txt", "a.txt", "new");
  const NOTEID view = db.View("V").Column({.title = "Name", .itemName = "Name"}).Id();
  const struct {
    Qt::Key key;
    const char* kept;
  } cases[] = {{Qt::Key_Escape, "old"}, {Qt::Key_Return, "new"}};
  for (const auto& c : cases) {
    std::filesystem::create_directories(dir_ / "out.files" / "00000102");
    Write("out.files/00000102/a.txt", "old");
    QString title;
    WhenBoxIsUp([&](QMessageBox& box) {
      title = box.windowTitle();
      QTest::keyClick(&box, c.key);
    });
    Export(Params(db, view), Typed("out.xml", "/X /P"), "xml");
    EXPECT_EQ(title, QStringLiteral("nVorpel"));
    EXPECT_EQ(Read("out.files/00000102/a.txt"), c.kept);
  }
}

}  // namespace
