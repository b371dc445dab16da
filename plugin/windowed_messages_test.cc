// The plug-in's messages and its progress window as the user sees them where the client has a
// display, on Qt's offscreen platform: message boxes closed and answered from the keyboard, and
// Cancel clicked during a run.
#include <platform/qt/qt_ui.h>
#include <platform/qt/testing/modal_boxes.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "plugin/export_fixture.h"
#include "plugin/progress_window.h"
#include "resources/dialog_builder.h"

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

TEST_F(WindowedMessagesTest, CancelInTheProgressWindowStopsTheRunAfterTheCurrentRecord) {
  DatabaseBuilder db;
  for (const char* name : {"a", "b", "c"}) db.Document().Text("Name", {name});
  const NOTEID view =
      db.View("V").Column({.title = "Name", .itemName = "Name", .sort = host::testing::Sort::Ascending}).Id();
  bool clicked = false;
  QTimer::singleShot(0, [&] {  // runs in the window's first dispatch, before the first document
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* progress = dynamic_cast<ProgressWindow*>(window); progress && progress->isVisible()) {
        QTest::mouseClick(qobject_cast<QPushButton*>(resources::FindControl(*progress, 2)), Qt::LeftButton);
        clicked = true;
      }
  });
  Export(Params(db, view), Typed("out.csv", "/X"));
  EXPECT_TRUE(clicked);
  EXPECT_EQ(Read("out.csv"), "a\r\n");
  EXPECT_TRUE(ui_.boxes.empty());
}

}  // namespace
