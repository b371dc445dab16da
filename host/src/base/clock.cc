#include "clock.h"

#include <ctime>
#include <mutex>

namespace host {
namespace {

std::mutex fixedMutex;
std::optional<model::DateTime> fixedNow;

model::DateTime SystemNow() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm local{};
  localtime_r(&ts.tv_sec, &local);
  model::DateTime now;
  now.date = model::DaysFromCivil(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                                  static_cast<unsigned>(local.tm_mday));
  now.time = ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * 100 +
             static_cast<std::int32_t>(ts.tv_nsec / 10'000'000);
  now.zoneMinutes = static_cast<std::int16_t>(local.tm_gmtoff / 60);
  now.dst = local.tm_isdst > 0;
  return now;
}

}  // namespace

model::DateTime Now() {
  {
    std::lock_guard lock(fixedMutex);
    if (fixedNow) return *fixedNow;
  }
  return SystemNow();
}

void SetFixedNow(std::optional<model::DateTime> at) {
  std::lock_guard lock(fixedMutex);
  fixedNow = at;
}

}  // namespace host
