// A monotonic clock that is cheap to read but only as fine as the system's tick (a few
// milliseconds): for pacing work that should happen every few tens of milliseconds, checked once
// or more for every document of an export.
#pragma once

#include <time.h>

#include <chrono>

namespace platform {

struct CoarseClock {
  using duration = std::chrono::nanoseconds;
  using rep = duration::rep;
  using period = duration::period;
  using time_point = std::chrono::time_point<CoarseClock>;
  static constexpr bool is_steady = true;

  static time_point now() noexcept {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return time_point(std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec));
  }
};

}  // namespace platform
