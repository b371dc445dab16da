// LNString: the class library's text. UTF-8 inside; every position and length counts characters.
#pragma once

#include <string>

#include "host/lntypes.h"

class LNText;

class LNAPI LNString {
 public:
  LNString() = default;
  // From platform text: NUL-terminated code page 932 (null: empty).
  LNString(const char* platformText);  // NOLINT: implicit, as callers assign texts
  // From `length` bytes of text in the host's character set (UTF-8); invalid sequences become
  // U+FFFD.
  LNString(const char* hostText, LNINT length);

  LNString& operator=(const char* platformText);
  LNString& operator+=(const LNString& text);
  friend LNAPI LNString operator+(const LNString& a, const LNString& b);
  friend bool operator==(const LNString& a, const LNString& b) { return a.text_ == b.text_; }

  // The text in code page 932, NUL-terminated; characters code page 932 cannot hold are "?".
  // Valid until the string changes.
  const char* GetPlatformTextPtr() const;
  // The text in the host's character set (UTF-8), NUL-terminated.
  const char* GetTextPtr() const { return text_.c_str(); }

  LNINT GetLength() const;  // in characters
  bool IsNull() const { return text_.empty(); }

  // Position of the first occurrence of `text` at or after `start`: 0 and *position, or
  // host::kNotFound (never thrown).
  LNSTATUS Find(const LNString& text, LNINT start, LNINT* position) const;
  // The same for one ASCII character.
  LNSTATUS FindChar(LNCHAR character, LNINT start, LNINT* position) const;

  // Overwrites `count` characters at `position` with `text` (extending the string when `text`
  // reaches past its end).
  LNSTATUS Replace(LNINT position, LNINT count, const LNString& text);
  LNSTATUS Delete(LNINT position, LNINT count);
  LNSTATUS Insert(LNINT position, const LNString& text);
  LNSTATUS Append(const LNString& text);
  // Up to `count` characters from `position` (fewer at the end of the string).
  LNString GetSubString(LNINT position, LNINT count) const;
  // The pieces between any of the characters of `separators`, empty pieces left out.
  LNSTATUS Parse(const LNString& separators, LNText* pieces) const;

 private:
  void Changed() { platformValid_ = false; }

  std::string text_;  // UTF-8
  mutable std::string platform_;  // code page 932, unless platformIsText_
  mutable bool platformValid_ = false;
  mutable bool platformIsText_ = false;  // ASCII only: text_ is the platform text too
  friend struct host::Access;
};

// Compares two texts: negative, 0 or positive. `options` is an LNSTRINGCOMPAREFLAGS value.
LNAPI LNINT LNStringCompare(const LNString& a, const LNString& b, std::uint32_t options);
