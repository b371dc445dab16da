#include "client/outline.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace client {
namespace {

// The rows of an outline, entry by entry, as a person sees them.
std::vector<std::uint32_t> Shown(const Outline& outline) {
  std::vector<std::uint32_t> entries;
  for (std::uint32_t row = 0; row < outline.RowCount(); ++row) entries.push_back(outline.EntryAt(row));
  return entries;
}

// Entries 0-9: categories at 0 (subtree to 6), 1 (to 4) and 6 (to 10).
TEST(Outline, CollapsedCategoriesHideTheirSubtrees) {
  Outline outline(10);
  EXPECT_EQ(Shown(outline), (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  outline.Collapse(1, 4);
  EXPECT_EQ(Shown(outline), (std::vector<std::uint32_t>{0, 1, 4, 5, 6, 7, 8, 9}));
  outline.Collapse(6, 10);
  EXPECT_EQ(Shown(outline), (std::vector<std::uint32_t>{0, 1, 4, 5, 6}));
  outline.Collapse(0, 6);
  EXPECT_EQ(Shown(outline), (std::vector<std::uint32_t>{0, 6}));
  outline.Expand(0);
  EXPECT_EQ(Shown(outline), (std::vector<std::uint32_t>{0, 1, 4, 5, 6})) << "the inner one stays collapsed";
  EXPECT_TRUE(outline.IsCollapsed(1));
  EXPECT_FALSE(outline.IsCollapsed(0));

  const std::optional<std::uint32_t> kHidden;
  const std::vector<std::optional<std::uint32_t>> rowOf = {0u, 1u, kHidden, kHidden, 2u, 3u, 4u, kHidden, kHidden, kHidden};
  for (std::uint32_t entry = 0; entry < 10; ++entry) EXPECT_EQ(outline.RowOf(entry), rowOf[entry]) << entry;
  outline.Expand(1);
  outline.Expand(6);
  EXPECT_EQ(outline.RowCount(), 10u);
}

TEST(Outline, ACategoryWithNothingUnderItChangesNothing) {
  Outline outline(3);
  outline.Collapse(2, 3);
  outline.Collapse(0, 1);
  EXPECT_EQ(Shown(outline), (std::vector<std::uint32_t>{0, 1, 2}));
  EXPECT_TRUE(outline.IsCollapsed(2)) << "still shown with its twisty closed";
}

}  // namespace
}  // namespace client
