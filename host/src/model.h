// The host's in-memory database: what the DXL reader fills, what the test builder makes, and
// what the LN classes, the formula engine and the view indexer read.
//
// Internal to the host library: nothing outside host/ includes this header. Text is UTF-8.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <map>
#include <set>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace host::model {

// A point in time as the platform keeps it: a date, a time of day, or both, with the zone the
// value was written in. `date` counts days from 1970-01-01 in the value's own zone; `time` counts
// hundredths of a second since that zone's midnight. Either may be absent (date only, time only).
struct DateTime {
  static constexpr std::int32_t kNoDate = INT32_MIN;
  static constexpr std::int32_t kNoTime = -1;
  std::int32_t date = kNoDate;
  std::int32_t time = kNoTime;
  std::int16_t zoneMinutes = 0;  // offset east of UTC, daylight saving included
  bool dst = false;

  bool HasDate() const { return date != kNoDate; }
  bool HasTime() const { return time != kNoTime; }
  friend bool operator==(const DateTime&, const DateTime&) = default;
};

struct DateTimeRange {
  DateTime lower, upper;
  friend bool operator==(const DateTimeRange&, const DateTimeRange&) = default;
};
struct NumberRange {
  double lower = 0, upper = 0;
  friend bool operator==(const NumberRange&, const NumberRange&) = default;
};

struct Text {
  std::vector<std::string> values;
  friend bool operator==(const Text&, const Text&) = default;
};
struct Numbers {
  std::vector<double> values;
  std::vector<NumberRange> ranges;
  friend bool operator==(const Numbers&, const Numbers&) = default;
};
struct DateTimes {
  std::vector<DateTime> values;
  std::vector<DateTimeRange> ranges;
  friend bool operator==(const DateTimes&, const DateTimes&) = default;
};

// Rich-text element types, as the cursor walks them.
enum class RTType : int { Text = 7, Attachment = 23, FormField = 44, SubformRef = 55 };

enum class ComputeOption : int { Editable = 0, Computed = 1, ComputedForDisplay = 2, ComputedWhenComposed = 3 };

struct RTElement {
  RTType type = RTType::Text;
  std::string text;            // Text: the characters, line feeds included
  std::string attachmentName;  // Attachment: the $FILE attachment it refers to
  std::string fileName;        // Attachment: the name shown (displayname)
  // FormField
  std::string fieldName;
  ComputeOption computeOption = ComputeOption::Editable;
  std::string fieldType;       // DXL `type` attribute, as written
  std::string valueFormula;    // the default-value formula of computed kinds
  std::string description;     // help description
  // SubformRef
  std::string subformName;
  friend bool operator==(const RTElement&, const RTElement&) = default;
};

struct RichText {
  std::vector<RTElement> elements;  // document order
  friend bool operator==(const RichText&, const RichText&) = default;
};

// An item of a type the exporter does not support; `kind` names what it was (DXL element name).
struct Unsupported {
  std::string kind;
  std::uint32_t typeCode = 0;  // the host's item type code when known (rawitemdata's `type`), else 0
  friend bool operator==(const Unsupported&, const Unsupported&) = default;
};

using Value = std::variant<Text, Numbers, DateTimes, RichText, Unsupported>;

enum ItemFlags : std::uint16_t {
  kSummary = 0x0004,
  kNames = 0x0040,
  kReaders = 0x0400,
  kAuthors = 0x0020,
  kProtected = 0x0200,
};

struct Item {
  std::string name;
  Value value;
  std::uint16_t flags = 0;
  friend bool operator==(const Item&, const Item&) = default;
};

// A value held on the heap, copied with its owner; an optional for large values most owners lack.
template <typename T>
class Boxed {
 public:
  Boxed() = default;
  Boxed(const Boxed& other) : value_(other.value_ ? std::make_unique<T>(*other.value_) : nullptr) {}
  Boxed(Boxed&&) noexcept = default;
  Boxed& operator=(const Boxed& other) {
    if (this != &other) value_ = other.value_ ? std::make_unique<T>(*other.value_) : nullptr;
    return *this;
  }
  Boxed& operator=(Boxed&&) noexcept = default;
  Boxed& operator=(T value) {
    value_ = std::make_unique<T>(std::move(value));
    return *this;
  }
  T& emplace() {
    value_ = std::make_unique<T>();
    return *value_;
  }
  void reset() { value_.reset(); }
  explicit operator bool() const { return value_ != nullptr; }
  bool has_value() const { return value_ != nullptr; }
  T* operator->() const { return value_.get(); }
  T& operator*() const { return *value_; }

 private:
  std::unique_ptr<T> value_;
};

// A note's items in file order, kept encoded in one block of bytes (a large database holds
// millions of items, and an Item with its heap strings is several times the size of its
// content). Items are read back as decoded copies.
class ItemList {
 public:
  ItemList() = default;
  ItemList(const std::vector<Item>& items);  // NOLINT: a list of items is an item list
  ItemList(std::initializer_list<Item> items) : ItemList(std::vector<Item>(items)) {}

