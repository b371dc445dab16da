#include "platform/qt/qt_ui.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QTranslator>
#include <QUrl>
#include <QWhatsThis>
#include <QWidget>

#include <platform/help_file.h>
#include <platform/help_viewer.h>

#include "platform/qt/help_window.h"

namespace platform::qt {
namespace {

QPointer<QWidget>& MainWindow() {
  static QPointer<QWidget> window;
  return window;
}

class QtUi final : public Ui {
 public:
  Answer MessageBox(std::string_view text, std::string_view caption, Buttons buttons, Icon icon) override {
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(text, caption, buttons, icon);
    box->exec();
    if (buttons == Buttons::Ok) return Answer::Ok;
    return box->clickedButton() == box->button(QMessageBox::Yes) ? Answer::Yes : Answer::No;
  }
  // A windowed program builds its progress window from its own dialog template.
  std::unique_ptr<ProgressView> CreateProgress() override { return nullptr; }
  // The help viewer program shows the contents and the topics; a pop-up is a small window of this
  // program's beside the control.
  bool WinHelp(std::string_view helpFile, HelpCommand command, unsigned long data) override {
    if (command == HelpCommand::ContextPopup) {
      const auto topics = ReadHelpFile(helpFile);
      if (!topics) return false;
      const HelpTopic* topic = FindHelpTopic(*topics, data);
      QWhatsThis::showText(QCursor::pos(),
                           topic ? TopicHtml(*topic) : QStringLiteral("<p>この項目のヘルプはありません。</p>"));
      return true;
    }
    if (command == HelpCommand::Quit) QWhatsThis::hideText();
    return AskHelpViewer(helpFile, command, data);
  }
  bool OpenAddress(std::string_view address) override {
    return QDesktopServices::openUrl(QUrl(FromPlatformText(address)));
  }
  bool HasDisplay() const override { return true; }
};

}  // namespace

void SetMainWindow(QWidget* window) { MainWindow() = window; }

QWidget* SafeOwner() {
  QWidget* main = MainWindow();
  if (main && main->isVisible()) return main;
  return QApplication::activeWindow();
}

std::unique_ptr<Ui> MakeQtUi() { return std::make_unique<QtUi>(); }

bool InstallJapaneseQtTexts() {
  auto* translator = new QTranslator(QCoreApplication::instance());  // the application owns it
  if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

WindowedUi::WindowedUi(int& argc, char** argv)
    : application_(std::make_unique<QApplication>(argc, argv)), previous_(InstallUi(MakeQtUi())) {
  InstallJapaneseQtTexts();
}

WindowedUi::~WindowedUi() { InstallUi(std::move(previous_)); }

}  // namespace platform::qt
