// The switches typed behind the file name ("list.csv /X /H /S1"), and the two runs' tables of them.
#pragma once

#include <cstdint>
#include <span>

#include "host/lnstring.h"
#include "settings/settings_records.h"

enum class SwitchForm {
  LetterOnly,  // "/H"
  Numbered,    // "/S1": the letter and a decimal number from 0 to the switch's maximum
};

template <class Options>
struct Switch {
  char letter;  // upper case, compared exactly
  SwitchForm form;
  std::uint32_t max;                // Numbered: the largest value accepted
  std::int32_t Options::*setting;   // set to the number, or 1 for a letter-only switch; null: none
  bool hidesSheet = false;          // the switch X: run without the option sheet
};

// What the switches of one run say: every setting 0 unless a switch set it.
template <class Options>
struct SwitchSettings {
  bool showSheet = true;
  Options options{};
};

// Reads the switch text that SplitTargetName gives. Blanks are ignored; each item between two
// backslashes is a letter, optionally followed by a number (anything after the number is
// ignored). Each item the table does not accept is shown as "パラメータ(/%s)は正しくありません。"
// and skipped. A later item overrides an earlier one.
SwitchSettings<settings::CsvOptions> ParseSwitches(const LNString& switchText,
                                                   std::span<const Switch<settings::CsvOptions>> table);
SwitchSettings<settings::XmlOptions> ParseSwitches(const LNString& switchText,
                                                   std::span<const Switch<settings::XmlOptions>> table);

// The switches of the CSV run. M and V are accepted and change nothing.
inline constexpr Switch<settings::CsvOptions> kCsvSwitches[] = {
    {'X', SwitchForm::LetterOnly, 0, nullptr, true},
    {'H', SwitchForm::LetterOnly, 0, &settings::CsvOptions::OutputHeader},
    {'D', SwitchForm::Numbered, 1, &settings::CsvOptions::OutputDocument},
    {'F', SwitchForm::Numbered, 1, &settings::CsvOptions::ColumnFormat},
    {'L', SwitchForm::Numbered, 6, &settings::CsvOptions::ListSeparater},
    {'M', SwitchForm::Numbered, 2, nullptr},
    {'P', SwitchForm::Numbered, 5, &settings::CsvOptions::AltSeparater},
    {'Q', SwitchForm::Numbered, 2, &settings::CsvOptions::ColumnQuote},
    {'R', SwitchForm::Numbered, 2, &settings::CsvOptions::AltCrlf},
    {'S', SwitchForm::Numbered, 1, &settings::CsvOptions::ColumnSeparater},
    {'V', SwitchForm::Numbered, 1, nullptr},
};

// The switches of the XML run. V is accepted and changes nothing.
inline constexpr Switch<settings::XmlOptions> kXmlSwitches[] = {
    {'X', SwitchForm::LetterOnly, 0, nullptr, true},
    {'C', SwitchForm::LetterOnly, 0, &settings::XmlOptions::FieldAll},
    {'I', SwitchForm::LetterOnly, 0, &settings::XmlOptions::ItemAll},
    {'N', SwitchForm::LetterOnly, 0, &settings::XmlOptions::OutputNoteid},
    {'P', SwitchForm::LetterOnly, 0, &settings::XmlOptions::AttachFile},
    {'T', SwitchForm::LetterOnly, 0, &settings::XmlOptions::OutputType},
    {'D', SwitchForm::Numbered, 1, &settings::XmlOptions::OutputDocument},
    {'E', SwitchForm::Numbered, 1, &settings::XmlOptions::XmlEncode},
    {'F', SwitchForm::Numbered, 1, &settings::XmlOptions::ColumnFormat},
    {'L', SwitchForm::Numbered, 6, &settings::XmlOptions::ListSeparater},
    {'V', SwitchForm::Numbered, 1, nullptr},
};
