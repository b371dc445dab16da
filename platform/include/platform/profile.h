// Profile functions over INI files such as notes.ini, with the platform's semantics.
//
// Section and key names match without regard to ASCII case, surrounding blanks trimmed; the first
// of two equal sections or keys wins; a value loses its surrounding blanks, then matching quotes.
// Lines starting with ";" are comments. `file` is a platform path. A missing file reads as empty;
// a null section, key or file reads as missing.
#pragma once

#include <cstddef>
#include <span>

#include "platform/api.h"

namespace platform {

// The integer value of a key: blanks, an optional sign and decimal digits, wrapping modulo 2^32.
// A missing key, an empty value, or text that is not a decimal integer gives `defaultValue`.
PLATFORM_API unsigned GetPrivateProfileInt(const char* section, const char* key, int defaultValue,
                                           const char* file);

// Copies the value (or `defaultValue`, null meaning "") into `buffer`, truncated to `size` - 1
// bytes and always terminated when size > 0; returns the number of bytes copied, not counting
// the terminator.
PLATFORM_API std::size_t GetPrivateProfileString(const char* section, const char* key,
                                                 const char* defaultValue, char* buffer, std::size_t size,
                                                 const char* file);

// Sets a key. A null `value` deletes the key (every line of it in the section), a null `key`
// deletes the whole section (its header and every line up to the next section). Every other byte
// of the file is kept: a changed key is rewritten in its place, a new key goes right after the
// last key of its section, a new section at the end of the file, each written line ending in
// CRLF. The file is replaced atomically (a temporary file beside it, renamed over it, keeping its
// permissions); it is created when its directory exists, and left alone when nothing changes.
// Returns false, with the old file untouched, when the file cannot be written or read, when it
// is read-only, or when a name or the value cannot stand on one line (a line break, "=" in the
// key, "]" in the section, an empty key).
PLATFORM_API bool WritePrivateProfileString(const char* section, const char* key, const char* value,
                                            const char* file);

// One change of a profile file, as WritePrivateProfileString takes its arguments.
struct ProfileChange {
  const char* section;
  const char* key;    // null: the whole section goes
  const char* value;  // null: the key goes
};

// Makes `changes` one after another, as WritePrivateProfileString would, in one replacement of
// the file: whoever reads the file, or a process killed at any moment of the write, finds the old
// file or the file with every change made, never some of them. Fails as a single write does, with
// the file untouched, when any change cannot be written.
PLATFORM_API bool WritePrivateProfileChanges(std::span<const ProfileChange> changes, const char* file);

}  // namespace platform
