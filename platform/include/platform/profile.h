// Profile functions over INI files such as notes.ini, with the platform's semantics.
//
// Section and key names match without regard to ASCII case, surrounding blanks trimmed; the first
// of two equal keys wins; a value in matching quotes loses them. `file` is a platform path.
#pragma once

#include <cstddef>

#include "platform/api.h"

namespace platform {

// The integer value of a key: blanks, an optional sign and decimal digits, wrapping modulo 2^32.
// A missing key, an empty value, or text that is not a decimal integer gives `defaultValue`.
PLATFORM_API unsigned GetPrivateProfileInt(const char* section, const char* key, int defaultValue, const char* file);

// Copies the value (or `defaultValue`, null meaning "") into `buffer`, truncated to `size` - 1
// bytes and always terminated when size > 0; returns the number of bytes copied, not counting
// the terminator.
PLATFORM_API std::size_t GetPrivateProfileString(const char* section, const char* key, const char* defaultValue,
                                                 char* buffer, std::size_t size, const char* file);

// Sets a key. A null `value` deletes the key, a null `key` deletes the whole section. Every other
// byte of the file is kept. The file is replaced atomically (a temporary file beside it, renamed
// over it, keeping its permissions); it is created when its directory exists. Returns false when
// the file cannot be written, and then the old file is untouched.
PLATFORM_API bool WritePrivateProfileString(const char* section, const char* key, const char* value, const char* file);

}  // namespace platform
