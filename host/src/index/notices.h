// The host's notices: what it tells the user while it works, through the handler the client set
// with CoreSetNoticeHandler (standard error without one).
//
// Internal to the host library.
#pragma once

#include <string>

namespace host::index {

// Hands `text` (one line, UTF-8) to the notice handler.
void Notify(const std::string& text);

}  // namespace host::index
