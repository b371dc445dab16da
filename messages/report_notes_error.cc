#include "messages/report_notes_error.h"

#include <cstdio>
#include <string>

#include "host/lnerror.h"
#include "messages/app_messages.h"

void ReportNotesError(LNSTATUS status, std::string_view text) {
  if (status == 0) return;
  char hostText[512] = {};
  LNGetErrorMessageText(status, hostText, sizeof hostText, 0);
  char code[16];
  std::snprintf(code, sizeof code, "%x", static_cast<unsigned>(status));
  std::string message = code;
  message += " : ";
  message += hostText;
  message += '\n';
  message += text;
  ShowAppMessage(message);
}
