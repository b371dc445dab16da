// Host statuses: 32-bit unsigned values. 0 is success.
#pragma once

#include <cstdint>

using STATUS = std::uint32_t;

namespace host {

inline constexpr STATUS kNoError = 0;
// Codes of the core and class libraries. Each has a message text (LNGetErrorMessageText).
inline constexpr STATUS kErrFileOpen = 0x0102;          // a file cannot be opened
inline constexpr STATUS kErrInvalidHandle = 0x0103;     // a handle that is not (or no longer) valid
inline constexpr STATUS kErrNoteNotFound = 0x0104;      // no such note, or a deleted one
inline constexpr STATUS kErrNotViewOrFolder = 0x0105;   // the note is not a view or a folder
inline constexpr STATUS kErrBufferOverflow = 0x0106;    // a value or buffer does not fit
inline constexpr STATUS kErrInvalidArgument = 0x0107;   // an argument out of range
inline constexpr STATUS kErrNotOpen = 0x0108;           // the object is not open
inline constexpr STATUS kErrNoSession = 0x0109;         // the session is not initialised
inline constexpr STATUS kErrDatabaseRead = 0x010A;      // a database file cannot be read
inline constexpr STATUS kErrAttachment = 0x010B;        // an attachment cannot be detached
inline constexpr STATUS kErrFileWrite = 0x010C;         // a file cannot be written
inline constexpr STATUS kErrWrongItemType = 0x010D;     // the item is not of the type asked for
inline constexpr STATUS kErrNoSuchItem = 0x010E;        // no item of that name
inline constexpr STATUS kErrListIndex = 0x010F;         // a list entry index out of range
inline constexpr STATUS kErrFormNotFound = 0x0110;      // the document's form is not in the database
inline constexpr STATUS kErrNullObject = 0x0111;        // the object is null (refers to nothing)
inline constexpr STATUS kErrWrongNoteType = 0x0112;     // the note is not of the kind asked for
inline constexpr STATUS kErrFileChanged = 0x0113;       // the database's file changed since it was read
// Formula compilation and evaluation.
inline constexpr STATUS kErrFormulaSyntax = 0x0201;     // syntax error
inline constexpr STATUS kErrFormulaUnknownFunction = 0x0202;
inline constexpr STATUS kErrFormulaArgCount = 0x0203;
inline constexpr STATUS kErrFormulaUnsupported = 0x0204;  // an @function that cannot run here
inline constexpr STATUS kErrFormulaDataType = 0x0205;   // wrong data type for an operator or @function
inline constexpr STATUS kErrFormulaUserError = 0x0206;  // the formula's value is @Error
inline constexpr STATUS kErrFormulaArgument = 0x0207;   // an argument out of range (@Subset with 0 ...)
inline constexpr STATUS kErrFormulaLoopLimit = 0x0208;  // @For / @While ran too long
// A text that Find or FindChar did not find: a result, not an error.
inline constexpr STATUS kNotFound = 0xD0000132;

}  // namespace host
