// Conversions between the environment locale's character set and code page 932.
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <string>

#include "platform/cp932.h"
#include "transcoder.h"

namespace platform {
namespace {

bool IconvKnows(const std::string& codeset) {
  const iconv_t descriptor = iconv_open(codeset.c_str(), "CP932");
  if (descriptor == reinterpret_cast<iconv_t>(-1)) return false;
  iconv_close(descriptor);
  return true;
}

// The codeset of the locale the environment names, whatever the process's own locale is; UTF-8
// for the C locale and for anything iconv does not know.
std::string LocaleCodeset() {
  locale_t locale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) return "UTF-8";
  std::string codeset = nl_langinfo_l(CODESET, locale);
  freelocale(locale);
  if (codeset.empty() || codeset == "ANSI_X3.4-1968" || !IconvKnows(codeset)) return "UTF-8";
  return codeset;
}

bool IsUtf8(const std::string& codeset) { return codeset == "UTF-8" || codeset == "utf8"; }

}  // namespace

std::string LocaleToCp932(std::string_view localeText) {
  const std::string codeset = LocaleCodeset();
  if (IsUtf8(codeset)) return Utf8ToCp932(localeText);
  return Transcoder("CP932", codeset.c_str()).Convert(localeText, "?", SingleByte);
}

std::string Cp932ToLocale(std::string_view cp932) {
  const std::string codeset = LocaleCodeset();
  if (IsUtf8(codeset)) return Cp932ToUtf8(cp932);
  return Transcoder(codeset.c_str(), "CP932").Convert(cp932, "?", Cp932SequenceLength);
}

}  // namespace platform
