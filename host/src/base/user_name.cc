#include "base/user_name.h"

#include <platform/cp932.h>
#include <platform/files.h>
#include <platform/profile.h>
#include <pwd.h>
#include <unistd.h>

namespace host {

namespace {

std::string ReadUserName() {
  const std::string ini = platform::FindNotesIni();
  if (!ini.empty()) {
    char name[256];
    if (platform::GetPrivateProfileString("Notes", "UserName", "", name, sizeof name, ini.c_str()) > 0)
      return platform::Cp932ToUtf8(name);
  }
  if (const passwd* account = getpwuid(geteuid()); account && account->pw_name && *account->pw_name)
    return platform::Cp932ToUtf8(platform::LocaleToCp932(account->pw_name));
  return "Anonymous";
}

}  // namespace

const std::string& SessionUserName() {
  static const std::string name = ReadUserName();
  return name;
}

}  // namespace host
