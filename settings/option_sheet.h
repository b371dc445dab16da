// The frame both option sheets share: a one-page wizard. The page, built from its dialog template,
// sits above the wizard's buttons "< 戻る(&B)" (disabled: there is no page before), "完了" (the
// default button, Finish) and "キャンセル"; the window has the page's caption as its title, the
// sheet's icon, and a help button in its title bar. F1 on a control, or a click on one after the
// title bar's help button, shows that control's help pop-up; the page's "ヘルプ" shows the contents.
#pragma once

#include <QDialog>
#include <string_view>

#include "resources/dialog_builder.h"
#include "settings/link_label.h"

class QPushButton;

namespace settings {

class OptionSheet : public QDialog {
 public:
  // The wizard's Finish result.
  static constexpr int kWizardFinish = 0x3025;

  // Shows the wizard modally until the user finishes or cancels it: kWizardFinish when finished
  // (the page has then stored its values), anything else when not.
  int DoModal();

  // The control `id` of the page, or null.
  QWidget* Control(int id) const { return resources::FindControl(*page_, id); }
  template <class T>
  T* ControlAs(int id) const {
    return qobject_cast<T*>(Control(id));
  }
  QPushButton* FinishButton() const { return finish_; }

 protected:
  // Builds the page of template `pageId`, with the link label `linkLabelId`, and the frame with
  // icon `iconId`.
  OptionSheet(int pageId, int linkLabelId, int iconId);

  // Puts the record's values into the page's controls.
  virtual void ShowValues() = 0;
  // Takes the values from the controls, brings the column list into line and stores the record.
  virtual void FinishPage() = 0;

  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowHelpOf(const QWidget* control);

  const int pageId_;
  QWidget* page_;
  CLinkLabel* link_ = nullptr;
  QPushButton* finish_;
  bool shown_ = false;
};

}  // namespace settings
