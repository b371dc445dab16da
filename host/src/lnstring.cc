#include "host/lnstring.h"

#include <algorithm>

#include "access.h"
#include "errors.h"
#include "platform/cp932.h"
#include "utf8.h"

namespace {

using host::utf8::Offset;

// The byte offset of character `position`, or kErrInvalidArgument when it lies beyond the end.
std::size_t OffsetOf(const std::string& text, LNINT position) {
  if (position < 0) host::Raise(host::kErrInvalidArgument);
  const std::size_t offset = Offset(text, static_cast<std::size_t>(position));
  if (offset == std::string::npos) host::Raise(host::kErrInvalidArgument);
  return offset;
}

// The byte length of up to `count` characters from `offset`.
std::size_t SpanOf(const std::string& text, std::size_t offset, LNINT count) {
  if (count < 0) host::Raise(host::kErrInvalidArgument);
  const std::string_view rest = std::string_view(text).substr(offset);
  const std::size_t span = Offset(rest, static_cast<std::size_t>(count));
  return span == std::string::npos ? rest.size() : span;
}

}  // namespace

LNString::LNString(const char* platformText)
    : text_(platformText ? platform::Cp932ToUtf8(platformText) : std::string()) {}

LNString::LNString(const char* hostText, LNINT length)
    : text_(hostText && length > 0 ? host::utf8::Sanitize(std::string_view(hostText, static_cast<std::size_t>(length)))
                                   : std::string()) {}

LNString& LNString::operator=(const char* platformText) {
  text_ = platformText ? platform::Cp932ToUtf8(platformText) : std::string();
  Changed();
  return *this;
}

LNString& LNString::operator+=(const LNString& text) {
  text_ += text.text_;
  Changed();
  return *this;
}

LNString operator+(const LNString& a, const LNString& b) {
  LNString sum = a;
  sum += b;
  return sum;
}

const char* LNString::GetPlatformTextPtr() const {
  if (!platformValid_) {
    // ASCII text is the same bytes in both character sets and needs no copy.
    platformIsText_ = std::all_of(text_.begin(), text_.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    platform_ = platformIsText_ ? std::string() : platform::Utf8ToCp932(text_);
    platformValid_ = true;
  }
  return platformIsText_ ? text_.c_str() : platform_.c_str();
}

LNINT LNString::GetLength() const { return static_cast<LNINT>(host::utf8::Length(text_)); }

LNSTATUS LNString::Find(const LNString& text, LNINT start, LNINT* position) const {
  // An empty text is never found: a search for it would never move on.
  if (text.text_.empty() || start < 0) return host::kNotFound;
  const std::size_t from = Offset(text_, static_cast<std::size_t>(start));
  if (from == std::string::npos) return host::kNotFound;
  // Valid UTF-8 never matches in the middle of a character.
  const std::size_t at = text_.find(text.text_, from);
  if (at == std::string::npos) return host::kNotFound;
  if (position) *position = static_cast<LNINT>(host::utf8::Index(text_, at));
  return host::kNoError;
}

LNSTATUS LNString::FindChar(LNCHAR character, LNINT start, LNINT* position) const {
  if (static_cast<unsigned char>(character) >= 0x80 || character == '\0') return host::kNotFound;
  return Find(host::Access::String(std::string(1, character)), start, position);
}

LNSTATUS LNString::Replace(LNINT position, LNINT count, const LNString& text) {
  return host::Guard([&] {
    const std::size_t at = OffsetOf(text_, position);
    text_.replace(at, SpanOf(text_, at, count), text.text_);
    Changed();
  });
}

LNSTATUS LNString::Delete(LNINT position, LNINT count) {
  return host::Guard([&] {
    const std::size_t at = OffsetOf(text_, position);
    text_.erase(at, SpanOf(text_, at, count));
    Changed();
  });
}

LNSTATUS LNString::Insert(LNINT position, const LNString& text) {
  return host::Guard([&] {
    text_.insert(OffsetOf(text_, position), text.text_);
    Changed();
  });
}

LNSTATUS LNString::Append(const LNString& text) {
  *this += text;
  return host::kNoError;
}

LNString LNString::GetSubString(LNINT position, LNINT count) const {
  if (position < 0 || count <= 0) return LNString();
  const std::size_t at = Offset(text_, static_cast<std::size_t>(position));
  if (at == std::string::npos) return LNString();
  return host::Access::String(text_.substr(at, SpanOf(text_, at, count)));
}

LNSTATUS LNString::Parse(const LNString& separators, LNText* pieces) const {
  return host::Guard([&] {
    if (!pieces) host::Raise(host::kErrInvalidArgument);
    LNText result;
    const std::string& seps = separators.text_;
    auto isSeparator = [&](std::string_view ch) {
      for (std::size_t i = 0; i < seps.size(); i += host::utf8::CharWidth(seps, i))
        if (std::string_view(seps).substr(i, host::utf8::CharWidth(seps, i)) == ch) return true;
      return false;
    };
    std::string piece;
    for (std::size_t i = 0; i < text_.size();) {
      const std::size_t width = host::utf8::CharWidth(text_, i);
      const std::string_view ch = std::string_view(text_).substr(i, width);
      if (isSeparator(ch)) {
        if (!piece.empty()) result.Insert(result.GetCount(), host::Access::String(std::move(piece)));
        piece.clear();
      } else {
        piece.append(ch);
      }
      i += width;
    }
    if (!piece.empty()) result.Insert(result.GetCount(), host::Access::String(std::move(piece)));
    *pieces = result;
  });
}

LNINT LNStringCompare(const LNString& a, const LNString& b, std::uint32_t options) {
  const std::string& x = host::Access::Text(a);
  const std::string& y = host::Access::Text(b);
  auto fold = [options](unsigned char c) -> unsigned char {
    return (options & LNSTRINGCOMPAREFLAGS_CASE_INSENSITIVE) ? static_cast<unsigned char>(platform::AsciiLower(c)) : c;
  };
  const std::size_t n = std::min(x.size(), y.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char cx = fold(static_cast<unsigned char>(x[i]));
    const unsigned char cy = fold(static_cast<unsigned char>(y[i]));
    if (cx != cy) return cx < cy ? -1 : 1;
  }
  return x.size() == y.size() ? 0 : x.size() < y.size() ? -1 : 1;
}
