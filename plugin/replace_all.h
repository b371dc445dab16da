// Replacing every occurrence of one text in another.
#pragma once

#include "host/lnstring.h"

// Replaces, left to right, every occurrence of `find` in `text` by `replacement`; text inserted by
// a replacement is not searched again. An empty `find` changes nothing. When the host fails, the
// status is shown with "ReplaceAll関数でエラーが発生しました。" and returned; `text` then keeps the
// replacements made so far. Returns 0 otherwise.
LNSTATUS ReplaceAll(LNString& text, const LNString& find, const LNString& replacement);
