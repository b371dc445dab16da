// Showing a Notes status to the user.
#pragma once

#include <string_view>

#include "host/lntypes.h"

// Shows "%x : %s\n%s" (the status in lower-case hexadecimal, the host's message text for it, and
// `text`, platform text) in a message box titled "nVorpel" with an OK button and the exclamation
// icon; returns when the user closes it. Status 0 shows nothing.
void ReportNotesError(LNSTATUS status, std::string_view text);
