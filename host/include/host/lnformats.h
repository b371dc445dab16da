// Number and date/time formats of view columns, and the session's international settings.
#pragma once

#include <memory>

#include "host/lntypes.h"

enum LNNUMBERFORMATSTYLE : std::uint32_t {
  LNNUMBERFORMATSTYLE_GENERAL = 0,
  LNNUMBERFORMATSTYLE_FIXED = 1,
  LNNUMBERFORMATSTYLE_SCIENTIFIC = 2,
  LNNUMBERFORMATSTYLE_CURRENCY = 3,
};

// A number format; the default is general.
class LNAPI LNNumberFormat {
 public:
  LNNUMBERFORMATSTYLE GetStyle() const { return style_; }
  void SetStyle(LNNUMBERFORMATSTYLE style) { style_ = style; }
  LNINT GetDigits() const { return digits_; }
  void SetDigits(LNINT digits) { digits_ = digits < 0 ? 0 : digits > 15 ? 15 : digits; }  // 0-15
  LNBOOL GetPunctuated() const { return punctuated_; }
  void SetPunctuated(LNBOOL on) { punctuated_ = on ? TRUE : FALSE; }
  LNBOOL GetParentheses() const { return parens_; }
  void SetParentheses(LNBOOL on) { parens_ = on ? TRUE : FALSE; }
  LNBOOL GetPercent() const { return percent_; }
  void SetPercent(LNBOOL on) { percent_ = on ? TRUE : FALSE; }

 private:
  LNNUMBERFORMATSTYLE style_ = LNNUMBERFORMATSTYLE_GENERAL;
  LNINT digits_ = 0;
  LNBOOL punctuated_ = FALSE, parens_ = FALSE, percent_ = FALSE;
};

enum LNDATETIMESHOW : std::uint32_t {
  LNDATETIMESHOW_DATE = 0,
  LNDATETIMESHOW_TIME = 1,
  LNDATETIMESHOW_DATETIME = 2,
};

// Which parts of the date are shown.
enum LNDATEPARTS : std::uint32_t {
  LNDATEPARTS_YEARMONTHDAY = 0,
  LNDATEPARTS_MONTHDAY,
  LNDATEPARTS_YEARMONTH,
  LNDATEPARTS_YEAR,
  LNDATEPARTS_MONTH,
  LNDATEPARTS_DAY,
  LNDATEPARTS_WEEKDAYMONTHDAYYEAR,
  LNDATEPARTS_WEEKDAYMONTHDAY,
  LNDATEPARTS_WEEKDAY,
};

// Which parts of the time are shown.
enum LNTIMEPARTS : std::uint32_t {
  LNTIMEPARTS_HOURMINUTESECONDHUNDREDTHS = 0,
  LNTIMEPARTS_HOURMINUTESECOND,
  LNTIMEPARTS_HOURMINUTE,
  LNTIMEPARTS_HOUR,
};

// When the time zone is shown.
enum LNZONESHOW : std::uint32_t {
  LNZONESHOW_NEVER = 0,
  LNZONESHOW_SOMETIMES,
  LNZONESHOW_ALWAYS,
};

// A date/time format; the default shows date and time, year month day and hours minutes seconds,
// no zone, a four-digit year and the 24-hour clock.
class LNAPI LNDatetimeFormat {
 public:
  LNDATETIMESHOW GetShow() const { return show_; }
  void SetShow(LNDATETIMESHOW show) { show_ = show; }
  LNDATEPARTS GetDateParts() const { return date_; }
  void SetDateParts(LNDATEPARTS parts) { date_ = parts; }
  LNTIMEPARTS GetTimeParts() const { return time_; }
  void SetTimeParts(LNTIMEPARTS parts) { time_ = parts; }
  LNZONESHOW GetZoneShow() const { return zone_; }
  void SetZoneShow(LNZONESHOW zone) { zone_ = zone; }
  LNBOOL GetFourDigitYear() const { return fourDigitYear_; }
  void SetFourDigitYear(LNBOOL on) { fourDigitYear_ = on ? TRUE : FALSE; }
  LNBOOL Get24HourClock() const { return clock24_; }
  void Set24HourClock(LNBOOL on) { clock24_ = on ? TRUE : FALSE; }

 private:
  LNDATETIMESHOW show_ = LNDATETIMESHOW_DATETIME;
  LNDATEPARTS date_ = LNDATEPARTS_YEARMONTHDAY;
  LNTIMEPARTS time_ = LNTIMEPARTS_HOURMINUTESECOND;
  LNZONESHOW zone_ = LNZONESHOW_NEVER;
  LNBOOL fourDigitYear_ = TRUE, clock24_ = TRUE;
};

// The international settings numbers and date/times are rendered with; a default-constructed one
// holds a Japanese client's (year/month/day with "/", ":" between time parts, 24-hour clock,
// decimal ".", thousands ",", currency "￥" before the number).
class LNAPI LNInternational {
 public:
  LNInternational();

 private:
  std::shared_ptr<const host::model::International> settings_;
  friend struct host::Access;
};
