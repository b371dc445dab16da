// Who the session's user is, for @UserName.
#pragma once

#include <string>

namespace host {

// The value of "UserName" in section [Notes] of the client's notes.ini when it is set there (for
// example "CN=Taro Yamada/O=Example"); else the name of the system account the process runs as;
// else "Anonymous". UTF-8; read once per process.
const std::string& SessionUserName();

}  // namespace host
