#include "settings/settings_records.h"

#include <platform/files.h>
#include <platform/profile.h>

#include <array>
#include <string>
#include <utility>

namespace settings {
namespace {

// One key of a record: its field, default and accepted range.
template <class Options>
struct Key {
  const char* name;
  std::int32_t Options::*field;
  std::int32_t defaultValue;
  std::int32_t min;
  std::int32_t max;
};

// In the order the keys are read and written.
constexpr std::array<Key<CsvOptions>, 10> kCsvKeys{{
    {"OutputDocument", &CsvOptions::OutputDocument, 1, 0, 1},
    {"OutputColumn", &CsvOptions::OutputColumn, 0, 0, 1},
    {"OutputHeader", &CsvOptions::OutputHeader, 1, 0, 1},
    {"ColumnFormat", &CsvOptions::ColumnFormat, 0, 0, 1},
    {"ListSeparater", &CsvOptions::ListSeparater, 0, 0, 6},
    {"CSVFormatMode", &CsvOptions::CSVFormatMode, 0, 0, 2},
    {"ColumnSeparater", &CsvOptions::ColumnSeparater, 0, 0, 1},
    {"ColumnQuote", &CsvOptions::ColumnQuote, 0, 0, 2},
    {"AltSeparater", &CsvOptions::AltSeparater, 0, 0, 5},
    {"AltCrlf", &CsvOptions::AltCrlf, 0, 0, 2},
}};

constexpr std::array<Key<XmlOptions>, 10> kXmlKeys{{
    {"OutputDocument", &XmlOptions::OutputDocument, 1, 0, 1},
    {"OutputColumn", &XmlOptions::OutputColumn, 0, 0, 1},
    {"ItemAll", &XmlOptions::ItemAll, 0, 0, 1},
    {"FieldAll", &XmlOptions::FieldAll, 0, 0, 1},
    {"AttachFile", &XmlOptions::AttachFile, 0, 0, 1},
    {"OutputNoteid", &XmlOptions::OutputNoteid, 0, 0, 1},
    {"OutputType", &XmlOptions::OutputType, 0, 0, 1},
    {"ColumnFormat", &XmlOptions::ColumnFormat, 0, 0, 1},
    {"ListSeparater", &XmlOptions::ListSeparater, 0, 0, 6},
    {"XmlEncode", &XmlOptions::XmlEncode, 0, 0, 1},
}};

template <class Options, std::size_t N>
Options Load(const std::array<Key<Options>, N>& keys, const char* section, std::string notesIni) {
  Options options;
  options.notesIni = std::move(notesIni);
  for (const auto& key : keys) options.*key.field = key.defaultValue;
  for (const auto& key : keys) {
    options.*key.field = LoadSetting(options.notesIni, section, key.name, key.defaultValue, key.min, key.max);
  }
  return options;
}

template <class Options, std::size_t N>
bool Store(const std::array<Key<Options>, N>& keys, const char* section, const Options& options) {
  if (options.notesIni.empty()) return false;
  std::array<std::string, N> values;
  std::array<platform::ProfileChange, N> changes;
  for (std::size_t i = 0; i < N; ++i) {
    values[i] = std::to_string(options.*keys[i].field);
    changes[i] = {section, keys[i].name, values[i].c_str()};
  }
  return platform::WritePrivateProfileChanges(changes, options.notesIni.c_str());
}

}  // namespace

std::int32_t LoadSetting(const std::string& notesIni, const char* section, const char* key, std::int32_t current,
                         std::int32_t min, std::int32_t max) {
  if (notesIni.empty()) return current;
  const auto value = static_cast<std::int32_t>(platform::GetPrivateProfileInt(section, key, current, notesIni.c_str()));
  return value < min || value > max ? current : value;
}

bool StoreSetting(const std::string& notesIni, const char* section, const char* key, std::int32_t value) {
  if (notesIni.empty()) return false;
  return platform::WritePrivateProfileString(section, key, std::to_string(value).c_str(), notesIni.c_str());
}

CsvOptions LoadCsvOptions(std::string notesIni) { return Load(kCsvKeys, kCsvSection, std::move(notesIni)); }
XmlOptions LoadXmlOptions(std::string notesIni) { return Load(kXmlKeys, kXmlSection, std::move(notesIni)); }

bool StoreCsvOptions(const CsvOptions& options) { return Store(kCsvKeys, kCsvSection, options); }
bool StoreXmlOptions(const XmlOptions& options) { return Store(kXmlKeys, kXmlSection, options); }

void ApplyFormatPreset(CsvOptions& options) {
  switch (options.CSVFormatMode) {
    case 0:
      options.ColumnSeparater = 0;
      options.ColumnQuote = 0;
      options.AltSeparater = 0;
      options.AltCrlf = 0;
      break;
    case 1:
      options.ColumnSeparater = 0;
      options.ColumnQuote = 2;
      options.AltSeparater = 1;
      options.AltCrlf = 1;
      break;
    default:
      break;
  }
}

}  // namespace settings
