// Errors of the class library.
//
// Every class-library call that can fail returns its status (0 on success). After
// LNSetThrowAllErrorsGlobal(TRUE) a failing call throws its status (an LNSTATUS, that is an
// unsigned 32-bit value) instead. Results that are not failures are never thrown: the not-found
// result host::kNotFound of LNString::Find, LNString::FindChar, LNRTCursor::GotoFirst and
// GotoNext. Constructors and operators, which have no status to return, throw whatever the mode.
#pragma once

#include "host/lntypes.h"

// Switches throwing mode on (TRUE) or off (FALSE), for the whole process.
LNAPI void LNSetThrowAllErrorsGlobal(LNBOOL on);
LNAPI LNBOOL LNGetThrowAllErrorsGlobal();

// Writes the message text of `status` (Japanese, code page 932, NUL-terminated) into `buffer` of
// `size` bytes, cut on a character boundary when it does not fit; `reserved` is 0. Returns the
// length written, without the terminator. Every status the host produces has a text; any other
// status gets a general one.
LNAPI LNINT LNGetErrorMessageText(LNSTATUS status, char* buffer, LNINT size, LNINT reserved);
