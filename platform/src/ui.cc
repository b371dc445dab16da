#include "platform/ui.h"

#include <cstdlib>

namespace platform {
namespace {

std::unique_ptr<Ui>& Installed() {
  static std::unique_ptr<Ui> installed;
  return installed;
}

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

Ui& CurrentUi() {
  auto& installed = Installed();
  if (!installed) installed = MakeConsoleUi();
  return *installed;
}

std::unique_ptr<Ui> InstallUi(std::unique_ptr<Ui> ui) {
  auto& installed = Installed();
  std::unique_ptr<Ui> previous = installed ? std::move(installed) : MakeConsoleUi();
  installed = std::move(ui);
  return previous;
}

Answer MessageBox(std::string_view text, std::string_view caption, Buttons buttons, Icon icon) {
  return CurrentUi().MessageBox(text, caption, buttons, icon);
}

bool DisplayAvailable() { return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM"); }

}  // namespace platform
