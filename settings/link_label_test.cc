#include "settings/link_label.h"

#include <gtest/gtest.h>
#include <platform/cp932.h>
#include <platform/qt/testing/modal_boxes.h>
#include <platform/testing/recording_ui.h>

#include <QEnterEvent>
#include <QTest>

namespace {

TEST(LinkLabel, BlueRedWhileHoveredAndDarkBlueOnceVisited) {
  platform::qt::testing::OffscreenApplication();
  platform::testing::ScopedRecordingUi ui;
  QWidget page;
  CLinkLabel label(QStringLiteral("nVorpel Version 2.2"), &page);
  label.resize(120, 16);
  EXPECT_TRUE(label.font().underline());
  EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(label.TextColour(), CLinkLabel::kNormal);

  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(&label, &enter);
  EXPECT_EQ(label.TextColour(), CLinkLabel::kHover);
  EXPECT_EQ(label.palette().color(QPalette::WindowText), CLinkLabel::kHover);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&label, &leave);
  EXPECT_EQ(label.TextColour(), CLinkLabel::kNormal);

  label.SetURL("https://nvorpel.example.org/");
  QTest::mouseClick(&label, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(ui.openedAddresses, std::vector<std::string>{"https://nvorpel.example.org/"});
  EXPECT_EQ(label.TextColour(), CLinkLabel::kVisited);
  QApplication::sendEvent(&label, &enter);
  EXPECT_EQ(label.TextColour(), CLinkLabel::kVisited);
}

TEST(LinkLabel, TooltipTextReachesTheTooltipOnlyWhenEnabled) {
  platform::qt::testing::OffscreenApplication();
  QWidget page;
  CLinkLabel label(QStringLiteral("nVorpel"), &page);
  label.SetToolTipText(platform::Utf8ToCp932("ホームページを表示します。"));
  EXPECT_EQ(label.toolTip(), QString());
  label.EnableToolTip(true);
  label.SetToolTipText(platform::Utf8ToCp932("ホームページを表示します。"));
  EXPECT_EQ(label.toolTip(), QStringLiteral("ホームページを表示します。"));
  EXPECT_TRUE(label.testAttribute(Qt::WA_AlwaysShowToolTips)) << "also on an inactive window";
}

}  // namespace
