// Item values to text: the one rule every value of the output goes through.
#include "columns/value_text.h"

#include <cstdio>
#include <string_view>

#include "columns/column_spec.h"
#include "columns/host_call.h"
#include "platform/cp932.h"

const std::string& UnsupportedTypeMarker() {
  static const std::string marker = platform::Utf8ToCp932("ERROR : サポートしていないデータ形式です。");
  return marker;
}

std::string HostErrorMarker(LNSTATUS status) {
  char hostText[512] = {};
  LNGetErrorMessageText(status, hostText, sizeof hostText, 0);
  char code[16];
  std::snprintf(code, sizeof code, "%X", static_cast<unsigned>(status));
  std::string marker = "ERROR : [";
  marker += code;
  marker += ']';
  marker += hostText;
  return marker;
}

const std::string& UnknownErrorMarker() {
  static const std::string marker = platform::Utf8ToCp932("ERROR : 不明なエラー(...)が発生しました。");
  return marker;
}

namespace {

void AppendRichText(std::string& text, const LNRichText& richText) {
  LNRTCursor cursor;
  ThrowIfFailed(richText.GetCursor(&cursor));
  LNRTObject object;
  for (LNSTATUS status = cursor.GotoFirst(LNRTTYPE_TEXT, &object); status != host::kNotFound;
       status = cursor.GotoNext(LNRTTYPE_TEXT, &object)) {
    ThrowIfFailed(status);
    text += object.GetText().GetPlatformTextPtr();
  }
}

void AppendNumbers(std::string& text, const LNNumbers& numbers, const LNNumberFormat& format,
                   const LNNotesSession* session, std::string_view separator) {
  const LNINT count = numbers.GetCount();
  for (LNINT i = 0; i < count; ++i) {
    if (i > 0) text += separator;
    const LNNumber number = numbers[i];
    LNString rendered;
    if (session) {
      ThrowIfFailed(number.GetText(format, session->GetInternational(), &rendered));
    } else {
      ThrowIfFailed(number.GetText(&rendered));
    }
    text += rendered.GetPlatformTextPtr();
  }
}

void AppendDatetimes(std::string& text, const LNDatetimes& datetimes, const LNDatetimeFormat& format,
                     const LNNotesSession* session, std::string_view separator) {
  const LNINT count = datetimes.GetCount();
  for (LNINT i = 0; i < count; ++i) {
    if (i > 0) text += separator;
    const LNDatetime datetime = datetimes[i];
    LNString rendered;
    if (session) {
      ThrowIfFailed(datetime.GetText(format, session->GetInternational(), &rendered));
    } else {
      ThrowIfFailed(datetime.GetText(&rendered));
    }
    text += rendered.GetPlatformTextPtr();
  }
}

void AppendTexts(std::string& text, const LNText& texts, std::string_view separator) {
  const LNINT count = texts.GetCount();
  for (LNINT i = 0; i < count; ++i) {
    if (i > 0) text += separator;
    text += texts[i].GetPlatformTextPtr();
  }
}

}  // namespace

std::string ColumnSpec::ValueToText(const LNItem& item, const LNNotesSession* session,
                                    const char* listSeparator) const {
  std::string text;
  ValueToText(item, session, listSeparator, text);
  return text;
}

void ColumnSpec::ValueToText(const LNItem& item, const LNNotesSession* session, const char* listSeparator,
                             std::string& text) const {
  if (item.IsNull()) {
    text.clear();
    return;
  }
  const std::string_view separator = listSeparator ? listSeparator : GetDesignSeparator();
  RenderOrMark(text, [&](std::string& out) {
    switch (item.GetType()) {
      case LNITEMTYPE_RICHTEXT:
        AppendRichText(out, LNRichText(item));
        break;
      case LNITEMTYPE_NUMBERS:
        AppendNumbers(out, LNNumbers(item), numberFormat, session, separator);
        break;
      case LNITEMTYPE_DATETIMES:
        AppendDatetimes(out, LNDatetimes(item), datetimeFormat, session, separator);
        break;
      case LNITEMTYPE_TEXT:
        AppendTexts(out, LNText(item), separator);
        break;
      default:
        out = UnsupportedTypeMarker();
        break;
    }
  });
}

const char* ColumnSpec::GetDesignSeparator() const {
  switch (designSeparator) {
    case LNVFSEPARATOR_SPACE:
      return " ";
    case LNVFSEPARATOR_COMMA:
      return ",";
    case LNVFSEPARATOR_SEMICOLON:
      return ";";
    case LNVFSEPARATOR_NEWLINE:
      return "\n";
    default:
      return "";
  }
}
