#include "qt_message_box.h"

#include <platform/cp932.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <optional>
#include <string>

#include "setup_front_end.h"

namespace setup {
namespace {

QString FromPlatformText(std::string_view text) {
  std::string utf8 = platform::Cp932ToUtf8(text);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QMessageBox::Icon QtIcon(platform::Icon icon) {
  switch (icon) {
    case platform::Icon::Information: return QMessageBox::Information;
    case platform::Icon::Error: return QMessageBox::Critical;
    case platform::Icon::Question: return QMessageBox::Question;
    case platform::Icon::Exclamation: break;
  }
  return QMessageBox::Warning;
}

}  // namespace

std::unique_ptr<QMessageBox> MakeSetupMessageBox(std::string_view text, platform::Icon icon) {
  auto box = std::make_unique<QMessageBox>(QtIcon(icon), FromPlatformText(kCaption), FromPlatformText(text),
                                           QMessageBox::Ok);
  box->button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
  return box;
}

void ShowQtMessageBox(std::string_view text, platform::Icon icon) {
  static int argc = 1;
  static char name[] = "nVorpel";
  static char* argv[] = {name, nullptr};
  std::optional<QApplication> app;
  if (!QApplication::instance()) app.emplace(argc, argv);
  MakeSetupMessageBox(text, icon)->exec();
}

}  // namespace setup
