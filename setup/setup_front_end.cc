#include "setup_front_end.h"

#include <platform/cp932.h>

#include <cstdio>
#include <string>


namespace setup {
namespace {

// Whether help could start is not the setup program's concern.
void OpenHelp(HelpCommand command, unsigned long data) { platform::CurrentUi().WinHelp(kHelpFile, command, data); }

class ConsoleFrontEnd final : public SetupFrontEnd {
 public:
  void ShowMessage(std::string_view text, platform::Icon) override {
    std::string local = platform::Cp932ToLocale(text);
    std::fwrite(local.data(), 1, local.size(), stdout);
    std::fflush(stdout);
  }
  void ShowHelp(HelpCommand command, unsigned long data) override { OpenHelp(command, data); }
};

class MessageBoxFrontEnd final : public SetupFrontEnd {
 public:
  void ShowMessage(std::string_view text, platform::Icon icon) override {
    platform::MessageBox(text, kCaption, platform::Buttons::Ok, icon);
  }
  void ShowHelp(HelpCommand command, unsigned long data) override { OpenHelp(command, data); }
};

}  // namespace

std::unique_ptr<SetupFrontEnd> MakeConsoleFrontEnd() { return std::make_unique<ConsoleFrontEnd>(); }
std::unique_ptr<SetupFrontEnd> MakeMessageBoxFrontEnd() { return std::make_unique<MessageBoxFrontEnd>(); }

}  // namespace setup
