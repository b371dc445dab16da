#include "messages/app_help.h"

#include <dlfcn.h>
#include <platform/cp932.h>
#include <platform/files.h>

#include <filesystem>

#include "messages/app_messages.h"

std::string AppHelpFile() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&AppHelpFile), &info) == 0 || info.dli_fname == nullptr) return {};
  const std::filesystem::path library(info.dli_fname);
  std::string name = library.stem().string();
  if (name.starts_with("lib")) name.erase(0, 3);
  return platform::ToPlatformPath((library.parent_path() / (name + ".HLP")).string());
}

void AppWinHelp(unsigned long data, platform::HelpCommand command) {
  if (!platform::CurrentUi().WinHelp(AppHelpFile(), command, data))
    ShowAppMessage(platform::Utf8ToCp932("ﾍﾙﾌﾟの起動に失敗しました。"));
}
