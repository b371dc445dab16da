// The help viewer: a program of its own ("helpviewer", beside the platform's library in the Notes
// program directory), as the platform's help program is. One viewer runs per help file and takes
// every later request for it; its caller's modal windows do not block it, and it stays open when
// its caller ends. Requests reach it on a local socket as lines "COMMAND DATA" (decimal numbers of
// HelpCommand and its data).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/api.h"
#include "platform/ui.h"

namespace platform {

// The help viewer program's file-system path.
PLATFORM_API std::string HelpViewerProgram();

// The socket (a file-system path) the viewer of the help file at `helpFile` (a file-system path,
// as FindHelpFile gives it) takes requests at: one per user, help file and display, in XDG_RUNTIME_DIR (in
// /tmp without it, or when the path would be too long for a socket).
PLATFORM_API std::string HelpViewerAddress(const std::string& helpFile);

// Hands Context, Contents or Quit to the viewer of the help file `platformPath` names, starting one
// for Context and Contents when none runs (Quit starts none). False when the help file cannot be
// found or read, or the viewer cannot be started; true for Quit whatever there was to close.
PLATFORM_API bool AskHelpViewer(std::string_view platformPath, HelpCommand command, unsigned long data);

// Writes `line` to the socket at `address`; false when nothing listens there.
PLATFORM_API bool SendHelpRequest(const std::string& address, const std::string& line);

PLATFORM_API std::string HelpRequestLine(HelpCommand command, unsigned long data);
// A request line as HelpRequestLine writes it (without its line feed); nothing for another text.
PLATFORM_API std::optional<std::pair<HelpCommand, unsigned long>> ParseHelpRequestLine(std::string_view line);

}  // namespace platform
