// The application's help call, with which every window of the plug-in opens help.
#pragma once

#include <platform/ui.h>

#include <string>

// The plug-in's help file: the library's own path with its extension replaced by ".HLP" and the
// "lib" of a Linux library name dropped, so "/notes/libnVorpel.so" asks for "/notes/nVorpel.HLP"
// (found as "nVorpel.hlp"). Platform text.
std::string AppHelpFile();

// Hands `command` and `data` to the platform's help for the plug-in's help file. When help cannot
// be started, shows "ﾍﾙﾌﾟの起動に失敗しました。" in the plug-in's message box.
void AppWinHelp(unsigned long data, platform::HelpCommand command);
