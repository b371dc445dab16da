#include "timedate.h"

namespace host {

model::DateTime Unpack(const CoreTimeDate& packed) {
  CoreDateTime parts{};
  if (CoreUnpackTimeDate(&packed, &parts) != kNoError) return {};
  return {parts.date, parts.time, parts.zoneMinutes, parts.dst};
}

CoreTimeDate Pack(const model::DateTime& value) {
  const CoreDateTime parts{value.date, value.time, value.zoneMinutes, value.dst};
  CoreTimeDate packed;
  CorePackTimeDate(&parts, &packed);
  return packed;
}

}  // namespace host
