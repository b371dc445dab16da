#include "setup_front_end.h"

#include <platform/cp932.h>

#include <cstdio>
#include <string>


namespace setup {
namespace {

// Help goes through the platform's help service, which has no separate contents command: the
// contents are context 0.
void OpenHelp(HelpCommand command, unsigned long data) {
  platform::CurrentUi().ShowHelp(kHelpFile, command == HelpCommand::Contents ? 0 : data);
}

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
