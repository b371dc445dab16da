// @Elements @Count @Subset @Member @IsMember @IsNotMember @Unique @Sort @Keywords
#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>

#include "function_support.h"
#include "operators.h"
#include "time_util.h"

namespace host::formula {
namespace {

// Exact equality of two elements of the same type (text is compared with its case).
bool SameElement(const Val& a, std::size_t i, const Val& b, std::size_t j) {
  switch (a.type) {
    case Type::Number: return a.numbers[i] == b.numbers[j];
    case Type::Time: return CompareTimes(a.times[i], b.times[j]) == 0;
    default: return a.texts[i] == b.texts[j];
  }
}

bool InList(const Val& a, std::size_t i, const Val& list) {
  for (std::size_t j = 0; j < list.Size(); ++j)
    if (SameElement(a, i, list, j)) return true;
  return false;
}

// The elements of `list` at `indices`, in that order.
Val Pick(const Val& list, const std::vector<std::size_t>& indices) {
  Val out;
  out.type = list.type;
  for (std::size_t i : indices) {
    switch (list.type) {
      case Type::Number: out.numbers.push_back(list.numbers[i]); break;
      case Type::Time: out.times.push_back(list.times[i]); break;
      default: out.texts.push_back(list.texts[i]);
    }
  }
  return out;
}

Val Elements(State& state, const Node& call) {
  const Val list = state.Arg(call, 0);
  return Val::Number(list.IsEmptyText() ? 0 : static_cast<double>(list.Size()));
}

Val Count(State& state, const Node& call) {
  const Val list = state.Arg(call, 0);
  return Val::Number(static_cast<double>(std::max<std::size_t>(1, list.Size())));
}

Val Subset(State& state, const Node& call) {
  const Val list = state.Arg(call, 0);
  const double n = NumberOf(state, call, 1);
  if (!(n <= -1 || n >= 1)) state.Fail(call, kErrFormulaArgument, "@Subset needs a count other than 0");
  const std::size_t size = list.Size();
  const std::size_t count = std::min(size, static_cast<std::size_t>(std::min(std::fabs(n), 1e9)));
  std::vector<std::size_t> indices(count);
  std::iota(indices.begin(), indices.end(), n > 0 ? 0 : size - count);
  return Pick(list, indices);
}

Val Member(State& state, const Node& call) {
  const Val value = state.Arg(call, 0);
  const Val list = state.Arg(call, 1);
  if (value.Size() == 0) return Val::Number(0);
  state.Require(list, value.type, *call.children[1]);
  for (std::size_t j = 0; j < list.Size(); ++j)
    if (SameElement(value, 0, list, j)) return Val::Number(static_cast<double>(j + 1));
  return Val::Number(0);
}

Val IsMemberOf(State& state, const Node& call, bool wantMember) {
  const Val value = state.Arg(call, 0);
  const Val list = state.Arg(call, 1);
  state.Require(list, value.type, *call.children[1]);
  for (std::size_t i = 0; i < value.Size(); ++i)
    if (InList(value, i, list) != wantMember) return Val::Bool(false);
  return Val::Bool(true);
}

Val IsMember(State& s, const Node& c) { return IsMemberOf(s, c, true); }
Val IsNotMember(State& s, const Node& c) { return IsMemberOf(s, c, false); }

Val Unique(State& state, const Node& call) {
  const Val list = state.Arg(call, 0);
  std::vector<std::size_t> kept;
  for (std::size_t i = 0; i < list.Size(); ++i) {
    bool seen = false;
    for (std::size_t k : kept) seen = seen || SameElement(list, i, list, k);
    if (!seen) kept.push_back(i);
  }
  return Pick(list, kept);
}

// Sorts `order` stably by `less`, a merge sort that stays within bounds whatever `less` answers
// (a user's comparison formula need not be a consistent order).
void MergeSort(std::vector<std::size_t>& order, const std::function<bool(std::size_t, std::size_t)>& less) {
  std::vector<std::size_t> merged(order.size());
  for (std::size_t width = 1; width < order.size(); width *= 2) {
    for (std::size_t left = 0; left < order.size(); left += 2 * width) {
      const std::size_t middle = std::min(left + width, order.size());
      const std::size_t right = std::min(left + 2 * width, order.size());
      std::size_t i = left, j = middle, out = left;
      while (i < middle && j < right) merged[out++] = less(order[j], order[i]) ? order[j++] : order[i++];
      while (i < middle) merged[out++] = order[i++];
      while (j < right) merged[out++] = order[j++];
    }
    order.swap(merged);
  }
}

// The element `index` of `list` as a value of its own.
Val Element(const Val& list, std::size_t index) {
  switch (list.type) {
    case Type::Number: return Val::Number(list.numbers[index]);
    case Type::Time: return Val::Time(list.times[index]);
    default: return Val::Text(list.texts[index]);
  }
}

// @Sort(list; [order]; customSortExpression): with [CUSTOMSORT] the expression compares $A with $B
// and is greater than 0 (or true) when $A comes after $B.
Val Sort(State& state, const Node& call) {
  const Val list = state.Arg(call, 0);
  const Val options = call.children.size() > 1 ? state.Arg(call, 1) : Val::Texts({});
  std::vector<std::size_t> order(list.Size());
  std::iota(order.begin(), order.end(), 0);
  if (HasKeyword(options, "CUSTOMSORT")) {
    if (call.children.size() < 3) state.Fail(call, kErrFormulaArgument, "@Sort: [CUSTOMSORT] needs a sort expression");
    MergeSort(order, [&](std::size_t x, std::size_t y) {  // whether element x comes before element y
      state.SetField("$A", Element(list, x));
      state.SetField("$B", Element(list, y));
      const Val after = state.Arg(call, 2);
      state.Require(after, Type::Number, call);
      return after.numbers.empty() || after.numbers[0] <= 0;
    });
    return Pick(list, order);
  }
  const bool descending = HasKeyword(options, "DESCENDING");
  const bool ignoreCase = HasKeyword(options, "CASEINSENSITIVE");
  std::stable_sort(order.begin(), order.end(), [&](std::size_t i, std::size_t j) {
    int c = 0;
    if (list.type == Type::Text && !ignoreCase) c = CollateWithCase(list.texts[i], list.texts[j]);
    else c = CompareElements(list, i, list, j);
    return descending ? c > 0 : c < 0;
  });
  return Pick(list, order);
}

Val Keywords(State& state, const Node& call) {
  const Val texts = TextArg(state, call, 0);
  const Val keywords = TextArg(state, call, 1);
  const std::string separators = call.children.size() > 2 ? TextOf(state, call, 2) : " ,?!;:[](){}<>";
  std::vector<std::string_view> words;
  for (const std::string& text : texts.texts) {
    std::size_t start = 0;
    for (std::size_t at = 0; at <= text.size(); ++at) {
      if (at < text.size() && separators.find(text[at]) == std::string::npos) continue;
      if (at > start) words.emplace_back(text.data() + start, at - start);
      start = at + 1;
    }
  }
  Val out = Val::Texts({});
  for (const std::string& keyword : keywords.texts) {
    if (keyword.empty()) continue;
    bool found = false;
    if (separators.empty()) {
      for (const std::string& text : texts.texts) found = found || text.find(keyword) != std::string::npos;
    } else {
      found = std::find(words.begin(), words.end(), keyword) != words.end();
    }
    if (found) out.texts.push_back(keyword);
  }
  if (out.texts.empty()) out.texts.emplace_back();
  return out;
}

constexpr FunctionInfo kFunctions[] = {
    {"Elements", 1, 1, Elements},
    {"Count", 1, 1, Count},
    {"Subset", 2, 2, Subset},
    {"Member", 2, 2, Member},
    {"IsMember", 2, 2, IsMember},
    {"IsNotMember", 2, 2, IsNotMember},
    {"Unique", 1, 1, Unique},
    {"Sort", 1, 3, Sort},
    {"Keywords", 2, 3, Keywords},
};

}  // namespace

std::span<const FunctionInfo> ListFunctions() { return kFunctions; }

}  // namespace host::formula
