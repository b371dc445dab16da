// @All @DocumentUniqueID @NoteID @IsResponseDoc @Author @Attachments @AttachmentNames
// @AttachmentLengths @IsAvailable @IsUnavailable @IsNumber @IsText @IsTime @Name @IsCategory
#include <cstdio>

#include "function_support.h"
#include "names.h"

namespace host::formula {
namespace {

const model::Note* Document(const State& state) { return state.context().document; }

Val All(State&, const Node&) { return Val::Bool(true); }

Val DocumentUniqueID(State& state, const Node&) {
  const model::Note* note = Document(state);
  return Val::Text(note ? std::string(note->unid) : "");
}

Val NoteID(State& state, const Node&) {
  const model::Note* note = Document(state);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "NT%08X", note ? note->noteId : 0u);
  return Val::Text(buffer);
}

Val IsResponseDoc(State& state, const Node&) {
  const model::Note* note = Document(state);
  return Val::Bool(note && !note->ParentUnid().empty());
}

// The names of the document's first Authors item that holds any, else of its From item, else of
// its $UpdatedBy: abbreviated names.
Val Author(State& state, const Node&) {
  Val names = Val::Text("");
  if (const model::Note* note = Document(state)) {
    for (const model::Item& item : note->items) {
      if (!(item.flags & model::kAuthors)) continue;
      names = state.FieldValue(item.name);
      if (names.type == Type::Text && !names.IsEmptyText()) break;
    }
  }
  if (names.type != Type::Text || names.IsEmptyText()) names = state.FieldValue("From");
  if (names.type != Type::Text || names.IsEmptyText()) names = state.FieldValue("$UpdatedBy");
  if (names.type != Type::Text) return Val::Text("");
  return MapTexts(std::move(names), [](const std::string& name) { return *NamePart("ABBREVIATE", name); });
}

Val Attachments(State& state, const Node&) {
  const model::Note* note = Document(state);
  return Val::Number(note ? static_cast<double>(note->Attachments().size()) : 0);
}

Val AttachmentNames(State& state, const Node&) {
  const model::Note* note = Document(state);
  Val out = Val::Texts({});
  if (note)
    for (const model::Attachment& a : note->Attachments()) out.texts.push_back(a.fileName.empty() ? a.name : a.fileName);
  if (out.texts.empty()) out.texts.emplace_back();
  return out;
}

Val AttachmentLengths(State& state, const Node&) {
  const model::Note* note = Document(state);
  Val out = Val::Numbers({});
  if (note)
    for (const model::Attachment& a : note->Attachments()) out.numbers.push_back(static_cast<double>(a.Size()));
  if (out.numbers.empty()) out.numbers.push_back(0);
  return out;
}

Val IsAvailable(State& state, const Node& call) { return Val::Bool(state.FieldExists(call.children[0]->name)); }
Val IsUnavailable(State& state, const Node& call) { return Val::Bool(!state.FieldExists(call.children[0]->name)); }

template <Type type>
Val IsType(State& state, const Node& call) {
  return Val::Bool(state.Arg(call, 0).type == type);
}

Val Name(State& state, const Node& call) {
  const std::string action = TextOf(state, call, 0);
  Val names = TextArg(state, call, 1);
  for (std::string& name : names.texts) {
    auto part = NamePart(action, name);
    if (!part) state.Fail(*call.children[0], kErrFormulaArgument, "@Name: unknown action [" + action + "]");
    name = std::move(*part);
  }
  return names;
}

// "*" (or the given text) on a category row; "" (or the other given text) on a document's row.
Val IsCategory(State& state, const Node& call) {
  const bool category = state.context().isCategory;
  if (call.children.empty()) return Val::Text(category ? "*" : "");
  if (category) return TextArg(state, call, 0);
  return call.children.size() > 1 ? TextArg(state, call, 1) : Val::Text("");
}

constexpr FunctionInfo kFunctions[] = {
    {"All", 0, 0, All},
    {"DocumentUniqueID", 0, 0, DocumentUniqueID},
    {"NoteID", 0, 0, NoteID},
    {"IsResponseDoc", 0, 0, IsResponseDoc},
    {"Author", 0, 0, Author},
    {"Attachments", 0, 0, Attachments},
    {"AttachmentNames", 0, 0, AttachmentNames},
    {"AttachmentLengths", 0, 0, AttachmentLengths},
    {"IsAvailable", 1, 1, IsAvailable, ArgRule::FieldName},
    {"IsUnavailable", 1, 1, IsUnavailable, ArgRule::FieldName},
    {"IsNumber", 1, 1, IsType<Type::Number>},
    {"IsText", 1, 1, IsType<Type::Text>},
    {"IsTime", 1, 1, IsType<Type::Time>},
    {"Name", 2, 2, Name},
    {"IsCategory", 0, 2, IsCategory},
};

}  // namespace

std::span<const FunctionInfo> DocumentFunctions() { return kFunctions; }

}  // namespace host::formula
