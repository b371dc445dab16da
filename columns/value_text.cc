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

// How the host's texts become the rendered text: platform text, or UTF-8.
struct PlatformText {
  static const char* Of(const LNString& text) { return text.GetPlatformTextPtr(); }
  static std::string_view Of(std::string_view platformText) { return platformText; }
  static constexpr std::string (*kMarkerText)(std::string_view) = nullptr;
};
struct Utf8Text {
  static const char* Of(const LNString& text) { return text.GetTextPtr(); }
  static std::string Of(std::string_view platformText) { return platform::Cp932ToUtf8(platformText); }
  static constexpr std::string (*kMarkerText)(std::string_view) = platform::Cp932ToUtf8;
};

template <class Form>
void AppendRichText(std::string& text, const LNRichText& richText) {
  LNRTCursor cursor;
  ThrowIfFailed(richText.GetCursor(&cursor));
  LNRTObject object;
  for (LNSTATUS status = cursor.GotoFirst(LNRTTYPE_TEXT, &object); status != host::kNotFound;
       status = cursor.GotoNext(LNRTTYPE_TEXT, &object)) {
    ThrowIfFailed(status);
    text += Form::Of(object.GetText());
  }
}

template <class Form>
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
    text += Form::Of(rendered);
  }
}

template <class Form>
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
    text += Form::Of(rendered);
  }
}

template <class Form>
void AppendTexts(std::string& text, const LNText& texts, std::string_view separator) {
  const LNINT count = texts.GetCount();
  for (LNINT i = 0; i < count; ++i) {
    if (i > 0) text += separator;
    text += Form::Of(texts[i]);
  }
}

// The rule of ValueToText, with the host's texts and the markers in `Form`.
template <class Form>
void Render(const ColumnSpec& spec, const LNItem& item, const LNNotesSession* session, const char* listSeparator,
            std::string& text) {
  if (item.IsNull()) {
    text.clear();
    return;
  }
  const auto separator = Form::Of(std::string_view(listSeparator ? listSeparator : spec.GetDesignSeparator()));
  RenderOrMark(
      text,
      [&](std::string& out) {
        switch (item.GetType()) {
          case LNITEMTYPE_RICHTEXT:
            AppendRichText<Form>(out, LNRichText(item));
            break;
          case LNITEMTYPE_NUMBERS:
            AppendNumbers<Form>(out, LNNumbers(item), spec.numberFormat, session, separator);
            break;
          case LNITEMTYPE_DATETIMES:
            AppendDatetimes<Form>(out, LNDatetimes(item), spec.datetimeFormat, session, separator);
            break;
          case LNITEMTYPE_TEXT:
            AppendTexts<Form>(out, LNText(item), separator);
            break;
          default:
            out = Form::Of(std::string_view(UnsupportedTypeMarker()));
            break;
        }
      },
      Form::kMarkerText);
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
  Render<PlatformText>(*this, item, session, listSeparator, text);
}

std::string ColumnSpec::ValueToUtf8(const LNItem& item, const LNNotesSession* session,
                                    const char* listSeparator) const {
  std::string text;
  Render<Utf8Text>(*this, item, session, listSeparator, text);
  return text;
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
