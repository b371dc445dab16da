#include "ini_text.h"

#include <vector>

#include "platform/cp932.h"

namespace platform {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Names match without regard to ASCII case, surrounding blanks trimmed.
bool NamesMatch(std::string_view a, std::string_view b) { return EqualsIgnoringAsciiCase(Trim(a), Trim(b)); }

enum class LineKind { Other, Section, Key };

struct Line {
  std::size_t begin = 0;
  std::size_t next = 0;  // past the line end
  bool hasLineEnd = false;
  LineKind kind = LineKind::Other;
  std::string_view name;   // section or key, trimmed
  std::string_view value;  // trimmed
};

Line Classify(std::string_view content) {
  Line line;
  const std::string_view trimmed = Trim(content);
  if (trimmed.empty() || trimmed.front() == ';') return line;
  if (trimmed.front() == '[') {
    line.kind = LineKind::Section;
    line.name = Trim(trimmed.substr(1, trimmed.find(']') - 1));
    return line;
  }
  const std::size_t equals = trimmed.find('=');
  if (equals == std::string_view::npos || Trim(trimmed.substr(0, equals)).empty()) return line;
  line.kind = LineKind::Key;
  line.name = Trim(trimmed.substr(0, equals));
  line.value = Trim(trimmed.substr(equals + 1));
  return line;
}

// A line ends at "\r\n", "\n" or a lone "\r".
std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find_first_of("\r\n", begin);
    std::size_t next = end;
    if (end == std::string_view::npos) {
      end = next = text.size();
    } else {
      next = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    Line line = Classify(text.substr(begin, end - begin));
    line.begin = begin;
    line.next = next;
    line.hasLineEnd = next > end;
    lines.push_back(line);
    begin = next;
  }
  return lines;
}

// The lines of the first section named `section`: its header and the lines up to the next header.
struct SectionLines {
  std::size_t header;
  std::size_t end;
};

std::optional<SectionLines> FindSection(const std::vector<Line>& lines, std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind != LineKind::Section || !NamesMatch(lines[i].name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && lines[end].kind != LineKind::Section) ++end;
    return SectionLines{i, end};
  }
  return std::nullopt;
}

bool IsKey(const Line& line, std::string_view key) {
  return line.kind == LineKind::Key && NamesMatch(line.name, key);
}

std::string KeyLine(std::string_view key, std::string_view value) {
  return std::string(Trim(key)) + "=" + std::string(value) + std::string(kLineEnd);
}

bool HasNone(std::string_view s, std::string_view forbidden) {
  return s.find_first_of(forbidden) == std::string_view::npos;
}

}  // namespace

std::optional<std::string_view> FindIniValue(std::string_view text, std::string_view section,
                                             std::string_view key) {
  const std::vector<Line> lines = SplitLines(text);
  const auto found = FindSection(lines, section);
  if (!found) return std::nullopt;
  for (std::size_t i = found->header + 1; i < found->end; ++i) {
    if (!IsKey(lines[i], key)) continue;
    std::string_view value = lines[i].value;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    return value;
  }
  return std::nullopt;
}

std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value) {
  const std::vector<Line> lines = SplitLines(text);
  const auto found = FindSection(lines, section);
  std::string result(text);
  if (!found) {
    if (!result.empty() && result.back() != '\n' && result.back() != '\r') result += kLineEnd;
    result += "[" + std::string(Trim(section)) + "]" + std::string(kLineEnd) + KeyLine(key, value);
    return result;
  }
  std::size_t after = found->header;  // the line the new key follows
  for (std::size_t i = found->header + 1; i < found->end; ++i) {
    if (IsKey(lines[i], key)) {
      return result.replace(lines[i].begin, lines[i].next - lines[i].begin, KeyLine(key, value));
    }
    if (lines[i].kind == LineKind::Key) after = i;
  }
  std::string insertion = KeyLine(key, value);
  if (!lines[after].hasLineEnd) insertion.insert(0, kLineEnd);
  return result.insert(lines[after].next, insertion);
}

std::string DeleteIniKey(std::string_view text, std::string_view section, std::string_view key) {
  const std::vector<Line> lines = SplitLines(text);
  const auto found = FindSection(lines, section);
  if (!found) return std::string(text);
  std::string result;
  std::size_t kept = 0;  // bytes of `text` copied so far or dropped
  for (std::size_t i = found->header + 1; i < found->end; ++i) {
    if (!IsKey(lines[i], key)) continue;
    result.append(text.substr(kept, lines[i].begin - kept));
    kept = lines[i].next;
  }
  result.append(text.substr(kept));
  return result;
}

std::string DeleteIniSection(std::string_view text, std::string_view section) {
  const std::vector<Line> lines = SplitLines(text);
  const auto found = FindSection(lines, section);
  if (!found) return std::string(text);
  const std::size_t begin = lines[found->header].begin;
  const std::size_t end = found->end < lines.size() ? lines[found->end].begin : text.size();
  return std::string(text.substr(0, begin)).append(text.substr(end));
}

bool IsWritableIniSection(std::string_view section) { return HasNone(section, "\r\n]"); }

bool IsWritableIniKey(std::string_view key) {
  const std::string_view trimmed = Trim(key);
  return !trimmed.empty() && trimmed.front() != ';' && trimmed.front() != '[' && HasNone(key, "\r\n=");
}

bool IsWritableIniValue(std::string_view value) { return HasNone(value, "\r\n"); }

}  // namespace platform
