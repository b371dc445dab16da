// The platform's UI services as Qt windows: message boxes, the help viewer and opening an address
// through the desktop. A windowed program builds its progress window from its own template and
// pumps the messages through the running QApplication.
//
// Everything here runs on the thread of a running QApplication, which the caller owns (the Notes
// client owns the message loop; the plug-in only uses it).
#pragma once

#include <platform/api.h>
#include <platform/ui.h>

#include <QString>
#include <memory>
#include <string_view>

class QApplication;
class QMessageBox;
class QWidget;

namespace platform::qt {

// The windowed implementation of platform::Ui, for platform::InstallUi.
PLATFORM_API std::unique_ptr<Ui> MakeQtUi();

// Installs Qt's own texts in Japanese (file dialogs, their questions, standard buttons, context
// menus) into the running application: the qtbase translation of Qt's translations folder. False
// when that translation is not installed; Qt's texts stay English then.
PLATFORM_API bool InstallJapaneseQtTexts();

// A program's windowed UI: for its lifetime a QApplication (made from the program's arguments) with
// Qt's own texts in Japanese, and the windowed services installed over the current ones, which come
// back before it ends.
class PLATFORM_API WindowedUi {
 public:
  WindowedUi(int& argc, char** argv);
  WindowedUi(const WindowedUi&) = delete;
  WindowedUi& operator=(const WindowedUi&) = delete;
  ~WindowedUi();

 private:
  std::unique_ptr<QApplication> application_;
  std::unique_ptr<Ui> previous_;
};

// The message box MessageBox shows, not yet shown: no owner window, `caption` as its title,
// `text` (both platform text), the icon, and the buttons "OK" or "はい(&Y)" and "いいえ(&N)". Enter
// presses the first button; Escape presses "OK" or "いいえ(&N)".
PLATFORM_API std::unique_ptr<QMessageBox> MakeMessageBox(std::string_view text, std::string_view caption,
                                                         Buttons buttons, Icon icon);

// The program's main window, which owns every window opened without a parent (null: none). The
// registration ends by itself when the window is destroyed.
PLATFORM_API void SetMainWindow(QWidget* window);
// The owner the platform gives a window opened without a parent: the main window when the program
// has one and it is shown, else the active window; null when there is neither.
PLATFORM_API QWidget* SafeOwner();

// Platform text (code page 932) as a QString.
PLATFORM_API QString FromPlatformText(std::string_view text);
// UTF-8 text (the source's literals, the resources' texts) as a QString.
inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace platform::qt
