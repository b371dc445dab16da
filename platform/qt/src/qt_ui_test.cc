#include "platform/qt/qt_ui.h"

#include <gtest/gtest.h>
#include <platform/cp932.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>

namespace platform::qt {
namespace {

class QtUiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 3;
    static char name[] = "platform_qt_test", option[] = "-platform", platformName[] = "offscreen";
    static char* argv[] = {name, option, platformName, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  static void TearDownTestSuite() { app_.reset(); }

  // Runs `act` on the modal box, made the active window as a user's click would, as soon as the
  // event loop of its exec() runs. Fails the test when no box comes up, or when the box is still
  // up a second later (and then closes it, so that the test ends).
  static void WhenBoxIsUp(std::function<void(QMessageBox&)> act) {
    QTimer::singleShot(0, [act] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr) << "no message box is up";
      QApplication::setActiveWindow(box);
      act(*box);
      QTimer::singleShot(1000, [] {
        if (auto* left = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
          ADD_FAILURE() << "the box is still up";
          left->done(0);
        }
      });
    });
  }

  static std::unique_ptr<QApplication> app_;
};
std::unique_ptr<QApplication> QtUiTest::app_;

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
