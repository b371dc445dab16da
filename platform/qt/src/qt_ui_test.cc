#include "platform/qt/qt_ui.h"

#include <gtest/gtest.h>
#include <platform/cp932.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <memory>

#include "platform/qt/testing/modal_boxes.h"

namespace platform::qt {
namespace {

using testing::WhenBoxIsUp;

class QtUiTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::OffscreenApplication(); }
};

TEST_F(QtUiTest, BoxHasCaptionTextIconAndJapaneseButtons) {
  const struct {
    Buttons buttons;
    Icon icon;
    QMessageBox::Icon shown;
    QStringList buttonTexts;
  } cases[] = {
      {Buttons::Ok, Icon::Information, QMessageBox::Information, {"OK"}},
      {Buttons::Ok, Icon::Error, QMessageBox::Critical, {"OK"}},
      {Buttons::Ok, Icon::Exclamation, QMessageBox::Warning, {"OK"}},
      {Buttons::YesNo, Icon::Exclamation, QMessageBox::Warning, {"はい(&Y)", "いいえ(&N)"}},
      {Buttons::YesNo, Icon::Question, QMessageBox::Question, {"はい(&Y)", "いいえ(&N)"}},
  };
  const std::string text = "Corvaneをnotes.iniに登録しました。\n二行目";
  for (const auto& c : cases) {
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(Utf8ToCp932(text), Utf8ToCp932("表示"), c.buttons, c.icon);
    EXPECT_EQ(box->parent(), nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("表示"));
    EXPECT_EQ(box->text(), QString::fromUtf8(text.c_str()));
    EXPECT_EQ(box->icon(), c.shown);
    QStringList shown;
    for (QAbstractButton* button : box->buttons()) shown << button->text();
    EXPECT_EQ(shown, c.buttonTexts);
    EXPECT_EQ(box->defaultButton()->text(), c.buttonTexts.front());
  }
}

TEST_F(QtUiTest, EnterClosesAnOkBox) {
  const std::unique_ptr<Ui> ui = MakeQtUi();
  QString title;
  WhenBoxIsUp([&](QMessageBox& box) {
    title = box.windowTitle();
    QTest::keyClick(&box, Qt::Key_Return);
  });
  EXPECT_EQ(ui->MessageBox("failed", "nVorpel", Buttons::Ok, Icon::Exclamation), Answer::Ok);
  EXPECT_EQ(title, QStringLiteral("nVorpel"));
}

TEST_F(QtUiTest, QuestionIsAnsweredByKeys) {
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    Answer answer;
  } cases[] = {
      {Qt::Key_Return, Qt::NoModifier, Answer::Yes},
      {Qt::Key_Escape, Qt::NoModifier, Answer::No},
      {Qt::Key_N, Qt::AltModifier, Answer::No},
      {Qt::Key_Y, Qt::AltModifier, Answer::Yes},
  };
  const std::unique_ptr<Ui> ui = MakeQtUi();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    WhenBoxIsUp([&](QMessageBox& box) { QTest::keyClick(&box, c.key, c.modifiers); });
    EXPECT_EQ(ui->MessageBox(Utf8ToCp932("上書きしますか?"), "nVorpel", Buttons::YesNo, Icon::Exclamation),
              c.answer);
  }
}

TEST_F(QtUiTest, ProgressCountsCancelEscapeAndTheCloseBoxAndStaysUp) {
  const std::unique_ptr<Ui> ui = MakeQtUi();
  std::unique_ptr<ProgressView> progress = ui->CreateProgress();
  auto* window = dynamic_cast<QWidget*>(progress.get());
  ASSERT_NE(window, nullptr);
  progress->SetCaption(Utf8ToCp932("書き出し中..."));
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("書き出し中..."));
  EXPECT_EQ(progress->PumpMessages(), 0);

  QPushButton* cancel = window->findChild<QPushButton*>();
  ASSERT_NE(cancel, nullptr);
  EXPECT_EQ(cancel->text(), QStringLiteral("キャンセル"));
  QTest::mouseClick(cancel, Qt::LeftButton);
  QTest::keyClick(window, Qt::Key_Escape);
  window->close();
  EXPECT_EQ(progress->PumpMessages(), 3);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(progress->PumpMessages(), 0);
}

class AddressCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void Open(const QUrl& url) { opened << url; }
};

TEST_F(QtUiTest, AddressIsOpenedThroughTheDesktop) {
  AddressCatcher catcher;
  QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "Open");
  const std::unique_ptr<Ui> ui = MakeQtUi();
  EXPECT_TRUE(ui->OpenAddress("https://example.org/nvorpel/"));
  QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
  EXPECT_EQ(catcher.opened, QList<QUrl>{QUrl(QStringLiteral("https://example.org/nvorpel/"))});
}

}  // namespace
}  // namespace platform::qt

#include "qt_ui_test.moc"
