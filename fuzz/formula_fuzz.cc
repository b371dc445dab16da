// Fuzzes the formula engine: compiling any text either gives a program or a status, and running a
// program against a document with a few items either gives a value or a status.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "formula/engine.h"
#include "status_error.h"

namespace {

const host::model::Note& Document() {
  static const host::model::Note note = [] {
    host::model::Note n;
    n.noteId = 0x8FA;
    n.items = {{"Name", host::model::Text{{"Abe", "ソース表"}}, host::model::kSummary},
               {"Qty", host::model::Numbers{{3, -2.5}, {}}, host::model::kSummary}};
    return n;
  }();
  return note;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const auto program = host::formula::Compile(text);
    host::formula::Context context;
    context.document = &Document();
    context.now.date = 20798;  // a fixed day, so that runs repeat
    context.now.time = 0;
    host::formula::Evaluate(*program, context);
  } catch (const host::StatusError&) {
  }
  return 0;
}
