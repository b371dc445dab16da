#include "settings/option_sheet.h"

#include <platform/cp932.h>
#include <platform/qt/qt_ui.h>

#include <QHBoxLayout>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "messages/app_help.h"
#include "settings/option_page_rules.h"

namespace settings {
namespace {

constexpr char kControlIdProperty[] = "controlId";

}  // namespace

OptionSheet::OptionSheet(int pageId, int linkLabelId, int iconId) : pageId_(pageId), page_(new QWidget(this)) {
  const resources::DialogTemplate& dialog = resources::Dialog(pageId);
  resources::BuildControls(dialog, *page_, {{linkLabelId, [this](const resources::ControlTemplate& control, QWidget* parent) {
                                               link_ = new CLinkLabel(platform::qt::FromUtf8(control.text), parent);
                                               return link_;
                                             }}});
  for (const resources::ControlTemplate& control : dialog.controls) {
    if (QWidget* made = Control(control.id)) {
      made->setProperty(kControlIdProperty, control.id);
      made->installEventFilter(this);
    }
  }
  connect(ControlAs<QPushButton>(kHelpButton), &QPushButton::clicked, this,
          [] { AppWinHelp(0, platform::HelpCommand::Contents); });

  // The wizard's buttons in their order: back, finish, cancel.
  auto* back = new QPushButton(QStringLiteral("< 戻る(&B)"), this);
  back->setEnabled(false);
  finish_ = new QPushButton(QStringLiteral("完了"), this);
  finish_->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  connect(finish_, &QPushButton::clicked, this, [this] {
    FinishPage();
    done(kWizardFinish);
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {back, finish_, cancel}) buttons->addWidget(button);

  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(page_);
  layout->addWidget(line);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setWindowTitle(platform::qt::FromUtf8(dialog.caption));
  setWindowIcon(resources::Picture(iconId));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::WindowContextHelpButtonHint);
}

int OptionSheet::DoModal() { return exec(); }

// Page activation: the values into the controls, the link label's target and tooltip.
void OptionSheet::showEvent(QShowEvent* event) {
  if (!shown_) {
    shown_ = true;
    ShowValues();
    link_->SetURL(resources::String(1021));
    link_->EnableToolTip(true);
    link_->SetToolTipText(platform::Utf8ToCp932(resources::String(1022)));
    for (const resources::ControlTemplate& control : resources::Dialog(pageId_).controls) {
      QWidget* made = Control(control.id);
      if (made && made->isEnabled() && (made->focusPolicy() & Qt::TabFocus)) {
        resources::FocusTarget(made)->setFocus();  // the page's first control, as Tab would reach it
        break;
      }
    }
  }
  QDialog::showEvent(event);
}

void OptionSheet::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_F1) return QDialog::keyPressEvent(event);
  ShowHelpOf(focusWidget());
}

bool OptionSheet::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::WhatsThis) return QDialog::eventFilter(watched, event);
  ShowHelpOf(qobject_cast<QWidget*>(watched));
  return true;
}

void OptionSheet::ShowHelpOf(const QWidget* control) {
  const QVariant id = control ? control->property(kControlIdProperty) : QVariant();
  AppWinHelp(id.isValid() ? OptionHelpContext(pageId_, id.toInt()) : 0, platform::HelpCommand::ContextPopup);
}

}  // namespace settings
