// The navigator of a database: its views and folders as the Notes client lists them. Views come
// first, then folders, each sorted by name (ASCII letters without regard to case); a name with
// backslashes ("売上\月別") cascades, its parts nested under one another. Views and folders whose
// names are in parentheses are hidden ones and left out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <host/core.h>

namespace client {

struct DesignView {
  std::uint32_t noteId = 0;
  bool folder = false;
  std::string name;  // UTF-8, the whole name ("売上\月別")
};

// Every view and folder of the database, in note-ID order.
std::vector<DesignView> ListDesignViews(CoreDatabaseHandle database);

bool IsHiddenView(const std::string& name);

struct NavigatorNode {
  std::string label;         // this level's part of the name
  std::uint32_t noteId = 0;  // 0: a cascade level that is no view itself
  bool folder = false;
  std::vector<NavigatorNode> children;
};

// The navigator's tree of `views`; hidden ones only when `withHidden` or when their note ID is
// `alsoShown` (the view opened by name).
std::vector<NavigatorNode> NavigatorTree(const std::vector<DesignView>& views, bool withHidden,
                                         std::uint32_t alsoShown = 0);

// The first view of the tree, depth first; 0 when it has none.
std::uint32_t FirstView(const std::vector<NavigatorNode>& tree);

}  // namespace client
