// What the LN classes hold inside, and the library's own way to make and read them.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "formula/engine.h"
#include "host/notes.h"
#include "model.h"

namespace host {

// A note of a database, shared by every LN object that refers to it.
struct NoteData {
  std::shared_ptr<model::Database> database;
  const model::Note* note = nullptr;  // into database->notes, whose nodes never move
  bool open = false;
};

// An item's own copy of its value, and the note it came from (null for a new item or a formula's
// result): rich text needs the note for its attachments and the database for its subforms.
struct ItemData {
  model::Item item;
  std::shared_ptr<const NoteData> note;
  ItemData* nextKept = nullptr;  // while kept for reuse (MakeItemData)
};

// A formula's text and its program, compiled when assigned or, for a design's formula, when first
// evaluated.
struct FormulaData {
  std::string text;  // UTF-8
  mutable std::shared_ptr<const formula::Program> program;
};

struct Access {
  static const std::string& Text(const LNString& s) { return s.text_; }
  static std::string&& Text(LNString&& s) { return std::move(s.text_); }
  static LNString String(std::string utf8) {
    LNString s;
    s.text_ = std::move(utf8);
    return s;
  }

  static model::DateTime ModelOf(const LNDatetime& d) {
    return {d.parts_.date, d.parts_.time, d.parts_.zoneMinutes, d.parts_.dst};
  }
  static LNDatetime DatetimeOf(const model::DateTime& value) {
    LNDatetime d;
    d.parts_ = {value.date, value.time, value.zoneMinutes, value.dst};
    return d;
  }
  static const std::shared_ptr<ItemData>& Data(const LNItem& item) { return item.data_; }
  static void SetData(LNItem& item, std::shared_ptr<ItemData> data) { item.data_ = std::move(data); }
  static LNItem Item(std::shared_ptr<ItemData> data) {
    LNItem item;
    item.data_ = std::move(data);
    return item;
  }
  static std::vector<LNItem>& Items(LNItemArray& array) { return array.items_; }

  static const std::shared_ptr<NoteData>& Data(const LNNote& note) { return note.data_; }
  static void SetData(LNNote& note, std::shared_ptr<NoteData> data) { note.data_ = std::move(data); }

  static std::vector<NOTEID>& Ids(LNNoteArray& array) { return array.ids_; }
  static std::vector<LNAttachment>& Attachments(LNAttachmentArray& array) { return array.attachments_; }
  static std::vector<LNFormField>& Fields(LNFormFieldArray& array) { return array.fields_; }
  static LNAttachment Attachment(std::shared_ptr<const NoteData> note, std::string name) {
    LNAttachment a;
    a.note_ = std::move(note);
    a.name_ = std::move(name);
    return a;
  }
  static const model::Attachment* Find(const LNAttachment& a);

  static const std::shared_ptr<const ItemData>& Item(const LNRTObject& o) { return o.item_; }
  static LNINT Index(const LNRTObject& o) { return o.index_; }
  static void Set(LNRTObject& o, std::shared_ptr<const ItemData> item, LNINT index) {
    o.item_ = std::move(item);
    o.index_ = index;
  }
  static void Set(LNRTCursor& c, std::shared_ptr<const ItemData> item) {
    c.item_ = std::move(item);
    c.position_ = -1;
  }

  static const std::shared_ptr<const FormulaData>& Data(const LNFormula& f) { return f.data_; }
  // A design's formula: kept as text, compiled when first evaluated.
  static LNFormula DesignFormula(std::string text) {
    LNFormula f;
    if (!text.empty()) f.data_ = std::make_shared<FormulaData>(FormulaData{std::move(text), nullptr});
    return f;
  }

  static void Set(LNVFColumn& c, std::shared_ptr<const NoteData> view, LNINT index) {
    c.view_ = std::move(view);
    c.index_ = index;
  }
  static const model::Column& Column(const LNVFColumn& c);

  static void Set(LNDatabase& d, std::shared_ptr<model::Database> database, DBHANDLE handle) {
    d.database_ = std::move(database);
    d.handle_ = handle;
  }
  static const std::shared_ptr<model::Database>& Database(const LNDatabase& d) { return d.database_; }

  static const model::International& Settings(const LNInternational& i) { return *i.settings_; }
  static LNInternational International(model::International settings) {
    LNInternational i;
    i.settings_ = std::make_shared<const model::International>(std::move(settings));
    return i;
  }
};

// The note an LN note object refers to, which must be open: kErrNullObject, kErrNotOpen.
const model::Note& OpenNote(const NoteData* data);
// An item of `note` for the LN classes: its own copy of the value.
LNItem MakeItem(const model::Item& item, std::shared_ptr<const NoteData> note);

}  // namespace host
