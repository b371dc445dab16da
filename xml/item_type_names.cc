#include "xml/item_type_names.h"

#include <algorithm>
#include <iterator>

namespace {

struct NamedType {
  std::uint32_t code;
  const char* name;
};

constexpr NamedType kNames[] = {
    {0, "UNSUPPORTED"},
    {1, "TEXT"},
    {2, "COLLATION"},
    {3, "OBJECT"},
    {4, "NOTEREFS"},
    {5, "VIEW_FORMAT"},
    {6, "ICON"},
    {7, "NOTELINKS"},
    {8, "SIGNATURE"},
    {9, "SEAL"},
    {10, "SEALDATA"},
    {11, "SEAL_LIST"},
    {12, "HIGHLIGHTS"},
    {13, "WORKSHEET_DATA"},
    {14, "USERDATA"},
    {15, "QUERY"},
    {16, "ACTION"},
    {18, "VIEWMAP_DATASET"},
    {19, "VIEWMAP_LAYOUT"},
    {20, "LSOBJECT"},
    {21, "HTML"},
    {22, "SCHED_LIST"},
    {0x100, "ERROR"},
    {0x200, "UNAVAILABLE"},
    {0x301, "NUMBERS"},
    {0x401, "DATETIMES"},
    {0x501, "TEXT"},
    {0x600, "FORMULA"},
    {0x700, "USERID"},
    {0x80000000, "UNKNOWN"},
    {0x80000001, "FONTTABLE"},
    {0x80000401, "DATETIMERANGES"},
    {0xFFFFFFFF, "ANY"},
};

static_assert(std::is_sorted(std::begin(kNames), std::end(kNames),
                             [](const NamedType& a, const NamedType& b) { return a.code < b.code; }));

}  // namespace

const char* ItemTypeName(std::uint32_t typeCode) {
  const auto found = std::lower_bound(std::begin(kNames), std::end(kNames), typeCode,
                                      [](const NamedType& named, std::uint32_t code) { return named.code < code; });
  return found != std::end(kNames) && found->code == typeCode ? found->name : "";
}
