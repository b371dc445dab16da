// The row's place in its view and what surrounds it: @DocNumber @DocParentNumber @DocLevel
// @DocChildren @DocDescendants @DocSiblings @IsExpandable @AllChildren @AllDescendants @ViewTitle
// @DbTitle @DbName @UserName
#include <algorithm>
#include <string>

#include "function_support.h"

namespace host::formula {
namespace {

const RowPosition& Position(const State& state) { return state.context().position; }

// `number` ("2.1.3") with `separator` between its parts; with "" only its last part.
std::string Numbered(const std::string& number, const std::string& separator) {
  if (separator.empty()) return number.substr(number.rfind('.') + 1);
  std::string out;
  for (char c : number) {
    if (c == '.') out += separator;
    else out += c;
  }
  return out;
}

Val NumberText(State& state, const Node& call, const std::string& number) {
  if (call.children.empty()) return Val::Text(number);
  return Val::Text(Numbered(number, TextOf(state, call, 0)));
}

Val DocNumber(State& state, const Node& call) { return NumberText(state, call, Position(state).number); }

Val DocParentNumber(State& state, const Node& call) {
  const std::string& number = Position(state).number;
  const std::size_t dot = number.rfind('.');
  return NumberText(state, call, dot == std::string::npos ? std::string() : number.substr(0, dot));
}

// These give text, as the platform's view functions do; 1 for a row at the top level.
Val DocLevel(State& state, const Node&) {
  const std::string& number = Position(state).number;
  return Val::Text(std::to_string(number.empty() ? 0 : std::count(number.begin(), number.end(), '.') + 1));
}

// A count alone, or one of the given texts: (default), (zero; default) or (zero; one; default);
// "%" in the chosen text stands for the count.
Val Counted(State& state, const Node& call, std::uint32_t count) {
  const std::size_t forms = call.children.size();
  if (forms == 0) return Val::Text(std::to_string(count));
  const std::size_t chosen = forms == 1 ? 0 : count == 0 ? 0 : forms == 2 || count > 1 ? forms - 1 : 1;
  const std::string text = TextOf(state, call, chosen);
  std::string out;
  for (char c : text) {
    if (c == '%') out += std::to_string(count);
    else out += c;
  }
  return Val::Text(std::move(out));
}

Val DocChildren(State& state, const Node& call) { return Counted(state, call, Position(state).children); }
Val DocDescendants(State& state, const Node& call) { return Counted(state, call, Position(state).descendants); }
Val DocSiblings(State& state, const Node&) { return Val::Text(std::to_string(Position(state).siblings)); }

// "+" (or the given text) on a row with rows beneath it; "-" (or "", or the other given text) elsewhere.
Val IsExpandable(State& state, const Node& call) {
  const bool expandable = Position(state).children > 0;
  if (call.children.empty()) return Val::Text(expandable ? "+" : "-");
  if (expandable) return TextArg(state, call, 0);
  return call.children.size() > 1 ? TextArg(state, call, 1) : Val::Text("");
}

// In a selection formula the indexer adds the responses of the selected documents itself (see
// UsesAllChildren); on a document these select nothing of their own.
Val AllChildren(State&, const Node&) { return Val::Bool(false); }

// The view's name and its aliases; "" where no view was opened (and in a view's own formulas, as on
// the platform).
Val ViewTitle(State& state, const Node&) {
  const model::ViewDesign* view = state.context().view;
  if (!view) return Val::Text("");
  Val title = Val::Texts({view->name});
  title.texts.insert(title.texts.end(), view->aliases.begin(), view->aliases.end());
  return title;
}

Val DbTitle(State& state, const Node&) {
  const model::Database* database = state.context().database;
  return Val::Text(database ? database->title : "");
}

// The server ("" for a local database, and always in a view's formulas) and the file's path.
Val DbName(State& state, const Node&) {
  const model::Database* database = state.context().database;
  if (!database) return Val::Texts({"", ""});
  return Val::Texts({state.context().inView ? "" : database->server, database->filePath});
}

// The primary name (index 0); there is no alternate name.
Val UserName(State& state, const Node& call) {
  return Val::Text(call.children.empty() || NumberOf(state, call, 0) == 0 ? std::string(state.context().userName) : "");
}

constexpr FunctionInfo kFunctions[] = {
    {"DocNumber", 0, 1, DocNumber},
    {"DocParentNumber", 0, 1, DocParentNumber},
    {"DocLevel", 0, 0, DocLevel},
    {"DocChildren", 0, 3, DocChildren},
    {"DocDescendants", 0, 3, DocDescendants},
    {"DocSiblings", 0, 0, DocSiblings},
    {"IsExpandable", 0, 2, IsExpandable},
    {"AllChildren", 0, 0, AllChildren},
    {"AllDescendants", 0, 0, AllChildren},
    {"ViewTitle", 0, 0, ViewTitle},
    {"DbTitle", 0, 0, DbTitle},
    {"DbName", 0, 0, DbName},
    {"UserName", 0, 1, UserName},
};

}  // namespace

std::span<const FunctionInfo> ViewFunctions() { return kFunctions; }

}  // namespace host::formula