  void push_back(const Item& item);
  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }

  // The first item whose name matches `name` without regard to ASCII case.
  std::optional<Item> Find(std::string_view name) const;
  Item operator[](std::size_t index) const;

  class const_iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = Item;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = Item;
    const_iterator() = default;
    Item operator*() const;
    const_iterator operator++(int) {
      const_iterator before = *this;
      ++*this;
      return before;
    }
    const_iterator& operator++();
    friend bool operator==(const const_iterator&, const const_iterator&) = default;

   private:
    friend class ItemList;
    const_iterator(const ItemList* list, std::size_t offset) : list_(list), offset_(offset) {}
    const ItemList* list_ = nullptr;
    std::size_t offset_ = 0;
  };
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, bytes_.size()}; }

 private:
  std::string bytes_;
  Boxed<std::vector<RichText>> richTexts_;  // rich-text values, too structured to encode; referred to by index
  std::uint32_t count_ = 0;
};


// A file a database was read from, as it was then: an attachment left in it is read from it only
// while it is still so.
struct StoredFile {
  std::string path;  // file-system path
  std::uint64_t size = 0;
  std::int64_t modifiedNanoseconds = 0;
};

// A file kept in a document's $FILE item.
struct Attachment {
  std::string name;      // attachment name (unique in the note)
  std::string fileName;  // recorded file name
  std::string data;      // the file's bytes, unless they were left in the database's file
  bool supported = true; // false: compressed in a way the host cannot expand; detaching fails
  bool inRichText = false;
  // A large attachment's bytes stay in the file: `data` is empty and these say where its base64
  // text begins and how many bytes it holds.
  std::shared_ptr<const StoredFile> storedIn;
  std::uint64_t storedAt = 0;
  std::uint64_t storedSize = 0;

  std::uint64_t Size() const { return storedIn ? storedSize : data.size(); }
};

enum class NoteClass : std::uint8_t { Document, View, Folder, Form, Subform };

enum class SortOrder { None, Ascending, Descending };

struct NumberFormat {
  enum class Style { General, Fixed, Scientific, Currency } style = Style::General;
  int digits = 0;  // 0-15
  bool punctuated = false;
  bool parens = false;
  bool percent = false;
  friend bool operator==(const NumberFormat&, const NumberFormat&) = default;
};

struct DatetimeFormat {
  enum class Show { Date, Time, DateTime } show = Show::DateTime;
  // The parts shown and when the zone shows, in the order of DXL's names for them (date='yearmonthday'
  // ... 'weekday', time='hourminutesecondhundredths' ... 'hour', zone='never' ... 'always').
  enum class DateParts {
    YearMonthDay, MonthDay, YearMonth, Year, Month, Day, WeekdayMonthDayYear, WeekdayMonthDay, Weekday
  } date = DateParts::YearMonthDay;
  enum class TimeParts { HourMinuteSecondHundredths, HourMinuteSecond, HourMinute, Hour } time = TimeParts::HourMinuteSecond;
  enum class Zone { Never, Sometimes, Always } zone = Zone::Never;
  bool fourDigitYear = true;
  bool timeFormat24 = true;
  friend bool operator==(const DatetimeFormat&, const DatetimeFormat&) = default;
};

// Multi-value separators of a view column, as the host reports them.
enum SeparatorCode : std::uint32_t {
  kSepNone = 0,
  kSepSpace = 0x1000,
  kSepComma = 0x2000,
  kSepSemicolon = 0x3000,
  kSepNewLine = 0x4000,
};

struct Column {
  std::optional<std::string> title;  // absent: the column has no title
  std::string itemName;              // internal name
  std::string formula;               // the column formula; the item name when the design has none
  bool hidden = false;
  bool showAsIcons = false;
  bool categorized = false;
  bool responsesOnly = false;  // the value shows on response rows only
  double width = 10;  // in average characters of the view's font
  SortOrder sort = SortOrder::None;
  std::uint32_t separator = kSepComma;
  NumberFormat numberFormat;
  DatetimeFormat datetimeFormat;
};

struct ViewDesign {
  std::string name;
  std::vector<std::string> aliases;
  std::string selectionFormula;  // "SELECT @All" for a view without one; "" for a folder without one
  std::vector<Column> columns;
  bool showResponseHierarchy = true;  // responses stand under their parents
};

struct FormDesign {
  std::string name;
  std::vector<std::string> aliases;
  std::string windowTitleFormula;
  std::string comment;  // the design comment ($Comment)
  RichText body;  // the $BODY item: fields and subform references in document order
};

// A note's universal ID, kept within the note: 32 hexadecimal digits in a well-formed file, at
// most kMaxSize characters in any.
class Unid {
 public:
  static constexpr std::size_t kMaxSize = 32;
  Unid() = default;
  // `text` holds at most kMaxSize characters.
  Unid(std::string_view text);  // NOLINT: a text is a UNID
  Unid(const char* text) : Unid(std::string_view(text)) {}  // NOLINT
  std::string_view View() const { return {chars_, size_}; }
  operator std::string_view() const { return View(); }  // NOLINT: a UNID is a text
  bool empty() const { return size_ == 0; }
  friend bool operator==(const Unid& a, const Unid& b) { return a.View() == b.View(); }

