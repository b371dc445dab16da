#include "dxl/base64.h"

#include <gtest/gtest.h>

namespace host::dxl {
namespace {

TEST(DecodeBase64, DecodesWithPaddingAndLineBreaks) {
  const std::pair<const char*, std::string> cases[] = {
      {"", ""},
      {"QQ==", "A"},
      {"QUI=", "AB"},
      {"QUJD", "ABC"},
      {"\n  5pel5pys\n6Kqe\n", "日本語"},
      {"AP8=", std::string("\0\xFF", 2)},
  };
  for (const auto& [text, bytes] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(DecodeBase64(text), bytes);
    EXPECT_EQ(DecodedBase64Size(text), bytes.size());
  }
}

TEST(DecodeBase64, RejectsInvalidText) {
  for (const char* text : {"Q", "QQ=", "Q===", "QQ==QQ==", "QU*D", "QUJD="}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(DecodeBase64(text).has_value());
    EXPECT_FALSE(DecodedBase64Size(text).has_value());
  }
}

}  // namespace
}  // namespace host::dxl
