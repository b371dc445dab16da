// The host's text forms of numbers and date/times: the plain form (no format given), the form a
// view column's format asks for, and the forms @Text's format strings ask for. All text is UTF-8.
//
// Internal to the host library.
#pragma once

#include <string>
#include <string_view>

#include "model.h"

namespace host {

// General format: at most 15 significant digits, no trailing zeros, scientific notation
// ("1.5E+16", "1E-16") when the decimal exponent is below -15 or above 15.
// The decimal symbol is the international one. NaN and infinities give "ERROR".
std::string PlainNumber(double value, const model::International& international);

// A number as a view column shows it: general, fixed or scientific with `digits` decimals, or
// currency (the international symbol before or after); thousands separators when punctuated,
// "(1.5)" instead of "-1.5" when `parens`, the value ×100 followed by "%" when `percent`.
std::string FormatNumber(double value, const model::NumberFormat& format,
                         const model::International& international);

// "2026/12/10 08:45:52", "2026/12/10" (date only) or "08:45:52" (time only), in the value's own
// zone, with the international date order, separators and clock. A value with neither part is "".
std::string PlainDateTime(const model::DateTime& value, const model::International& international);

// A date/time as a view column shows it: the parts `format.show` names, the date parts of
// `format.date`, the time parts of `format.time`, and the zone ("JST", "ZE5", ...) when
// `format.zone` is Always, or Sometimes and the value's zone is not the local one.
std::string FormatDateTime(const model::DateTime& value, const model::DatetimeFormat& format,
                           const model::International& international);

// @Text of a number with a format string: any of "G" (general), "F" (fixed), "S" (scientific),
// "C" (currency), "," (thousands separators), "%" (percent), "()" (parentheses for negatives),
// and a count of decimals ("F2", "C,0"). An empty format is the plain form.
std::string TextOfNumber(double value, std::string_view format,
                         const model::International& international);

// @Text of a date/time with a format string of D0-D3 (year month day, month day with the year
// only when not this year, month day, year month), T0-T1 (with or without seconds), Z0-Z2
// (convert to the local zone, show the zone when not local, always show it) and S0-S3 (date only,
// time only, both, both with "Today"/"Yesterday" for the date). `now` is the current time
// (this year, today, the local zone). An empty format is the plain form.
std::string TextOfDateTime(const model::DateTime& value, std::string_view format,
                           const model::DateTime& now, const model::International& international);

// The platform's short name of a zone offset: "GMT", "JST", "EST", "EDT", ... or, for an offset
// without one, "ZE5" / "ZW3" (hours east or west) with ":30"-style minutes when not whole.
std::string ZoneName(int zoneMinutes, bool dst);

}  // namespace host
