// Items and their values: LNItem and the value classes built on it, and the single values
// LNNumber, LNDatetime and LNDatetimeRange.
//
// An LNItem is a smart pointer: copies share one value (a change through one is seen through all);
// a default-constructed item is null. A value class built from an item of another type fails with
// host::kErrWrongItemType (thrown whatever the mode) and is null.
#pragma once

#include <memory>
#include <vector>

#include "host/core.h"
#include "host/lnformats.h"
#include "host/lnstring.h"
#include "host/lntypes.h"

class LNAPI LNItem {
 public:
  LNItem() = default;
  bool IsNull() const { return data_ == nullptr; }
  // The type; LNITEMTYPE_UNSUPPORTED (or the type code of a kind the exporter does not handle)
  // for other kinds of value. Fails with host::kErrNullObject on a null item.
  LNITEMTYPE GetType() const;
  LNString GetName() const;

 protected:
  std::shared_ptr<host::ItemData> data_;
  friend struct host::Access;
};

class LNAPI LNItemArray {
 public:
  LNINT GetCount() const { return static_cast<LNINT>(items_.size()); }
  // Fails with host::kErrListIndex (a null item when not throwing) outside 0 ... count - 1.
  LNItem operator[](LNINT index) const;

 private:
  std::vector<LNItem> items_;
  friend struct host::Access;
};

// Text, one or more strings.
class LNAPI LNText : public LNItem {
 public:
  LNText();  // a new, empty text item
  LNText(const LNItem& item);  // NOLINT: implicit, like the other value classes
  LNText& operator=(const LNItem& item);

  LNINT GetCount() const;
  LNString operator[](LNINT index) const;
  // Inserts before `position` (GetCount() appends).
  LNSTATUS Insert(LNINT position, const LNString& text);
  LNSTATUS Insert(LNINT position, LNString&& text);  // the same, taking over the text
};

// One number.
class LNAPI LNNumber {
 public:
  LNNumber(LNNUMBER value = 0) : value_(value) {}  // NOLINT: implicit, a number
  operator LNNUMBER() const { return value_; }
  // The host's plain form ("1234.5", "1.5E+16").
  LNSTATUS GetText(LNString* text) const;
  // As `format` and `international` say.
  LNSTATUS GetText(const LNNumberFormat& format, const LNInternational& international, LNString* text) const;

 private:
  LNNUMBER value_;
};

// Numbers, one or more.
class LNAPI LNNumbers : public LNItem {
 public:
  LNNumbers();
  LNNumbers(const LNItem& item);  // NOLINT
  LNNumbers& operator=(const LNItem& item);

  LNINT GetCount() const;
  LNNumber operator[](LNINT index) const;
  LNSTATUS Insert(LNINT position, LNNUMBER value);
};

// One date/time: a date, a time of day, or both, in the zone it was written in.
class LNAPI LNDatetime {
 public:
  LNDatetime();  // neither date nor time
  LNDatetime(const CoreTimeDate& packed);  // NOLINT: a host date/time; bad bytes give neither part
  // The host's plain form: "2026/12/10 08:45:52", "2026/12/10" or "08:45:52".
  LNSTATUS GetText(LNString* text) const;
  LNSTATUS GetText(const LNDatetimeFormat& format, const LNInternational& international, LNString* text) const;
  CoreTimeDate GetTimeDate() const;

 private:
  CoreDateTime parts_;  // kept unpacked: rendering and the host's lists take the parts
  friend struct host::Access;
};

class LNAPI LNDatetimeRange {
 public:
  LNDatetimeRange() = default;
  LNDatetimeRange(const LNDatetime& begin, const LNDatetime& end) : begin_(begin), end_(end) {}
  LNDatetimeRange(const CoreTimeDate& begin, const CoreTimeDate& end) : begin_(begin), end_(end) {}
  LNDatetime GetBegin() const { return begin_; }
  LNDatetime GetEnd() const { return end_; }

 private:
  LNDatetime begin_, end_;
};

// Date/times: single date/times followed by ranges. Elements 0 ... GetDatetimeCount() - 1 are the
// single ones, the rest the ranges; a range element reads as its beginning.
class LNAPI LNDatetimes : public LNItem {
 public:
  LNDatetimes();
  LNDatetimes(const LNItem& item);  // NOLINT
  LNDatetimes& operator=(const LNItem& item);

  LNINT GetCount() const;          // single date/times and ranges
  LNINT GetDatetimeCount() const;  // single date/times only
  LNDatetime operator[](LNINT index) const;
  LNDatetimeRange GetRange(LNINT index) const;  // index among the ranges
  // Inserts a single date/time before `position` (at most GetDatetimeCount()).
  LNSTATUS Insert(LNINT position, const LNDatetime& value);
  LNSTATUS Append(const LNDatetimeRange& range);
};
