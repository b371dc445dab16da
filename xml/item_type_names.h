// The names the XML output gives the host's item type codes (the `type` attribute).
#pragma once

#include <cstdint>

// The name of `typeCode` as LNItem::GetType reports it: "TEXT" for rich text and text lists alike,
// "NUMBERS", "DATETIMES" and so on; "" for a code without a name (17 among them).
const char* ItemTypeName(std::uint32_t typeCode);
