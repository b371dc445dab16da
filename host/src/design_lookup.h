// Finding design notes by name.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "model.h"

namespace host {

// The first live note of `noteClass` whose name or one of whose aliases is `name` (ASCII letters
// without regard to case); null when there is none.
const model::Note* FindDesign(const model::Database& database, model::NoteClass noteClass, std::string_view name);

// The items a note shows: a document's own; a form's or subform's body as its "$BODY" item.
std::vector<model::Item> ItemsOf(const model::Note& note);
// The first of those items named `name` (ASCII letters without regard to case).
std::optional<model::Item> ShownItem(const model::Note& note, std::string_view name);

}  // namespace host
