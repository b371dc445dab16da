// The setup program's message box in Qt.
#pragma once

#include <platform/ui.h>

#include <memory>
#include <string_view>

class QMessageBox;

namespace setup {

// A message box with no owner window, the caption "Corvane", the text (platform text), the icon
// and one button "OK". Needs a running application object.
std::unique_ptr<QMessageBox> MakeSetupMessageBox(std::string_view text, platform::Icon icon);

// Shows that box modally; creates the application object for the time it is shown when none runs.
void ShowQtMessageBox(std::string_view text, platform::Icon icon);

}  // namespace setup
