#include "plugin/replace_all.h"

#include <gtest/gtest.h>
#include <platform/cp932.h>
#include <platform/testing/recording_ui.h>

namespace {

TEST(ReplaceAllTest, ReplacesEveryOccurrenceLeftToRight) {
  struct Case {
    const char* text;  // UTF-8
    const char* find;
    const char* replacement;
    const char* expected;
  };
  const Case cases[] = {
      {"K:/out/list.csv", "/", "\\", "K:\\out\\list.csv"},  // same length: overwritten
      {"a b  c ", " ", "", "abc"},                          // removed
      {"aaa", "a", "aa", "aaaaaa"},                         // inserted text is not searched again
      {"abcabc", "bc", "X", "aXaX"},
      {"abc", "abc", "abc", "abc"},                         // equal texts: nothing to do
      {"abc", "", "X", "abc"},                              // empty find text: nothing to do
      {"", "a", "b", ""},
      {"表ソ/表", "/", "\\", "表ソ\\表"},                    // characters, not bytes
      {"表ソ", "\\", "/", "表ソ"},                           // a trail byte 0x5C is no backslash
      {"全角，カンマ，", "，", ",", "全角,カンマ,"},
  };
  platform::testing::ScopedRecordingUi ui;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    LNString text(platform::Utf8ToCp932(c.text).c_str());
    EXPECT_EQ(ReplaceAll(text, platform::Utf8ToCp932(c.find).c_str(), platform::Utf8ToCp932(c.replacement).c_str()),
              0u);
    EXPECT_EQ(platform::Cp932ToUtf8(text.GetPlatformTextPtr()), c.expected);
  }
  EXPECT_TRUE(ui.boxes.empty());
}

}  // namespace
