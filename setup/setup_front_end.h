// Where the setup program's messages and help requests go: message boxes or standard output.
#pragma once

#include <platform/ui.h>

#include <memory>
#include <string_view>

namespace setup {

inline constexpr std::string_view kCaption = "Corvane";

// The help file, opened from the current directory, which is the program's own.
inline constexpr std::string_view kHelpFile = "nVorpel.hlp";

using platform::HelpCommand;

class SetupFrontEnd {
 public:
  virtual ~SetupFrontEnd() = default;
  // Shows one message (platform text) and returns once the user has seen it.
  virtual void ShowMessage(std::string_view text, platform::Icon icon) = 0;
  // Opens the help file at a context id (HelpCommand::Context) or at its contents (data 0).
  // Never fails; does nothing visible without a display.
  virtual void ShowHelp(HelpCommand command, unsigned long data) = 0;
};

// Messages written to standard output as they are, without a newline or an icon.
std::unique_ptr<SetupFrontEnd> MakeConsoleFrontEnd();
// Messages in the platform's message box captioned "Corvane" with an OK button: a window where
// the program installed the windowed UI, else on standard error.
std::unique_ptr<SetupFrontEnd> MakeMessageBoxFrontEnd();

}  // namespace setup
