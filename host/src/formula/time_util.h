// Date/time arithmetic and date/time text of the formula engine.
//
// Internal to the formula engine.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model.h"

namespace host::formula {

inline constexpr std::int64_t kHundredthsPerDay = 24LL * 60 * 60 * 100;

// The order of two date/times by instant (a value with a date and a time is compared in UTC; a
// date alone counts from its own midnight, a time alone from midnight of no day): <0, 0, >0.
int CompareTimes(const model::DateTime& a, const model::DateTime& b);
// a − b in seconds.
double SecondsBetween(const model::DateTime& a, const model::DateTime& b);
// `value` moved by `seconds`, in its own zone. A date alone moves by whole days; a time alone
// wraps around midnight. nullopt when the result lies beyond 200,000 years from 1970.
std::optional<model::DateTime> AddSeconds(const model::DateTime& value, double seconds);
// @Adjust: the later units first, as the reference's examples show: seconds, minutes and hours
// (on a value with a time), then days, then months, then years; a day past the end of a month runs
// into the next one. Nothing when the result leaves the range of dates.
std::optional<model::DateTime> Adjust(const model::DateTime& value, int years, int months, int days, int hours,
                                      int minutes, int seconds);

// The date/time `text` names: "2026/12/10", "2026/12/10 17:30:00", "12/10/26", "17:30", "5:30 PM",
// "Today", "Yesterday", "Tomorrow". A date whose first part has four digits is year first; other
// dates are read in `order`. The value is in `now`'s zone; nullopt when `text` is no date/time.
std::optional<model::DateTime> ParseDateTime(std::string_view text, model::International::DateOrder order,
                                             const model::DateTime& now);

}  // namespace host::formula
