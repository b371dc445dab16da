#include <platform/cp932.h>

#include <QMessageBox>
#include <QPushButton>
#include <string>

#include "platform/qt/qt_ui.h"

namespace platform::qt {
namespace {

QMessageBox::Icon QtIcon(Icon icon) {
  switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Error: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: break;
  }
  return QMessageBox::Warning;
}

}  // namespace

QString FromPlatformText(std::string_view text) {
  return FromUtf8(Cp932ToUtf8(text));
}

std::unique_ptr<QMessageBox> MakeMessageBox(std::string_view text, std::string_view caption, Buttons buttons,
                                            Icon icon) {
  auto box = std::make_unique<QMessageBox>(QtIcon(icon), FromPlatformText(caption), FromPlatformText(text),
                                           QMessageBox::NoButton);
  if (buttons == Buttons::Ok) {
    QPushButton* ok = box->addButton(QMessageBox::Ok);
    ok->setText(QStringLiteral("OK"));
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
  } else {
    QPushButton* yes = box->addButton(QMessageBox::Yes);
    yes->setText(QStringLiteral("はい(&Y)"));
    QPushButton* no = box->addButton(QMessageBox::No);
    no->setText(QStringLiteral("いいえ(&N)"));
    box->setDefaultButton(yes);
    box->setEscapeButton(no);
  }
  return box;
}

}  // namespace platform::qt
