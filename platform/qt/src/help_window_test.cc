#include "platform/qt/help_window.h"

#include <gtest/gtest.h>

#include <QTest>

#include "platform/qt/testing/modal_boxes.h"

namespace platform::qt {
namespace {

const std::vector<HelpTopic> kTopics = {
    {0, "nVorpel ヘルプ", "目次の本文"},
    {0x83F1520F, "すべての文書(&A)", "ビューのすべての文書。"},
    {0x83F15210, "選択した文書(&S)", "選択した文書だけ。"},
};

TEST(HelpWindow, TheKeyboardFollowsTheLinksGoesBackAndCloses) {
  testing::OffscreenApplication();
  HelpWindow window(kTopics);
  window.show();
  QApplication::setActiveWindow(&window);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("nVorpel ヘルプ"));
  EXPECT_TRUE(window.toPlainText().contains(QStringLiteral("目次の本文")));
  EXPECT_TRUE(window.toPlainText().contains(QStringLiteral("選択した文書(&S)"))) << "the contents list every topic";

  QTest::keyClick(&window, Qt::Key_Tab);
  QTest::keyClick(&window, Qt::Key_Tab);  // the second link
  QTest::keyClick(&window, Qt::Key_Return);
  EXPECT_EQ(window.ShownContext(), 0x83F15210u);
  EXPECT_TRUE(window.toPlainText().contains(QStringLiteral("選択した文書だけ。")));
  window.ShowTopic(0x83F1520F);
  QTest::keyClick(&window, Qt::Key_Backspace);
  EXPECT_EQ(window.ShownContext(), 0x83F15210u);
  QTest::keyClick(&window, Qt::Key_Backspace);
  EXPECT_EQ(window.ShownContext(), 0u);
  QTest::keyClick(&window, Qt::Key_Backspace);
  EXPECT_EQ(window.ShownContext(), 0u) << "nothing before the first";
  window.ShowTopic(0x1234);
  EXPECT_EQ(window.ShownContext(), 0u) << "a number without a topic shows the contents";
  ASSERT_TRUE(window.isVisible());
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace platform::qt
