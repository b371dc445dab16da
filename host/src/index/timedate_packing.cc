#include "index/timedate_packing.h"

#include <algorithm>

namespace host::index {
namespace {

constexpr std::uint64_t kTimeMask = 0xFFFFFF;
constexpr std::uint64_t kNoTimeBits = 0xFFFFFF;
constexpr std::uint64_t kDateMask = 0xFFFFFF;
constexpr std::uint64_t kNoDateBits = 0x800000;
constexpr std::int32_t kDateLimit = 0x7FFFFF;
constexpr std::uint64_t kZoneMask = 0x7FFF;
constexpr int kZoneLimit = 0x3FFF;
constexpr std::int32_t kHundredthsPerDay = 8'640'000;

// Sign-extends the low `bits` bits of `field`.
std::int32_t SignExtend(std::uint64_t field, int bits) {
  const std::uint64_t sign = std::uint64_t{1} << (bits - 1);
  return static_cast<std::int32_t>(static_cast<std::int64_t>((field ^ sign)) - static_cast<std::int64_t>(sign));
}

}  // namespace

std::uint64_t PackTimeDate(const model::DateTime& value) {
  const std::uint64_t time =
      value.HasTime() ? static_cast<std::uint64_t>(std::clamp(value.time, 0, kHundredthsPerDay - 1)) : kNoTimeBits;
  const std::uint64_t date =
      value.HasDate() ? static_cast<std::uint64_t>(std::clamp(value.date, -kDateLimit, kDateLimit)) & kDateMask
                      : kNoDateBits;
  const std::uint64_t zone =
      static_cast<std::uint64_t>(std::clamp<int>(value.zoneMinutes, -kZoneLimit, kZoneLimit)) & kZoneMask;
  return time | date << 24 | zone << 48 | std::uint64_t{value.dst} << 63;
}

std::optional<model::DateTime> UnpackTimeDate(std::uint64_t packed) {
  model::DateTime value;
  const std::uint64_t time = packed & kTimeMask;
  if (time != kNoTimeBits) {
    if (time >= kHundredthsPerDay) return std::nullopt;
    value.time = static_cast<std::int32_t>(time);
  }
  const std::uint64_t date = packed >> 24 & kDateMask;
  if (date != kNoDateBits) value.date = SignExtend(date, 24);
  value.zoneMinutes = static_cast<std::int16_t>(SignExtend(packed >> 48 & kZoneMask, 15));
  value.dst = (packed >> 63) != 0;
  return value;
}

}  // namespace host::index
