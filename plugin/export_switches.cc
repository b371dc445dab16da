#include "plugin/export_switches.h"

#include <platform/cp932.h>

#include <cctype>
#include <optional>
#include <string>

#include "messages/app_messages.h"
#include "plugin/replace_all.h"

namespace {

// An item read as "%c%d" reads it: the letter, and the number when one follows it.
struct SwitchItem {
  char letter;
  std::optional<std::int64_t> number;  // saturated far beyond any switch's maximum
};

std::optional<SwitchItem> ReadItem(const std::string& item) {
  if (item.empty()) return std::nullopt;
  SwitchItem read{item[0], std::nullopt};
  std::size_t at = 1;
  while (at < item.size() && std::isspace(static_cast<unsigned char>(item[at]))) ++at;
  bool negative = false;
  if (at < item.size() && (item[at] == '+' || item[at] == '-')) negative = item[at++] == '-';
  if (at == item.size() || !std::isdigit(static_cast<unsigned char>(item[at]))) return read;
  std::int64_t value = 0;
  for (; at < item.size() && std::isdigit(static_cast<unsigned char>(item[at])); ++at) {
    value = value > (std::int64_t{1} << 40) ? value : value * 10 + (item[at] - '0');
  }
  read.number = negative ? -value : value;
  return read;
}

template <class Options>
bool Apply(const SwitchItem& item, std::span<const Switch<Options>> table, SwitchSettings<Options>& settings) {
  for (const Switch<Options>& entry : table) {
    if (entry.letter != item.letter) continue;
    if (!item.number) {
      if (entry.form != SwitchForm::LetterOnly) return false;
      if (entry.hidesSheet) settings.showSheet = false;
      if (entry.setting) settings.options.*entry.setting = 1;
      return true;
    }
    if (entry.form != SwitchForm::Numbered || *item.number < 0 || *item.number > entry.max) return false;
    if (entry.setting) settings.options.*entry.setting = static_cast<std::int32_t>(*item.number);
    return true;
  }
  return false;
}

template <class Options>
SwitchSettings<Options> Parse(const LNString& switchText, std::span<const Switch<Options>> table) {
  LNString text = switchText;
  ReplaceAll(text, " ", "");

  SwitchSettings<Options> settings;
  LNINT start = 1;  // past the backslash the switch text begins with
  LNINT end = 0;
  while (text.FindChar('\\', start, &end) == host::kNoError) {
    const std::string item = text.GetSubString(start, end - start).GetPlatformTextPtr();
    const std::optional<SwitchItem> read = ReadItem(item);
    if (!read || !Apply(*read, table, settings)) {
      ShowAppMessage(platform::Utf8ToCp932("パラメータ(/") + item + platform::Utf8ToCp932(")は正しくありません。"));
    }
    start = end + 1;
  }
  return settings;
}

}  // namespace

SwitchSettings<settings::CsvOptions> ParseSwitches(const LNString& switchText,
                                                   std::span<const Switch<settings::CsvOptions>> table) {
  return Parse(switchText, table);
}

SwitchSettings<settings::XmlOptions> ParseSwitches(const LNString& switchText,
                                                   std::span<const Switch<settings::XmlOptions>> table) {
  return Parse(switchText, table);
}
