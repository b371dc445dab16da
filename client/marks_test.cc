#include "client/marks.h"

#include <gtest/gtest.h>

namespace client {
namespace {

TEST(Marks, ToggleMarksAllUnlessAllAreMarked) {
  Marks marks;
  marks.Toggle({0x20A});
  EXPECT_TRUE(marks.Contains(0x20A));
  marks.Toggle({0x202, 0x20A});  // a category with one of its two documents marked
  EXPECT_EQ(marks.Count(), 2u);
  marks.Toggle({0x202, 0x20A});
  EXPECT_EQ(marks.Count(), 0u);
}

TEST(Marks, TheSelectionIsTheMarksOrElseTheDocumentAtTheCursor) {
  Marks marks;
  EXPECT_EQ(marks.Selection(0x206u), (std::vector<std::uint32_t>{0x206}));
  EXPECT_EQ(marks.Selection(std::nullopt), (std::vector<std::uint32_t>{})) << "the cursor on a category row";
  marks.Mark({0x20E, 0x202, 0x20E});
  EXPECT_EQ(marks.Selection(0x206u), (std::vector<std::uint32_t>{0x202, 0x20E}));
}

}  // namespace
}  // namespace client
