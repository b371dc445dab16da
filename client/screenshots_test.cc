// The client's main window as a user sees it, written into the build tree (screenshots/, or the
// folder NVORPEL_SCREENSHOT_DIR names: the README's pictures in docs/ are made so): the bundled
// sample's regional view with two documents marked, and its discussion with responses under their
// parents.
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>
#include <platform/qt/testing/modal_boxes.h>

#include <QTest>

#include "client/main_window.h"
#include "client/view_table.h"

namespace client {
namespace {

namespace fs = std::filesystem;

fs::path Directory() {
  const fs::path directory =
      std::getenv("NVORPEL_SCREENSHOT_DIR") ? std::getenv("NVORPEL_SCREENSHOT_DIR") : NVORPEL_SCREENSHOT_DIR;
  fs::create_directories(directory);
  return directory;
}

void Save(MainWindow& window, const char* name) {
  QApplication::processEvents();
  const QPixmap picture = window.grab();
  ASSERT_FALSE(picture.isNull());
  const fs::path file = Directory() / name;
  EXPECT_TRUE(picture.save(QString::fromStdString(file.string()))) << file;
}

TEST(ScreenshotsTest, MainWindow) {
  platform::qt::testing::OffscreenApplication();
  MainWindow window;
  window.resize(900, 400);
  window.show();
  ASSERT_TRUE(window.OpenDatabase({std::string(NVORPEL_SOURCE_DIR) + "/samples/orders.xml"}, "", "ByRegion"));
  // J-2026-003, then J-2026-001, which also stands under its second person in charge.
  for (const int key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Space, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down,
                        Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Space})
    QTest::keyClick(window.Table(), Qt::Key(key));
  ASSERT_EQ(window.Model()->GetMarks().Count(), 2u);
  Save(window, "main-window.png");
}

TEST(ScreenshotsTest, ResponsesUnderTheirParents) {
  platform::qt::testing::OffscreenApplication();
  MainWindow window;
  window.resize(900, 260);
  window.show();
  ASSERT_TRUE(window.OpenDatabase({std::string(NVORPEL_SOURCE_DIR) + "/samples/orders.xml"}, "", "Discussion"));
  ASSERT_EQ(window.Model()->rowCount(), 5);
  Save(window, "discussion-view.png");
}

}  // namespace
}  // namespace client
