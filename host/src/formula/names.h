// Hierarchical names of the platform ("CN=Jesse Gallagher/O=IKSG", "Jesse Gallagher/IKSG") and
// the parts @Name extracts.
//
// Internal to the formula engine.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace host::formula {

// @Name's action ("CN", "ABBREVIATE", "CANONICALIZE", "O", "OU1"-"OU4", "C", "G", "S", "I", "Q",
// "A", "P"; any case) applied to `name`; nullopt for an unknown action.
std::optional<std::string> NamePart(std::string_view action, std::string_view name);

}  // namespace host::formula
