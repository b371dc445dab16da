#include "platform/qt/qt_ui.h"

#include <gtest/gtest.h>
#include <platform/cp932.h>
#include <platform/files.h>
#include <platform/help_viewer.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <iterator>
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

// Whether a viewer takes requests at `address` within five seconds (`up`), or has gone (not `up`).
bool ViewerIs(bool up, const std::string& address) {
  for (int i = 0; i < 100; ++i) {
    if (SendHelpRequest(address, "") == up) return true;
    usleep(50'000);
  }
  return false;
}

// The viewer processes of `helpFile`: those whose command line names it.
int ViewersOf(const std::string& helpFile) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream in(entry.path() / "cmdline", std::ios::binary);
    const std::string line((std::istreambuf_iterator<char>(in)), {});
    count += line.starts_with(HelpViewerProgram()) && line.find(helpFile) != std::string::npos;
  }
  return count;
}

// Contents and topics go to the viewer program, one for the file, which a Quit ends; a pop-up is
// this program's own small window.
TEST_F(QtUiTest, HelpGoesToOneViewerProgramPerFileUntilQuit) {
  const std::filesystem::path directory = std::filesystem::path(::testing::TempDir()) / ("qt_ui_help_" + std::to_string(getpid()));
  std::filesystem::create_directories(directory);
  setenv("XDG_RUNTIME_DIR", directory.c_str(), 1);  // the viewer's socket, this test's own
  setenv("QT_QPA_PLATFORM", "offscreen", 1);        // the viewer's window too
  const std::filesystem::path file = directory / "nVorpel.hlp";
  std::ofstream(file) << "@ 0 nVorpel ヘルプ\n目次の本文\n@ 0x83F1520F すべての文書(&A)\nビューのすべての文書。\n";
  const std::string path = ToPlatformPath(file.string());
  const std::string address = HelpViewerAddress(file.string());
  const std::unique_ptr<Ui> ui = MakeQtUi();

  EXPECT_FALSE(ui->WinHelp(path + ".missing", HelpCommand::Contents, 0));
  ASSERT_TRUE(std::filesystem::exists(HelpViewerProgram())) << HelpViewerProgram();
  ASSERT_TRUE(ui->WinHelp(ToPlatformPath((directory / "NVORPEL.HLP").string()), HelpCommand::Contents, 0))
      << "the name is found without regard to case";
  ASSERT_TRUE(ViewerIs(true, address));
  ASSERT_TRUE(ui->WinHelp(path, HelpCommand::Context, 0x83F1520F));
  ASSERT_TRUE(ui->WinHelp(path, HelpCommand::Contents, 0));
  EXPECT_EQ(ViewersOf(file.string()), 1) << "the running viewer takes the later requests";

  EXPECT_TRUE(ui->WinHelp(path, HelpCommand::ContextPopup, 0x83F1520F));
  EXPECT_TRUE(ui->WinHelp(path, HelpCommand::Quit, 0));
  EXPECT_TRUE(ViewerIs(false, address)) << "Quit ends the viewer";
  for (int i = 0; i < 100 && ViewersOf(file.string()) > 0; ++i) usleep(50'000);  // its process ends after its socket
  EXPECT_EQ(ViewersOf(file.string()), 0);
  EXPECT_TRUE(ui->WinHelp(path, HelpCommand::Quit, 0)) << "nothing to close";
  unsetenv("XDG_RUNTIME_DIR");
  std::filesystem::remove_all(directory);
}

TEST_F(QtUiTest, QtsOwnTextsAreJapanese) {
  ASSERT_TRUE(InstallJapaneseQtTexts()) << "Debian's qt6-translations-l10n (scripts/install-deps.sh)";
  QDialogButtonBox buttons(QDialogButtonBox::Open | QDialogButtonBox::Cancel);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  QStringList labels;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
  EXPECT_FALSE(labels.filter(QStringLiteral("ファイル名")).isEmpty()) << labels.join(" | ").toStdString();
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
