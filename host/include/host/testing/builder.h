// Databases made in a few lines of C++, for tests: documents with items of every type, rich text
// and attachments, views and folders with their columns, forms and subforms.
//
//   host::testing::DatabaseBuilder db("Sales", "sales.nsf");
//   NOTEID doc = db.Document("Order").Text("Name", {"Abe"}).Numbers("Qty", {3}).Id();
//   NOTEID view = db.View("By Name").Column({.title = "Name", .itemName = "Name"}).Id();
//   DBHANDLE handle = db.Register();
//
// Texts are UTF-8. Note IDs are given out as 0x102, 0x106, ... in the order notes are made. The
// database stays shared with the handle table: what is added after Register is seen through it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/lnformats.h"
#include "host/lntypes.h"

namespace host::testing {

// A date/time in parts: no date when `year` is 0, no time when `hour` is -1.
struct Datetime {
  int year = 0, month = 1, day = 1;
  int hour = -1, minute = 0, second = 0, hundredths = 0;
  int zoneMinutes = 540;  // east of UTC; Japan by default
  bool dst = false;
};
LNAPI Datetime Date(int year, int month, int day);
LNAPI Datetime Time(int hour, int minute, int second, int hundredths = 0);
LNAPI Datetime At(int year, int month, int day, int hour, int minute, int second);

// Rich text, object by object in document order.
class LNAPI RichText {
 public:
  struct Part {
    LNRTTYPE type = LNRTTYPE_TEXT;
    std::string text{};            // text
    std::string name{};            // attachment name, field name, subform name
    std::string fileName{};        // attachment: the file name shown
    LNCOMPUTEOPTION computeOption = LNCOMPUTEOPTION_EDITABLE;
    std::string valueFormula{};    // field
    std::string description{};     // field
  };
  RichText& Text(std::string text);
  RichText& Attachment(std::string attachmentName, std::string fileName);
  RichText& Field(std::string name, LNCOMPUTEOPTION option = LNCOMPUTEOPTION_EDITABLE,
                  std::string valueFormula = "", std::string description = "");
  RichText& SubformRef(std::string subformName);
  const std::vector<Part>& Parts() const { return parts_; }

 private:
  std::vector<Part> parts_;
};

class DatabaseBuilder;

class LNAPI DocumentBuilder {
 public:
  DocumentBuilder& Text(std::string name, std::vector<std::string> values);
  DocumentBuilder& Numbers(std::string name, std::vector<double> values,
                           std::vector<std::pair<double, double>> ranges = {});
  DocumentBuilder& Datetimes(std::string name, std::vector<Datetime> values,
                             std::vector<std::pair<Datetime, Datetime>> ranges = {});
  DocumentBuilder& RichTextItem(std::string name, const RichText& body);
  // An item of a type the exporter does not handle, with that type code (0, 17, 0x600 ...).
  DocumentBuilder& Unsupported(std::string name, std::uint32_t typeCode = 0);
  // An attachment in the $FILE item; `inRichText` when a rich-text item refers to it. An
  // unsupported one lists but cannot be detached.
  DocumentBuilder& Attachment(std::string attachmentName, std::string fileName, std::string bytes,
                              bool inRichText = false, bool supported = true);
  DocumentBuilder& ResponseTo(NOTEID parent);
  DocumentBuilder& Deleted();
  NOTEID Id() const { return id_; }

 private:
  friend class DatabaseBuilder;
  DocumentBuilder(std::shared_ptr<host::model::Database> database, NOTEID id) : database_(std::move(database)), id_(id) {}
  std::shared_ptr<host::model::Database> database_;
  NOTEID id_;
};

enum class Sort { None, Ascending, Descending };

struct ColumnDesign {
  std::optional<std::string> title{};  // none: an untitled column
  std::string itemName{};
  std::string formula{};  // "": the item name
  bool hidden = false;
  bool icons = false;
  bool categorized = false;  // a categorised column sorts ascending unless it says descending
  double width = 10;         // in average characters
  Sort sort = Sort::None;
  LNVFSEPARATOR separator = LNVFSEPARATOR_COMMA;
  LNNumberFormat numberFormat{};
  LNDatetimeFormat datetimeFormat{};
};

class LNAPI ViewBuilder {
 public:
  ViewBuilder& Alias(std::string alias);
  ViewBuilder& Selection(std::string formula);  // a view selects all documents without one
  ViewBuilder& Column(const ColumnDesign& column);
  NOTEID Id() const { return id_; }

 private:
  friend class DatabaseBuilder;
  ViewBuilder(std::shared_ptr<host::model::Database> database, NOTEID id) : database_(std::move(database)), id_(id) {}
  std::shared_ptr<host::model::Database> database_;
  NOTEID id_;
};

class LNAPI FormBuilder {
 public:
  FormBuilder& Alias(std::string alias);
  FormBuilder& Comment(std::string comment);
  FormBuilder& WindowTitle(std::string formula);
  FormBuilder& Body(const RichText& body);
  NOTEID Id() const { return id_; }

 private:
  friend class DatabaseBuilder;
  FormBuilder(std::shared_ptr<host::model::Database> database, NOTEID id) : database_(std::move(database)), id_(id) {}
  std::shared_ptr<host::model::Database> database_;
  NOTEID id_;
};

class LNAPI DatabaseBuilder {
 public:
  explicit DatabaseBuilder(std::string title = "Test", std::string filePath = "test.nsf",
                           std::string server = "");
  // A document; `form` ("" for none) is its "Form" item.
  DocumentBuilder Document(std::string form = "");
  DocumentBuilder Document(NOTEID id, std::string form);
  ViewBuilder View(std::string name);
  ViewBuilder Folder(std::string name);  // holds no documents without a selection
  FormBuilder Form(std::string name);
  FormBuilder Subform(std::string name);
  // Opens the database in the handle table (once; later calls give the same handle).
  DBHANDLE Register();

 private:
  NOTEID NextId();
  std::shared_ptr<host::model::Database> database_;
  DBHANDLE handle_ = 0;
};

}  // namespace host::testing
