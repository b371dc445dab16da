#include "platform/qt/qt_ui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include "help_viewer.h"

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
  bool WinHelp(std::string_view helpFile, HelpCommand command, unsigned long data) override {
    return help_.Run(helpFile, command, data);
  }
  bool OpenAddress(std::string_view address) override {
    return QDesktopServices::openUrl(QUrl(FromPlatformText(address)));
  }
  bool HasDisplay() const override { return true; }

 private:
  HelpViewer help_;
};

}  // namespace

void SetMainWindow(QWidget* window) { MainWindow() = window; }

QWidget* SafeOwner() {
  QWidget* main = MainWindow();
  if (main && main->isVisible()) return main;
  return QApplication::activeWindow();
}

std::unique_ptr<Ui> MakeQtUi() { return std::make_unique<QtUi>(); }

WindowedUi::WindowedUi(int& argc, char** argv)
    : application_(std::make_unique<QApplication>(argc, argv)), previous_(InstallUi(MakeQtUi())) {}

WindowedUi::~WindowedUi() { InstallUi(std::move(previous_)); }

}  // namespace platform::qt
