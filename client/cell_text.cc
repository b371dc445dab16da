#include "client/cell_text.h"

#include "client/entry_record.h"

namespace client {
namespace {

std::string NumberText(double number, const ShownColumn& column) {
  if (column.icons) return number == 0 ? "" : std::to_string(static_cast<long long>(number));
  static const LNInternational international;
  LNString text;
  try {
    LNNumber(number).GetText(column.numberFormat, international, &text);
  } catch (STATUS) {  // the class library throws once a plug-in has switched it to
  }
  return text.GetTextPtr();
}

std::string DatetimeText(const std::uint8_t* at, const ShownColumn& column) {
  static const LNInternational international;
  LNString text;
  try {
    LNDatetime(Load<CoreTimeDate>(at)).GetText(column.datetimeFormat, international, &text);
  } catch (STATUS) {  // the class library throws once a plug-in has switched it to
  }
  return text.GetTextPtr();
}

// A number or date/time list: count n, range count m, n elements, m pairs; `size` bytes each.
template <class Render>
std::string ListText(const std::uint8_t* data, std::size_t dataLength, std::size_t size, const char* separator,
                     Render render) {
  if (dataLength < 4) return "";
  const std::size_t singles = Load<std::uint16_t>(data), ranges = Load<std::uint16_t>(data + 2);
  if (4 + (singles + 2 * ranges) * size > dataLength) return "";
  std::string text;
  const std::uint8_t* at = data + 4;
  for (std::size_t i = 0; i < singles + ranges; ++i) {
    if (i > 0) text += separator;
    text += render(at);
    at += size;
    if (i >= singles) {
      text += " - " + render(at);
      at += size;
    }
  }
  return text;
}

// The text between the elements of a list, by the column's separator.
const char* SeparatorText(LNVFSEPARATOR separator) {
  switch (separator) {
    case LNVFSEPARATOR_SPACE: return " ";
    case LNVFSEPARATOR_COMMA: return ",";
    case LNVFSEPARATOR_SEMICOLON: return ";";
    case LNVFSEPARATOR_NEWLINE: return "\n";
    default: return "";
  }
}

}  // namespace

std::string CellText(const std::uint8_t* value, std::size_t length, const ShownColumn& column) {
  if (length < 2) return "";
  const std::uint8_t* data = value + 2;
  const std::size_t dataLength = length - 2;
  const char* separator = SeparatorText(column.separator);
  switch (Load<std::uint16_t>(value)) {
    case kCoreTypeText:
      return std::string(reinterpret_cast<const char*>(data), dataLength);
    case kCoreTypeTextList: {
      if (dataLength < 2) return "";
      std::string text;
      const std::uint16_t count = Load<std::uint16_t>(data);
      for (std::uint16_t i = 0; i < count; ++i) {
        const char* entry = nullptr;
        std::uint16_t entryLength = 0;
        if (CoreGetTextListEntry(data, 0, i, &entry, &entryLength) != 0) break;
        if (i > 0) text += separator;
        text.append(entry, entryLength);
      }
      return text;
    }
    case kCoreTypeNumber:
      return dataLength < 8 ? "" : NumberText(Load<double>(data), column);
    case kCoreTypeNumberList:
      return ListText(data, dataLength, 8, separator,
                      [&](const std::uint8_t* at) { return NumberText(Load<double>(at), column); });
    case kCoreTypeTime:
      return dataLength < 8 ? "" : DatetimeText(data, column);
    case kCoreTypeTimeList:
      return ListText(data, dataLength, 8, separator, [&](const std::uint8_t* at) { return DatetimeText(at, column); });
    default:
      return "";
  }
}

}  // namespace client
