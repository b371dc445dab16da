#include "host/testing/builder.h"

#include "formats.h"
#include "index/handles.h"
#include "model.h"

namespace host::testing {
namespace {

model::DateTime ToModel(const Datetime& d) {
  model::DateTime t;
  if (d.year != 0) t.date = model::DaysFromCivil(d.year, static_cast<unsigned>(d.month), static_cast<unsigned>(d.day));
  if (d.hour >= 0) t.time = ((d.hour * 60 + d.minute) * 60 + d.second) * 100 + d.hundredths;
  t.zoneMinutes = static_cast<std::int16_t>(d.zoneMinutes);
  t.dst = d.dst;
  return t;
}

model::RichText ToModel(const RichText& body) {
  model::RichText rt;
  for (const RichText::Part& p : body.Parts()) {
    model::RTElement e;
    e.type = static_cast<model::RTType>(p.type);
    e.text = p.text;
    if (p.type == LNRTTYPE_ATTACHMENT) e.attachmentName = p.name, e.fileName = p.fileName;
    if (p.type == LNRTTYPE_FORM_FIELD) {
      e.fieldName = p.name;
      e.computeOption = static_cast<model::ComputeOption>(p.computeOption);
      e.fieldType = "text";
      e.valueFormula = p.valueFormula;
      e.description = p.description;
    }
    if (p.type == LNRTTYPE_SUBFORM) e.subformName = p.name;
    rt.elements.push_back(std::move(e));
  }
  return rt;
}

model::Note& NoteOf(const std::shared_ptr<model::Database>& db, NOTEID id) { return db->notes.at(id); }

}  // namespace

Datetime Date(int year, int month, int day) { return Datetime{.year = year, .month = month, .day = day}; }
Datetime Time(int hour, int minute, int second, int hundredths) {
  return Datetime{.hour = hour, .minute = minute, .second = second, .hundredths = hundredths};
}
Datetime At(int year, int month, int day, int hour, int minute, int second) {
  return Datetime{.year = year, .month = month, .day = day, .hour = hour, .minute = minute, .second = second};
}

RichText& RichText::Text(std::string text) {
  parts_.push_back({.type = LNRTTYPE_TEXT, .text = std::move(text)});
  return *this;
}
RichText& RichText::Attachment(std::string attachmentName, std::string fileName) {
  parts_.push_back({.type = LNRTTYPE_ATTACHMENT, .name = std::move(attachmentName), .fileName = std::move(fileName)});
  return *this;
}
RichText& RichText::Field(std::string name, LNCOMPUTEOPTION option, std::string valueFormula, std::string description) {
  parts_.push_back({.type = LNRTTYPE_FORM_FIELD, .name = std::move(name), .computeOption = option,
                    .valueFormula = std::move(valueFormula), .description = std::move(description)});
  return *this;
}
RichText& RichText::SubformRef(std::string subformName) {
  parts_.push_back({.type = LNRTTYPE_SUBFORM, .name = std::move(subformName)});
  return *this;
}

DocumentBuilder& DocumentBuilder::Text(std::string name, std::vector<std::string> values) {
  NoteOf(database_, id_).items.push_back({std::move(name), model::Text{std::move(values)}, model::kSummary});
  return *this;
}

DocumentBuilder& DocumentBuilder::Numbers(std::string name, std::vector<double> values,
                                          std::vector<std::pair<double, double>> ranges) {
  model::Numbers n{std::move(values), {}};
  for (const auto& [lower, upper] : ranges) n.ranges.push_back({lower, upper});
  NoteOf(database_, id_).items.push_back({std::move(name), std::move(n), model::kSummary});
  return *this;
}

DocumentBuilder& DocumentBuilder::Datetimes(std::string name, std::vector<Datetime> values,
                                            std::vector<std::pair<Datetime, Datetime>> ranges) {
  model::DateTimes d;
  for (const Datetime& v : values) d.values.push_back(ToModel(v));
  for (const auto& [lower, upper] : ranges) d.ranges.push_back({ToModel(lower), ToModel(upper)});
  NoteOf(database_, id_).items.push_back({std::move(name), std::move(d), model::kSummary});
  return *this;
}

DocumentBuilder& DocumentBuilder::RichTextItem(std::string name, const RichText& body) {
  NoteOf(database_, id_).items.push_back({std::move(name), ToModel(body), 0});
  return *this;
}

DocumentBuilder& DocumentBuilder::Unsupported(std::string name, std::uint32_t typeCode) {
  NoteOf(database_, id_).items.push_back({std::move(name), model::Unsupported{"rawitemdata", typeCode}, 0});
  return *this;
}

DocumentBuilder& DocumentBuilder::Attachment(std::string attachmentName, std::string fileName, std::string bytes,
                                             bool inRichText, bool supported) {
  model::Attachment attachment;
  attachment.name = std::move(attachmentName);
  attachment.fileName = std::move(fileName);
  attachment.data = std::move(bytes);
  attachment.supported = supported;
  attachment.inRichText = inRichText;
  NoteOf(database_, id_).Extras().attachments.push_back(std::move(attachment));
  return *this;
}

DocumentBuilder& DocumentBuilder::ResponseTo(NOTEID parent) {
  NoteOf(database_, id_).Extras().parentUnid = NoteOf(database_, parent).unid;
  return *this;
}

DocumentBuilder& DocumentBuilder::Deleted() {
  NoteOf(database_, id_).deleted = true;
  database_->lookup.Reset();
  database_->designs.Reset();
  return *this;
}

ViewBuilder& ViewBuilder::Alias(std::string alias) {
  NoteOf(database_, id_).view->aliases.push_back(std::move(alias));
  return *this;
}

ViewBuilder& ViewBuilder::Selection(std::string formula) {
  NoteOf(database_, id_).view->selectionFormula = std::move(formula);
  return *this;
}

ViewBuilder& ViewBuilder::Column(const ColumnDesign& column) {
  model::Column c;
  c.title = column.title;
  c.itemName = column.itemName;
  c.formula = column.formula.empty() ? column.itemName : column.formula;
  c.hidden = column.hidden;
  c.showAsIcons = column.icons;
  c.categorized = column.categorized;
  c.width = column.width;
  c.sort = column.sort == Sort::Descending ? model::SortOrder::Descending
           : column.sort == Sort::Ascending || column.categorized ? model::SortOrder::Ascending
                                                                   : model::SortOrder::None;
  c.separator = column.separator;
  c.numberFormat = host::ToModel(column.numberFormat);
  c.datetimeFormat = host::ToModel(column.datetimeFormat);
  NoteOf(database_, id_).view->columns.push_back(std::move(c));
  return *this;
}

FormBuilder& FormBuilder::Alias(std::string alias) {
  NoteOf(database_, id_).form->aliases.push_back(std::move(alias));
  database_->designs.Reset();
  return *this;
}
FormBuilder& FormBuilder::Comment(std::string comment) {
  NoteOf(database_, id_).form->comment = std::move(comment);
  return *this;
}
FormBuilder& FormBuilder::WindowTitle(std::string formula) {
  NoteOf(database_, id_).form->windowTitleFormula = std::move(formula);
  return *this;
}
FormBuilder& FormBuilder::Body(const RichText& body) {
  NoteOf(database_, id_).form->body = ToModel(body);
  return *this;
}

DatabaseBuilder::DatabaseBuilder(std::string title, std::string filePath, std::string server)
    : database_(std::make_shared<model::Database>()) {
  database_->title = std::move(title);
  database_->filePath = std::move(filePath);
  database_->server = std::move(server);
}

NOTEID DatabaseBuilder::NextId() {
  const NOTEID id = database_->notes.empty() ? 0x102 : database_->notes.rbegin()->first + 4;
  return id;
}

DocumentBuilder DatabaseBuilder::Document(std::string form) { return Document(NextId(), std::move(form)); }

DocumentBuilder DatabaseBuilder::Document(NOTEID id, std::string form) {
  model::Note note;
  note.noteId = id;
  note.unid = model::Unid("UNID" + std::to_string(id));
  if (!form.empty()) note.items.push_back({"Form", model::Text{{std::move(form)}}, model::kSummary});
  database_->notes[id] = std::move(note);
  return DocumentBuilder(database_, id);
}

namespace {

NOTEID AddDesign(model::Database& db, NOTEID id, model::NoteClass noteClass) {
  model::Note note;
  note.noteId = id;
  note.unid = model::Unid("UNID" + std::to_string(id));
  note.noteClass = noteClass;
  db.notes[id] = std::move(note);
  return id;
}

}  // namespace

ViewBuilder DatabaseBuilder::View(std::string name) {
  const NOTEID id = AddDesign(*database_, NextId(), model::NoteClass::View);
  database_->notes[id].view = model::ViewDesign{std::move(name), {}, "SELECT @All", {}};
  return ViewBuilder(database_, id);
}

ViewBuilder DatabaseBuilder::Folder(std::string name) {
  const NOTEID id = AddDesign(*database_, NextId(), model::NoteClass::Folder);
  database_->notes[id].view = model::ViewDesign{std::move(name), {}, "", {}};
  return ViewBuilder(database_, id);
}

FormBuilder DatabaseBuilder::Form(std::string name) {
  const NOTEID id = AddDesign(*database_, NextId(), model::NoteClass::Form);
  database_->notes[id].form.emplace().name = std::move(name);
  return FormBuilder(database_, id);
}

FormBuilder DatabaseBuilder::Subform(std::string name) {
  const NOTEID id = AddDesign(*database_, NextId(), model::NoteClass::Subform);
  database_->notes[id].form.emplace().name = std::move(name);
  return FormBuilder(database_, id);
}

DBHANDLE DatabaseBuilder::Register() {
  if (handle_ == 0) handle_ = host::handles::AddDatabase(database_);
  return handle_;
}

}  // namespace host::testing
