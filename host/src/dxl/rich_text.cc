#include "dxl/rich_text.h"

#include <string>

#include "dxl/xml_access.h"

namespace host::dxl {
namespace {

model::ComputeOption ComputeOptionOf(std::string_view kind) {
  if (kind.empty() || kind == "editable") return model::ComputeOption::Editable;
  if (kind == "computed") return model::ComputeOption::Computed;
  if (kind == "computedfordisplay") return model::ComputeOption::ComputedForDisplay;
  if (kind == "computedwhencomposed") return model::ComputeOption::ComputedWhenComposed;
  throw Malformed{"<field> kind '" + std::string(kind) + "' is unknown"};
}

// Appends character data without the layout line breaks: each newline together with the spaces
// and tabs that follow it.
void AppendContentText(std::string& out, std::string_view data) {
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (data[i] != '\n') {
      out += data[i];
      continue;
    }
    while (i + 1 < data.size() && (data[i + 1] == ' ' || data[i + 1] == '\t')) ++i;
  }
}

// Rich text nests paragraphs, runs, tables and sections a few levels deep; a file nested deeper
// than this is refused rather than walked (the walk recurses once per level).
constexpr int kMaxDepth = 256;

class Walker {
 public:
  model::RichText Walk(pugi::xml_node richtext) {
    WalkChildren(richtext, false);
    Flush();
    return std::move(result_);
  }

 private:
  void WalkChildren(pugi::xml_node node, bool textHere) {
    if (++depth_ > kMaxDepth) throw Malformed{"rich text nested deeper than " + std::to_string(kMaxDepth) + " elements"};
    for (pugi::xml_node child : node.children()) Visit(child, textHere);
    --depth_;
  }

  void Visit(pugi::xml_node node, bool textHere) {
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
      if (textHere) AppendContentText(pending_, node.value());
      return;
    }
    if (node.type() != pugi::node_element) return;
    const std::string_view name = LocalName(node);
    if (name == "par") {
      Flush();
      if (paragraphs_++ > 0) pending_ += '\n';
      WalkChildren(node, true);
      Flush();
    } else if (name == "run") {
      WalkChildren(node, true);
      Flush();
    } else if (name == "break") {
      pending_ += '\n';
    } else if (name == "field") {
      Add(Field(node));
    } else if (name == "attachmentref") {
      model::RTElement element;
      element.type = model::RTType::Attachment;
      element.attachmentName = Attr(node, "name");
      const pugi::xml_attribute displayName = node.attribute("displayname");
      element.fileName = displayName ? displayName.value() : element.attachmentName;
      Add(std::move(element));
    } else if (name == "subformref") {
      model::RTElement element;
      element.type = model::RTType::SubformRef;
      element.subformName = Attr(node, "name");
      Add(std::move(element));
    } else {
      WalkChildren(node, false);
    }
  }

  static model::RTElement Field(pugi::xml_node node) {
    model::RTElement field;
    field.type = model::RTType::FormField;
    field.fieldName = Attr(node, "name");
    field.computeOption = ComputeOptionOf(Attr(node, "kind"));
    field.fieldType = Attr(node, "type");
    field.description = Attr(node, "description");
    if (field.computeOption != model::ComputeOption::Editable)
      FindCodeFormula(node, "defaultvalue", field.valueFormula);
    return field;
  }

  void Add(model::RTElement element) {
    Flush();
    result_.elements.push_back(std::move(element));
  }

  void Flush() {
    if (pending_.empty()) return;
    model::RTElement text;
    text.type = model::RTType::Text;
    text.text = std::move(pending_);
    pending_.clear();
    result_.elements.push_back(std::move(text));
  }

  model::RichText result_;
  std::string pending_;
  int paragraphs_ = 0;
  int depth_ = 0;
};

}  // namespace

model::RichText ReadRichText(pugi::xml_node richtext) { return Walker().Walk(richtext); }

}  // namespace host::dxl
