#include "plugin/replace_all.h"

#include <platform/cp932.h>

#include "messages/report_notes_error.h"

namespace {

// Turns a status returned outside throwing mode into the exception throwing mode would raise.
void Check(LNSTATUS status) {
  if (status != host::kNoError) throw status;
}

}  // namespace

LNSTATUS ReplaceAll(LNString& text, const LNString& find, const LNString& replacement) {
  try {
    if (LNStringCompare(find, replacement, LNSTRINGCOMPAREFLAGS_DEFAULT) == 0) return host::kNoError;
    const LNINT findLength = find.GetLength();
    const LNINT replacementLength = replacement.GetLength();
    if (findLength == 0) return host::kNoError;

    LNINT start = 0;
    for (;;) {
      LNINT found = 0;
      const LNSTATUS status = text.Find(find, start, &found);
      if (status == host::kNotFound) break;
      Check(status);
      if (findLength == replacementLength) {
        Check(text.Replace(found, replacementLength, replacement));
      } else {
        Check(text.Delete(found, findLength));
        if (replacementLength != 0) Check(text.Insert(found, replacement));
      }
      start = found + replacementLength;
    }
    return host::kNoError;
  } catch (LNSTATUS status) {
    ReportNotesError(status, platform::Utf8ToCp932("ReplaceAll関数でエラーが発生しました。"));
    return status;
  }
}
