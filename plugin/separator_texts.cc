#include "plugin/separator_texts.h"

#include <iterator>

namespace {

template <std::size_t N>
const char* Pick(const char* const (&texts)[N], std::int32_t index, const char* otherwise) {
  return index >= 0 && static_cast<std::size_t>(index) < N ? texts[index] : otherwise;
}

}  // namespace

const char* ListSeparatorText(std::int32_t index) {
  static const char* const kTexts[] = {nullptr, "", " ", ",", ":", ";", "\n"};
  return Pick(kTexts, index, nullptr);
}

const char* ColumnSeparatorText(std::int32_t index) {
  static const char* const kTexts[] = {",", "\t"};
  return Pick(kTexts, index, kTexts[0]);
}

const char* SeparatorReplacementText(std::int32_t index) {
  static const char* const kTexts[] = {nullptr, "", " ", ":", ";", "\x81\x43"};  // the last: full-width comma
  return Pick(kTexts, index, nullptr);
}

const char* LineBreakReplacementText(std::int32_t index) {
  static const char* const kTexts[] = {nullptr, "", " "};
  return Pick(kTexts, index, nullptr);
}
