// @Now @Today @Yesterday @Tomorrow @Created @Modified @Accessed @Date @Time @Year @Month @Day
// @Hour @Minute @Second @Weekday @Adjust
#include <cmath>

#include "function_support.h"
#include "time_util.h"

namespace host::formula {
namespace {

using model::DateTime;

Val Now(State& state, const Node&) { return Val::Time(state.now()); }

Val DayFromToday(State& state, int days) {
  DateTime day = state.now();
  day.date += days;
  day.time = DateTime::kNoTime;
  return Val::Time(day);
}

Val Today(State& s, const Node&) { return DayFromToday(s, 0); }
Val Yesterday(State& s, const Node&) { return DayFromToday(s, -1); }
Val Tomorrow(State& s, const Node&) { return DayFromToday(s, 1); }

Val NoteTime(const State& state, const std::optional<DateTime> model::Note::*which) {
  const model::Note* note = state.context().document;
  if (!note || !(note->*which)) return Val::Text("");
  return Val::Time(*(note->*which));
}

Val Created(State& s, const Node&) { return NoteTime(s, &model::Note::created); }
Val Modified(State& s, const Node&) { return NoteTime(s, &model::Note::modified); }
// The host keeps no access time: a document was last accessed when it was last modified.
Val Accessed(State& s, const Node&) { return NoteTime(s, &model::Note::modified); }

int IntArg(State& state, const Node& call, std::size_t index) {
  const double n = NumberOf(state, call, index);
  if (!(std::fabs(n) < 1e6)) state.Fail(*call.children[index], kErrFormulaArgument, "@" + call.name + ": a part out of range");
  return static_cast<int>(std::trunc(n));
}

// The date of year, month and day, months and days past their end running into the next.
std::int32_t DateOf(int year, int month, int day) {
  const int monthIndex = year * 12 + month - 1;
  const int y = monthIndex >= 0 ? monthIndex / 12 : (monthIndex - 11) / 12;
  return model::DaysFromCivil(y, static_cast<unsigned>(monthIndex - y * 12 + 1), 1) + day - 1;
}

std::int32_t TimeOf(int hour, int minute, int second) {
  const std::int64_t t = ((static_cast<std::int64_t>(hour) * 60 + minute) * 60 + second) * 100;
  return static_cast<std::int32_t>((t % kHundredthsPerDay + kHundredthsPerDay) % kHundredthsPerDay);
}

Val Date(State& state, const Node& call) {
  if (call.children.size() == 1) {
    Val value = TimeArg(state, call, 0);
    for (DateTime& t : value.times) t.time = DateTime::kNoTime;
    return value;
  }
  DateTime out;
  out.date = DateOf(IntArg(state, call, 0), IntArg(state, call, 1), IntArg(state, call, 2));
  out.zoneMinutes = state.now().zoneMinutes;
  out.dst = state.now().dst;
  return Val::Time(out);
}

Val Time(State& state, const Node& call) {
  if (call.children.size() == 1) {
    Val value = TimeArg(state, call, 0);
    for (DateTime& t : value.times) t.date = DateTime::kNoDate;
    return value;
  }
  DateTime out;
  out.zoneMinutes = state.now().zoneMinutes;
  out.dst = state.now().dst;
  if (call.children.size() == 3) {
    out.time = TimeOf(IntArg(state, call, 0), IntArg(state, call, 1), IntArg(state, call, 2));
  } else {
    out.date = DateOf(IntArg(state, call, 0), IntArg(state, call, 1), IntArg(state, call, 2));
    out.time = 0;
    const auto adjusted = Adjust(out, 0, 0, 0, IntArg(state, call, 3), IntArg(state, call, 4), IntArg(state, call, 5));
    if (!adjusted) state.Fail(call, kErrFormulaArgument, "@Time: the date/time is out of range");
    out = *adjusted;
  }
  return Val::Time(out);
}

enum class Part { Year, Month, Day, Hour, Minute, Second, Weekday };

double PartOf(const DateTime& t, Part part) {
  const bool date = part == Part::Year || part == Part::Month || part == Part::Day || part == Part::Weekday;
  if (date ? !t.HasDate() : !t.HasTime()) return -1;
  if (date) {
    const model::CivilDate c = model::CivilFromDays(t.date);
    switch (part) {
      case Part::Year: return c.year;
      case Part::Month: return c.month;
      case Part::Day: return c.day;
      default: return ((t.date + 4) % 7 + 7) % 7 + 1;  // 1970-01-01 was a Thursday; Sunday is 1
    }
  }
  const int seconds = t.time / 100;
  switch (part) {
    case Part::Hour: return seconds / 3600;
    case Part::Minute: return seconds / 60 % 60;
    default: return seconds % 60;
  }
}

template <Part part>
Val PartFunction(State& state, const Node& call) {
  const Val value = TimeArg(state, call, 0);
  Val out = Val::Numbers({});
  for (const DateTime& t : value.times) out.numbers.push_back(PartOf(t, part));
  return out;
}

Val AdjustFunction(State& state, const Node& call) {
  Val value = TimeArg(state, call, 0);
  int by[6];
  for (std::size_t i = 0; i < 6; ++i) by[i] = IntArg(state, call, i + 1);
  for (DateTime& t : value.times) {
    const auto adjusted = Adjust(t, by[0], by[1], by[2], by[3], by[4], by[5]);
    if (!adjusted) state.Fail(call, kErrFormulaArgument, "@Adjust: the date/time moves out of range");
    t = *adjusted;
  }
  return value;
}

constexpr FunctionInfo kFunctions[] = {
    {"Now", 0, 0, Now},
    {"Today", 0, 0, Today},
    {"Yesterday", 0, 0, Yesterday},
    {"Tomorrow", 0, 0, Tomorrow},
    {"Created", 0, 0, Created},
    {"Modified", 0, 0, Modified},
    {"Accessed", 0, 0, Accessed},
    {"Date", 1, 6, Date, ArgRule::DateParts},
    {"Time", 1, 6, Time, ArgRule::DateParts},
    {"Year", 1, 1, PartFunction<Part::Year>},
    {"Month", 1, 1, PartFunction<Part::Month>},
    {"Day", 1, 1, PartFunction<Part::Day>},
    {"Hour", 1, 1, PartFunction<Part::Hour>},
    {"Minute", 1, 1, PartFunction<Part::Minute>},
    {"Second", 1, 1, PartFunction<Part::Second>},
    {"Weekday", 1, 1, PartFunction<Part::Weekday>},
    {"Adjust", 7, 8, AdjustFunction},
};

}  // namespace

std::span<const FunctionInfo> DateTimeFunctions() { return kFunctions; }

}  // namespace host::formula
