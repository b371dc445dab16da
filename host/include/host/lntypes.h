// The basic types and codes of the host's class library (the LN classes).
#pragma once

#include <cstdint>

#include "host/api.h"
#include "host/status.h"

using LNSTATUS = STATUS;
using LNBOOL = int;
using LNINT = int;
using LNCHAR = char;
using LNNUMBER = double;
using NOTEID = std::uint32_t;
using DBHANDLE = std::uint32_t;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Item types, as LNItem::GetType reports them.
enum LNITEMTYPE : std::uint32_t {
  LNITEMTYPE_UNSUPPORTED = 0,
  LNITEMTYPE_RICHTEXT = 1,
  LNITEMTYPE_OBJECT = 3,  // an attachment's $FILE item
  LNITEMTYPE_NUMBERS = 0x0301,
  LNITEMTYPE_DATETIMES = 0x0401,
  LNITEMTYPE_TEXT = 0x0501,
  LNITEMTYPE_FORMULA = 0x0600,
  LNITEMTYPE_ANY = 0xFFFFFFFF,  // as a filter: every item
};

// Rich-text element types a cursor walks.
enum LNRTTYPE : std::uint32_t {
  LNRTTYPE_TEXT = 7,
  LNRTTYPE_ATTACHMENT = 23,
  LNRTTYPE_FORM_FIELD = 44,
  LNRTTYPE_SUBFORM = 55,
};

// Note types, as LNNote::GetNoteType reports them.
enum LNNOTETYPE : std::uint32_t {
  LNNOTETYPE_UNKNOWN = 0,
  LNNOTETYPE_DOCUMENT = 0x0001,
  LNNOTETYPE_FORM = 0x0004,
  LNNOTETYPE_VIEW = 0x0008,
  LNNOTETYPE_FOLDER = 0x10008,
  LNNOTETYPE_SUBFORM = 0x20004,
};

// Multi-value separators of a view column.
enum LNVFSEPARATOR : std::uint32_t {
  LNVFSEPARATOR_NONE = 0,
  LNVFSEPARATOR_SPACE = 0x1000,
  LNVFSEPARATOR_COMMA = 0x2000,
  LNVFSEPARATOR_SEMICOLON = 0x3000,
  LNVFSEPARATOR_NEWLINE = 0x4000,
};

// How a form field gets its value.
enum LNCOMPUTEOPTION : std::uint32_t {
  LNCOMPUTEOPTION_EDITABLE = 0,
  LNCOMPUTEOPTION_COMPUTED = 1,
  LNCOMPUTEOPTION_COMPUTED_FOR_DISPLAY = 2,
  LNCOMPUTEOPTION_COMPUTED_WHEN_COMPOSED = 3,
};

// Options of LNStringCompare.
enum LNSTRINGCOMPAREFLAGS : std::uint32_t {
  LNSTRINGCOMPAREFLAGS_DEFAULT = 0,           // character codes, exactly
  LNSTRINGCOMPAREFLAGS_CASE_INSENSITIVE = 1,  // ASCII letters without regard to case
};

namespace host {
struct Access;  // the library's own way into the classes; not for callers
struct ItemData;
struct NoteData;
struct FormulaData;
namespace model {
struct Database;
struct International;
}  // namespace model
}  // namespace host
