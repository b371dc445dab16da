// Fuzzes the decoding of entry records, which trusts no length in the buffer. Every record the
// input holds is decoded in turn; decoding and measuring must agree on the status and the size,
// the size must lie inside the input, and every decoded value must render.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "columns/column_spec.h"
#include "columns/view_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ColumnSpec spec;
  while (!bytes.empty()) {
    ViewEntry entry;
    std::size_t decodedSize = 0, measuredSize = 0;
    NOTEID noteId = 0;
    const LNSTATUS decoded = entry.Decode(bytes, &decodedSize);
    const LNSTATUS measured = MeasureEntryRecord(bytes, &measuredSize, &noteId);
    if ((decoded == 0) != (measured == 0)) std::abort();
    if (decoded != 0) break;
    if (decodedSize != measuredSize || decodedSize == 0 || decodedSize > bytes.size()) std::abort();
    if (noteId != entry.GetNoteID()) std::abort();
    for (std::size_t i = 0; i < entry.GetValueCount(); ++i) (void)spec.ValueToText(entry.GetValue(i), nullptr, ";");
    bytes.remove_prefix(decodedSize);
  }
  return 0;
}
