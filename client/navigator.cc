#include "client/navigator.h"

#include <algorithm>

#include <platform/cp932.h>

namespace client {
namespace {

void Collect(void* context, std::uint32_t noteId, int isFolder, const char* nameAndAliases) {
  std::string name = nameAndAliases;
  name.resize(std::min(name.size(), name.find('|')));
  static_cast<std::vector<DesignView>*>(context)->push_back({noteId, isFolder != 0, std::move(name)});
}

std::vector<std::string> CascadeParts(const std::string& name) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t bar; (bar = name.find('\\', start)) != std::string::npos; start = bar + 1)
    parts.push_back(name.substr(start, bar - start));
  parts.push_back(name.substr(start));
  return parts;
}

// A cascade level and a view of the same name are one node.
void Insert(std::vector<NavigatorNode>& level, const DesignView& view) {
  std::vector<NavigatorNode>* at = &level;
  const std::vector<std::string> parts = CascadeParts(view.name);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const bool last = i + 1 == parts.size();
    auto node = std::ranges::find_if(*at, [&](const NavigatorNode& n) {
      return n.label == parts[i] && n.folder == view.folder && (!last || n.noteId == 0);
    });
    if (node == at->end()) {
      at->push_back({parts[i], 0, view.folder, {}});
      node = at->end() - 1;
    }
    if (last) node->noteId = view.noteId;
    at = &node->children;
  }
}

void Sort(std::vector<NavigatorNode>& level) {
  std::ranges::stable_sort(level, [](const NavigatorNode& a, const NavigatorNode& b) {
    if (a.folder != b.folder) return !a.folder;
    return platform::AsciiLowered(a.label) < platform::AsciiLowered(b.label);
  });
  for (NavigatorNode& node : level) Sort(node.children);
}

}  // namespace

std::vector<DesignView> ListDesignViews(CoreDatabaseHandle database) {
  std::vector<DesignView> views;
  CoreListViews(database, Collect, &views);
  return views;
}

bool IsHiddenView(const std::string& name) { return name.size() >= 2 && name.front() == '(' && name.back() == ')'; }

std::vector<NavigatorNode> NavigatorTree(const std::vector<DesignView>& views, bool withHidden,
                                         std::uint32_t alsoShown) {
  std::vector<NavigatorNode> tree;
  for (const DesignView& view : views)
    if (withHidden || !IsHiddenView(view.name) || view.noteId == alsoShown) Insert(tree, view);
  Sort(tree);
  return tree;
}

std::uint32_t FirstView(const std::vector<NavigatorNode>& tree) {
  for (const NavigatorNode& node : tree) {
    if (node.noteId != 0) return node.noteId;
    if (const std::uint32_t inside = FirstView(node.children)) return inside;
  }
  return 0;
}

}  // namespace client
