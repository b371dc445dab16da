#include "names.h"

#include <vector>

#include "text_util.h"

namespace host::formula {
namespace {

struct Component {
  std::string tag;  // upper case: CN, OU, O, C, G, S, I, Q, A, P
  std::string value;
};

std::vector<std::string_view> Split(std::string_view name) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = name.find('/');
    parts.push_back(name.substr(0, at));
    if (at == std::string_view::npos) return parts;
    name = name.substr(at + 1);
  }
}

bool IsCanonical(std::string_view name) {
  const std::size_t eq = name.find('=');
  return eq != std::string_view::npos && eq < name.find('/');
}

// The components of a hierarchical name, from the most specific (CN) out. A flat name is a CN.
std::vector<Component> Components(std::string_view name) {
  std::vector<Component> out;
  const std::vector<std::string_view> parts = Split(name);
  if (IsCanonical(name)) {
    for (std::string_view part : parts) {
      const std::size_t eq = part.find('=');
      if (eq == std::string_view::npos) out.push_back({"CN", std::string(part)});
      else out.push_back({AsciiUpper(part.substr(0, eq)), std::string(part.substr(eq + 1))});
    }
    return out;
  }
  const std::size_t n = parts.size();
  out.push_back({"CN", std::string(parts[0])});
  if (n == 1) return out;
  const bool hasCountry = n >= 3 && parts[n - 1].size() == 2;
  const std::size_t org = hasCountry ? n - 2 : n - 1;
  for (std::size_t i = 1; i < org; ++i) out.push_back({"OU", std::string(parts[i])});
  out.push_back({"O", std::string(parts[org])});
  if (hasCountry) out.push_back({"C", std::string(parts[n - 1])});
  return out;
}

std::string Joined(const std::vector<Component>& components, bool withTags) {
  std::string out;
  for (const Component& c : components) {
    if (!out.empty()) out += '/';
    if (withTags) out += c.tag + "=";
    out += c.value;
  }
  return out;
}

}  // namespace

std::optional<std::string> NamePart(std::string_view action, std::string_view name) {
  const std::string act = AsciiUpper(action);
  const std::vector<Component> components = Components(name);
  const bool hierarchical = name.find('/') != std::string_view::npos || IsCanonical(name);
  if (act == "ABBREVIATE") return hierarchical ? Joined(components, false) : std::string(name);
  if (act == "CANONICALIZE") return hierarchical ? Joined(components, true) : std::string(name);
  int ouIndex = 0;
  std::string tag = act;
  if (act.size() == 3 && act.compare(0, 2, "OU") == 0 && act[2] >= '1' && act[2] <= '4') {
    ouIndex = act[2] - '0';
    tag = "OU";
  } else if (act != "CN" && act != "O" && act != "C" && act != "G" && act != "S" && act != "I" && act != "Q" &&
             act != "A" && act != "P") {
    return std::nullopt;
  }
  int seen = 0;
  for (const Component& c : components) {
    if (c.tag != tag) continue;
    if (tag != "OU" || ++seen == ouIndex) return c.value;
  }
  return std::string();
}

}  // namespace host::formula
