#include "client/navigator.h"

#include <gtest/gtest.h>

#include <string>

namespace client {
namespace {

// The tree as indented lines: "view Name 0x8" / "folder Name" / "  view Sub 0xC".
void Print(const std::vector<NavigatorNode>& nodes, int depth, std::string& out) {
  for (const NavigatorNode& node : nodes) {
    out += std::string(2 * depth, ' ') + (node.folder ? "folder " : "view ") + node.label;
    if (node.noteId) out += " " + std::to_string(node.noteId);
    out += "\n";
    Print(node.children, depth + 1, out);
  }
}

std::string Printed(const std::vector<NavigatorNode>& tree) {
  std::string out;
  Print(tree, 0, out);
  return out;
}

const std::vector<DesignView> kViews = {
    {10, true, "要確認"},   {11, false, "売上\\月別"}, {12, false, "(隠し)"}, {13, false, "by Name"},
    {14, false, "Archive"}, {15, false, "売上\\年別"}, {16, false, "売上"},   {17, true, "Alpha"},
};

TEST(NavigatorTree, ViewsThenFoldersSortedWithCascadesAndNoHiddenViews) {
  EXPECT_EQ(Printed(NavigatorTree(kViews, false)),
            "view Archive 14\n"
            "view by Name 13\n"
            "view 売上 16\n"
            "  view 年別 15\n"
            "  view 月別 11\n"
            "folder Alpha 17\n"
            "folder 要確認 10\n");
  EXPECT_EQ(FirstView(NavigatorTree(kViews, false)), 14u);
}

TEST(NavigatorTree, HiddenViewsWhenAskedForOrWhenOpenedByName) {
  EXPECT_NE(Printed(NavigatorTree(kViews, true)).find("view (隠し) 12\n"), std::string::npos);
  EXPECT_NE(Printed(NavigatorTree(kViews, false, 12)).find("view (隠し) 12\n"), std::string::npos);
  EXPECT_TRUE(IsHiddenView("(隠し)"));
  EXPECT_FALSE(IsHiddenView("(a) b"));
  EXPECT_FALSE(IsHiddenView("()x"));
}

TEST(NavigatorTree, ACascadeWithoutAViewOfItsOwnName) {
  const std::vector<NavigatorNode> tree = NavigatorTree({{20, false, "A\\B\\C"}}, false);
  EXPECT_EQ(Printed(tree), "view A\n  view B\n    view C 20\n");
  EXPECT_EQ(FirstView(tree), 20u);
  EXPECT_EQ(FirstView(NavigatorTree({{21, true, "F"}}, false)), 21u) << "a folder when there is no view";
}

}  // namespace
}  // namespace client