 private:
  char chars_[kMaxSize] = {};
  std::uint8_t size_ = 0;
};

// What few notes have, kept apart so that the many notes without them stay small.
struct NoteExtras {
  std::optional<DateTime> addedToFile;
  std::vector<Attachment> attachments;
  Unid parentUnid;  // empty unless a response
};

struct Note {
  std::uint32_t noteId = 0;
  NoteClass noteClass = NoteClass::Document;
  bool deleted = false;
  Unid unid;
  std::optional<DateTime> created, modified;

  // Documents: items in file order. The form is the "Form" item; a response has "$REF".
  ItemList items;
  Boxed<NoteExtras> extras;  // null: none of them

  // Design notes.
  Boxed<ViewDesign> view;  // View and Folder
  Boxed<FormDesign> form;  // Form and Subform

  std::optional<Item> FindItem(std::string_view name) const { return items.Find(name); }
  const std::vector<Attachment>& Attachments() const;
  std::string_view ParentUnid() const { return extras ? extras->parentUnid.View() : std::string_view(); }
  std::optional<DateTime> AddedToFile() const { return extras ? extras->addedToFile : std::nullopt; }
  // The extras, made when the note has none yet.
  NoteExtras& Extras() { return extras ? *extras : extras.emplace(); }
};

// The live (not deleted) notes of a database by note ID, for lookups in constant time. Notes are
// only ever added to a database, never erased, and a std::map keeps each note where it is, so a
// table holding as many notes as the map is complete. Whoever marks a note deleted calls Reset.
// A copy starts empty and fills on its first lookup.
class NoteLookup {
 public:
  NoteLookup() = default;
  NoteLookup(const NoteLookup&) {}
  NoteLookup& operator=(const NoteLookup&) {
    Reset();
    return *this;
  }

  // The note with ID `noteId` in `notes`, or null when there is none or it is deleted.
  const Note* FindLive(const std::map<std::uint32_t, Note>& notes, std::uint32_t noteId) const;
  void Reset() { slots_.reset(); }

 private:
  // Open addressing with linear probing: one probe finds most notes, and the answer comes from
  // the slot alone, without reading the note.
  struct Slot {
    std::uint32_t id = 0;
    bool deleted = false;
    const Note* note = nullptr;  // null: an empty slot
  };
  struct Slots;
  struct FreeSlots {
    void operator()(Slots* slots) const;
  };
  void Rebuild(const std::map<std::uint32_t, Note>& notes) const;

  mutable std::unique_ptr<Slots, FreeSlots> slots_;
};

// The forms and subforms of a database by name and alias (ASCII letters without regard to case),
// for lookups in constant time: for each name, the first live note in note-ID order that has it.
// Filled on the first lookup and again when the database has gained notes; whoever marks a note
// deleted or renames a design calls Reset. A copy starts empty.
class DesignLookup {
 public:
  DesignLookup() = default;
  DesignLookup(const DesignLookup&) {}
  DesignLookup& operator=(const DesignLookup&) {
    Reset();
    return *this;
  }

  const Note* Find(const std::map<std::uint32_t, Note>& notes, NoteClass noteClass, std::string_view name) const;
  void Reset() { names_.reset(); }

 private:
  struct Names;
  struct FreeNames {
    void operator()(Names* names) const;
  };
  mutable std::unique_ptr<Names, FreeNames> names_;
};

struct Database {
  std::string title;
  std::string filePath;
  std::string replicaId;
  std::string server;
  std::map<std::uint32_t, Note> notes;  // by note ID, ascending
  const ViewDesign* lastOpenedView = nullptr;  // @ViewTitle of formulas run outside a view
  std::set<std::uint32_t> viewsReported;       // views whose formula problems were told

  // The note with that ID unless there is none or it is deleted.
  const Note* FindLiveNote(std::uint32_t noteId) const { return lookup.FindLive(notes, noteId); }

  NoteLookup lookup;
  DesignLookup designs;
};

}  // namespace host::model

namespace host::model {

// The session's international settings (those of a Japanese client by default).
struct International {
  enum class DateOrder { YMD, MDY, DMY } dateOrder = DateOrder::YMD;
  std::string dateSeparator = "/";
  std::string timeSeparator = ":";
  std::string decimalSymbol = ".";
  std::string thousandsSeparator = ",";
  std::string currencySymbol = "\xEF\xBF\xA5";  // "￥"
  bool currencyBefore = true;
  bool clock24 = true;
  std::string amString = "AM", pmString = "PM";
};

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
constexpr std::int32_t DaysFromCivil(int year, unsigned month, unsigned day) {
  year -= month <= 2;
  const int era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(year - era * 400);
  const unsigned doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int>(doe) - 719468;
}

struct CivilDate {
  int year;
  unsigned month, day;
};

constexpr CivilDate CivilFromDays(std::int32_t z) {
  z += 719468;
  const int era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int y = static_cast<int>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {y + (m <= 2), m, d};
}

}  // namespace host::model
