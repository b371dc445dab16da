// @Left @Right @LeftBack @RightBack @Middle @MiddleBack @Trim @UpperCase @LowerCase @ProperCase
// @Length @Begins @Ends @Contains @Like @Replace @ReplaceSubstring @Implode @Explode @Word
// @NewLine @Char @Repeat @Text @TextToNumber @TextToTime @Compare
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "base/render.h"
#include "function_support.h"
#include "time_util.h"

namespace host::formula {
namespace {

// A count of characters or repetitions from a number: at least 0, at most a billion.
std::size_t Count(double n) {
  if (!(n > 0)) return 0;
  return n >= 1e9 ? static_cast<std::size_t>(1e9) : static_cast<std::size_t>(n);
}

// @Left, @Right, @LeftBack, @RightBack: by a count of characters or around a substring.
enum class Side { Left, Right, LeftBack, RightBack };

std::string Cut(std::string_view s, Side side, const Val& by, std::size_t byIndex) {
  if (by.type == Type::Number) {
    const std::size_t n = Count(by.numbers[byIndex]);
    const std::size_t length = CharCount(s);
    const std::size_t keep = std::min(n, length);
    switch (side) {
      case Side::Left: return std::string(CharSlice(s, 0, keep));
      case Side::Right: return std::string(CharSlice(s, length - keep, keep));
      case Side::LeftBack: return std::string(CharSlice(s, 0, length - keep));
      case Side::RightBack: return std::string(CharSlice(s, keep, length - keep));
    }
  }
  const std::string& sub = by.texts[byIndex];
  const bool back = side == Side::LeftBack || side == Side::RightBack;
  const std::size_t at = back ? s.rfind(sub) : s.find(sub);
  if (at == std::string_view::npos) return "";
  if (side == Side::Left || side == Side::LeftBack) return std::string(s.substr(0, at));
  return std::string(s.substr(at + sub.size()));
}

Val CutFunction(State& state, const Node& call, Side side) {
  Val s = TextArg(state, call, 0);
  const Val by = state.Arg(call, 1);
  if (by.type != Type::Number) state.Require(by, Type::Text, *call.children[1]);
  if (by.Size() == 0) return s;
  for (std::size_t i = 0; i < s.texts.size(); ++i) s.texts[i] = Cut(s.texts[i], side, by, std::min(i, by.Size() - 1));
  return s;
}

Val Left(State& s, const Node& c) { return CutFunction(s, c, Side::Left); }
Val Right(State& s, const Node& c) { return CutFunction(s, c, Side::Right); }
Val LeftBack(State& s, const Node& c) { return CutFunction(s, c, Side::LeftBack); }
Val RightBack(State& s, const Node& c) { return CutFunction(s, c, Side::RightBack); }

// @Middle counts from the left, @MiddleBack from the right. The start is a character offset or
// the place after a substring (its first occurrence, or its last for @MiddleBack); from there a
// count of characters is taken to the right (a negative count: to the left), or the text up to
// the next occurrence of an end substring.
std::string Middle(std::string_view s, const Val& start, const Val& end, bool back) {
  const std::size_t length = CharCount(s);
  std::size_t from = 0;       // character index where the start lies
  std::size_t leftEdge = 0;   // where a leftward count ends its run
  if (start.type == Type::Number) {
    const std::size_t offset = std::min(Count(start.numbers[0]), length);
    from = back ? length - offset : offset;
    leftEdge = from;
  } else {
    const std::string& sub = start.texts[0];
    const std::size_t at = back ? s.rfind(sub) : s.find(sub);
    if (at == std::string_view::npos) return "";
    leftEdge = CharCount(s.substr(0, at));
    from = CharCount(s.substr(0, at + sub.size()));
  }
  if (end.type == Type::Number) {
    const double n = end.numbers[0];
    if (n >= 0) return std::string(CharSlice(s, from, Count(n)));
    const std::size_t count = std::min(Count(-n), leftEdge);
    return std::string(CharSlice(s, leftEdge - count, count));
  }
  const std::size_t begin = ByteOffset(s, from);
  const std::size_t stop = s.find(end.texts[0], begin);
  return std::string(s.substr(begin, stop == std::string_view::npos ? std::string_view::npos : stop - begin));
}

Val MiddleFunction(State& state, const Node& call, bool back) {
  Val s = TextArg(state, call, 0);
  const Val start = state.Arg(call, 1);
  const Val end = state.Arg(call, 2);
  for (std::size_t i = 1; i <= 2; ++i) {
    const Val& v = i == 1 ? start : end;
    if (v.type != Type::Number) state.Require(v, Type::Text, *call.children[i]);
    if (v.Size() == 0) return Val::Text("");
  }
  for (std::string& text : s.texts) text = Middle(text, start, end, back);
  return s;
}

Val MiddleFront(State& s, const Node& c) { return MiddleFunction(s, c, false); }
Val MiddleBack(State& s, const Node& c) { return MiddleFunction(s, c, true); }

Val Trim(State& state, const Node& call) {
  const Val in = TextArg(state, call, 0);
  Val out = Val::Texts({});
  for (const std::string& text : in.texts) {
    std::string trimmed;
    bool pendingSpace = false;
    for (char c : text) {
      if (c == ' ' || c == '\t') {
        pendingSpace = !trimmed.empty();
        continue;
      }
      if (pendingSpace) trimmed += ' ';
      pendingSpace = false;
      trimmed += c;
    }
    if (!trimmed.empty()) out.texts.push_back(std::move(trimmed));
  }
  if (out.texts.empty()) out.texts.emplace_back();
  return out;
}

Val UpperCase(State& state, const Node& call) {
  return MapTexts(TextArg(state, call, 0), [](const std::string& t) { return formula::UpperCase(t); });
}
Val LowerCase(State& state, const Node& call) {
  return MapTexts(TextArg(state, call, 0), [](const std::string& t) { return formula::LowerCase(t); });
}
Val ProperCase(State& state, const Node& call) {
  return MapTexts(TextArg(state, call, 0), [](const std::string& t) { return formula::ProperCase(t); });
}

Val Length(State& state, const Node& call) {
  const Val in = TextArg(state, call, 0);
  Val out = Val::Numbers({});
  for (const std::string& t : in.texts) out.numbers.push_back(static_cast<double>(CharCount(t)));
  return out;
}

template <typename Test>
Val AnyPair(State& state, const Node& call, Test test) {
  const Val s = TextArg(state, call, 0);
  const Val subs = TextArg(state, call, 1);
  for (const std::string& text : s.texts)
    for (const std::string& sub : subs.texts)
      if (test(std::string_view(text), std::string_view(sub))) return Val::Bool(true);
  return Val::Bool(false);
}

Val Begins(State& s, const Node& c) {
  return AnyPair(s, c, [](std::string_view t, std::string_view sub) { return t.substr(0, sub.size()) == sub; });
}
Val Ends(State& s, const Node& c) {
  return AnyPair(s, c, [](std::string_view t, std::string_view sub) {
    return t.size() >= sub.size() && t.substr(t.size() - sub.size()) == sub;
  });
}
Val Contains(State& s, const Node& c) {
  return AnyPair(s, c, [](std::string_view t, std::string_view sub) { return t.find(sub) != std::string_view::npos; });
}

// SQL LIKE: '%' any run of characters, '_' one character, `escape` makes the next one literal.
// Every other element of the pattern matches one character, so a mismatch only ever needs the
// last '%' to take one more character: a loop over the text with that one point to go back to,
// at most length of text times length of pattern steps, whatever the pattern.
bool Like(std::string_view text, std::string_view pattern, char escape) {
  constexpr std::size_t kNone = std::string_view::npos;
  std::size_t t = 0, p = 0;
  std::size_t afterPercent = kNone, resumeAt = 0;  // the pattern after the last '%', and the text it took to
  while (t < text.size()) {
    if (p < pattern.size()) {
      if (pattern[p] == '%') {
        while (p < pattern.size() && pattern[p] == '%') ++p;
        afterPercent = p;
        resumeAt = t;
        continue;
      }
      const std::size_t textChar = ByteOffset(text.substr(t), 1);
      if (pattern[p] == '_') {
        t += textChar;
        ++p;
        continue;
      }
      const std::size_t literal = escape != '\0' && pattern[p] == escape && p + 1 < pattern.size() ? 1 : 0;
      const std::size_t patternChar = literal + ByteOffset(pattern.substr(p + literal), 1);
      if (text.substr(t, textChar) == pattern.substr(p + literal, patternChar - literal)) {
        t += textChar;
        p += patternChar;
        continue;
      }
    }
    if (afterPercent == kNone) return false;
    resumeAt += ByteOffset(text.substr(resumeAt), 1);
    t = resumeAt;
    p = afterPercent;
  }
  while (p < pattern.size() && pattern[p] == '%') ++p;
  return p == pattern.size();
}

Val LikeFunction(State& state, const Node& call) {
  const Val s = TextArg(state, call, 0);
  const std::string pattern = TextOf(state, call, 1);
  const std::string escape = call.children.size() > 2 ? TextOf(state, call, 2) : "";
  for (const std::string& text : s.texts)
    if (Like(text, pattern, escape.empty() ? '\0' : escape[0])) return Val::Bool(true);
  return Val::Bool(false);
}

Val Replace(State& state, const Node& call) {
  Val source = TextArg(state, call, 0);
  const Val from = TextArg(state, call, 1);
  const Val to = TextArg(state, call, 2);
  for (std::string& text : source.texts) {
    for (std::size_t i = 0; i < from.texts.size(); ++i) {
      if (text == from.texts[i]) {
        text = i < to.texts.size() ? to.texts[i] : "";
        break;
      }
    }
  }
  return source;
}

// Each pair in turn replaces every occurrence of its "from" in the result of the pairs before it;
// a "from" without a "to" of its own takes the last one.
Val ReplaceSubstring(State& state, const Node& call) {
  Val source = TextArg(state, call, 0);
  const Val from = TextArg(state, call, 1);
  const Val to = TextArg(state, call, 2);
  if (to.texts.empty()) return source;
  for (std::string& text : source.texts) {
    for (std::size_t i = 0; i < from.texts.size(); ++i) {
      const std::string& f = from.texts[i];
      if (f.empty()) continue;
      const std::string& replacement = to.texts[std::min(i, to.texts.size() - 1)];
      std::string out;
      std::size_t at = 0;
      for (std::size_t found = text.find(f); found != std::string::npos; found = text.find(f, at)) {
        out.append(text, at, found - at).append(replacement);
        at = found + f.size();
        if (out.size() > kMaxTextBytes) state.Fail(call, kErrFormulaArgument, "@ReplaceSubstring: the text grows too long");
      }
      out.append(text, at);
      text = std::move(out);
    }
  }
  return source;
}

Val Implode(State& state, const Node& call) {
  const Val list = TextArg(state, call, 0);
  const std::string separator = call.children.size() > 1 ? TextOf(state, call, 1) : " ";
  std::string out;
  for (std::size_t i = 0; i < list.texts.size(); ++i) {
    if (i) out += separator;
    out += list.texts[i];
  }
  return Val::Text(std::move(out));
}

Val Explode(State& state, const Node& call) {
  const Val source = TextArg(state, call, 0);
  std::string separators = call.children.size() > 1 ? TextOf(state, call, 1) : " ,;";
  const bool includeEmpties = call.children.size() > 2 && state.Truth(NumberArg(state, call, 2), *call.children[2]);
  const bool newlines = call.children.size() <= 3 || state.Truth(NumberArg(state, call, 3), *call.children[3]);
  if (newlines) separators += "\r\n";
  Val out = Val::Texts({});
  for (const std::string& text : source.texts) {
    std::string piece;
    for (std::size_t at = 0; at <= text.size(); ++at) {
      if (at < text.size() && separators.find(text[at]) == std::string::npos) {
        piece += text[at];
        continue;
      }
      // "\r\n" is one line end.
      if (newlines && at + 1 < text.size() && text[at] == '\r' && text[at + 1] == '\n') ++at;
      if (!piece.empty() || includeEmpties) out.texts.push_back(std::move(piece));
      piece.clear();
    }
  }
  if (out.texts.empty()) out.texts.emplace_back();
  return out;
}

Val Word(State& state, const Node& call) {
  Val s = TextArg(state, call, 0);
  const std::string separator = TextOf(state, call, 1);
  const double n = NumberOf(state, call, 2);
  for (std::string& text : s.texts) {
    std::vector<std::string_view> words;
    std::string_view rest = text;
    for (;;) {
      const std::size_t at = separator.empty() ? std::string_view::npos : rest.find(separator);
      words.push_back(rest.substr(0, at));
      if (at == std::string_view::npos) break;
      rest = rest.substr(at + separator.size());
    }
    const double count = static_cast<double>(words.size());
    std::string word;
    if (n >= 1 && n <= count) word = words[static_cast<std::size_t>(n) - 1];
    else if (n <= -1 && -n <= count) word = words[words.size() - static_cast<std::size_t>(-n)];
    text = std::move(word);
  }
  return s;
}

Val NewLine(State&, const Node&) { return Val::Text("\n"); }

Val Char(State& state, const Node& call) {
  const Val codes = NumberArg(state, call, 0);
  Val out = Val::Texts({});
  for (double code : codes.numbers)
    out.texts.push_back(code >= 0 && code <= 0x10FFFF ? Utf8Char(static_cast<unsigned long>(code)) : "");
  return out;
}

Val Repeat(State& state, const Node& call) {
  Val s = TextArg(state, call, 0);
  const std::size_t times = Count(NumberOf(state, call, 1));
  const bool limited = call.children.size() > 2;
  const std::size_t maxChars = limited ? Count(NumberOf(state, call, 2)) : 0;
  for (std::string& text : s.texts) {
    if (!text.empty() && times > kMaxTextBytes / text.size())
      state.Fail(call, kErrFormulaArgument, "@Repeat: the text grows too long");
    std::string out;
    out.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += text;
    if (limited) out = std::string(CharSlice(out, 0, maxChars));
    text = std::move(out);
  }
  return s;
}

Val Text(State& state, const Node& call) {
  const Val value = state.Arg(call, 0);
  const std::string format = call.children.size() > 1 ? TextOf(state, call, 1) : "";
  Val out = Val::Texts({});
  switch (value.type) {
    case Type::Number:
      for (double n : value.numbers) out.texts.push_back(TextOfNumber(n, format, state.international()));
      return out;
    case Type::Time:
      for (const model::DateTime& t : value.times)
        out.texts.push_back(TextOfDateTime(t, format, state.now(), state.international()));
      return out;
    default: return value;
  }
}

// The number a text begins with (after blanks); what follows it is ignored. None when the text
// does not begin with a number.
std::optional<double> ParseNumber(std::string_view text, const model::International& intl) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  std::string plain;
  for (std::size_t i = 0; i < text.size();) {
    if (!intl.decimalSymbol.empty() && text.substr(i, intl.decimalSymbol.size()) == intl.decimalSymbol) {
      plain += '.';
      i += intl.decimalSymbol.size();
      continue;
    }
    const char c = text[i++];
    if (!std::isdigit(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != 'e' && c != 'E' && c != '.') break;
    plain += c;
  }
  char* end = nullptr;
  const double value = std::strtod(plain.c_str(), &end);
  if (end == plain.c_str() || !std::isfinite(value)) return std::nullopt;
  return value;
}

Val TextToNumber(State& state, const Node& call) {
  const Val value = state.Arg(call, 0);
  if (value.type == Type::Number) return value;
  state.Require(value, Type::Text, *call.children[0]);
  Val out = Val::Numbers({});
  for (const std::string& text : value.texts) {
    const auto number = ParseNumber(text, state.international());
    if (!number) return Val::Error("@TextToNumber: \"" + text + "\" is not a number");
    out.numbers.push_back(*number);
  }
  return out;
}

Val TextToTime(State& state, const Node& call) {
  const Val value = state.Arg(call, 0);
  if (value.type == Type::Time) return value;
  state.Require(value, Type::Text, *call.children[0]);
  Val out = Val::Times({});
  for (const std::string& text : value.texts)
    if (const auto time = ParseDateTime(text, state.international().dateOrder, state.now())) out.times.push_back(*time);
  if (out.times.empty()) return Val::Text("");
  return out;
}

Val Compare(State& state, const Node& call) {
  const Val a = TextArg(state, call, 0);
  const Val b = TextArg(state, call, 1);
  const bool ignoreCase = call.children.size() > 2 && HasKeyword(state.Arg(call, 2), "CASEINSENSITIVE");
  Val out = Val::Numbers({});
  if (a.texts.empty() || b.texts.empty()) return out;
  const std::size_t n = std::max(a.texts.size(), b.texts.size());
  for (std::size_t k = 0; k < n; ++k) {
    const std::string& x = a.texts[std::min(k, a.texts.size() - 1)];
    const std::string& y = b.texts[std::min(k, b.texts.size() - 1)];
    const int order = ignoreCase ? CompareIgnoringCase(x, y) : CollateWithCase(x, y);
    out.numbers.push_back(order < 0 ? -1 : order > 0 ? 1 : 0);
  }
  return out;
}

constexpr FunctionInfo kFunctions[] = {
    {"Left", 2, 2, Left},
    {"Right", 2, 2, Right},
    {"LeftBack", 2, 2, LeftBack},
    {"RightBack", 2, 2, RightBack},
    {"Middle", 3, 3, MiddleFront},
    {"MiddleBack", 3, 3, MiddleBack},
    {"Trim", 1, 1, Trim},
    {"UpperCase", 1, 1, UpperCase},
    {"LowerCase", 1, 1, LowerCase},
    {"ProperCase", 1, 1, ProperCase},
    {"Length", 1, 1, Length},
    {"Begins", 2, 2, Begins},
    {"Ends", 2, 2, Ends},
    {"Contains", 2, 2, Contains},
    {"Like", 2, 3, LikeFunction},
    {"Replace", 3, 3, Replace},
    {"ReplaceSubstring", 3, 3, ReplaceSubstring},
    {"Implode", 1, 2, Implode},
    {"Explode", 1, 4, Explode},
    {"Word", 3, 3, Word},
    {"NewLine", 0, 0, NewLine},
    {"Char", 1, 1, Char},
    {"Repeat", 2, 3, Repeat},
    {"Text", 1, 2, Text},
    {"TextToNumber", 1, 1, TextToNumber},
    {"TextToTime", 1, 1, TextToTime},
    {"Compare", 2, 3, Compare},
};

}  // namespace

std::span<const FunctionInfo> TextFunctions() { return kFunctions; }

}  // namespace host::formula
