#include "host/lnitems.h"

#include <gtest/gtest.h>

#include <thread>

#include "access.h"
#include "host/notes.h"
#include "host/testing/builder.h"

namespace {

std::string Text(const LNString& s) { return s.GetTextPtr(); }
LNString U(const std::string& s) { return LNString(s.data(), static_cast<LNINT>(s.size())); }

CoreTimeDate Packed(int y, unsigned m, unsigned d, int hundredths, int zone = 540) {
  const CoreDateTime parts{host::model::DaysFromCivil(y, m, d), hundredths, static_cast<std::int16_t>(zone), false};
  CoreTimeDate packed;
  CorePackTimeDate(&parts, &packed);
  return packed;
}

TEST(LNItem, CopiesShareOneValue) {
  LNText text;
  LNItem copy = text;
  text.Insert(0, U("a"));
  LNText seen = copy;
  ASSERT_EQ(seen.GetCount(), 1);
  EXPECT_EQ(Text(seen[0]), "a");
  EXPECT_EQ(copy.GetType(), LNITEMTYPE_TEXT);
  EXPECT_TRUE(LNItem().IsNull());
}

TEST(LNItem, AValueClassFromAnotherTypeFailsAndANullItemStaysNull) {
  LNNumbers numbers;
  EXPECT_THROW(LNText{numbers}, LNSTATUS);
  EXPECT_TRUE(LNText(LNItem()).IsNull());
  EXPECT_EQ(LNText(LNItem()).GetCount(), 0);
}

TEST(LNItem, ListsInsertInPlaceAndRejectPositionsOutside) {
  LNNumbers n;
  ASSERT_EQ(n.Insert(0, 2), 0u);
  ASSERT_EQ(n.Insert(0, 1), 0u);
  ASSERT_EQ(n.Insert(2, 3), 0u);
  EXPECT_EQ(n.Insert(5, 9), host::kErrListIndex);
  ASSERT_EQ(n.GetCount(), 3);
  EXPECT_EQ(static_cast<double>(n[0]), 1);
  EXPECT_EQ(static_cast<double>(n[2]), 3);
  EXPECT_EQ(static_cast<double>(n[3]), 0);  // outside: the status, or 0 when not throwing
}

// Dropped items are handed out again for new ones of their kind: a new item starts empty and
// nameless whatever the dropped ones held, and an item still referred to is never handed out.
TEST(LNItem, NewItemsStartEmptyAfterOthersWereDropped) {
  host::testing::DatabaseBuilder builder;
  const NOTEID id = builder.Document("memo").Text("Subject", {"Hi"}).Id();
  LNNotesSession session;
  session.Initialize();
  LNDatabase database;
  ASSERT_EQ(session.GetDatabase(builder.Register(), &database), 0u);
  LNDocument document;
  ASSERT_EQ(database.GetNote(id, &document), 0u);
  ASSERT_EQ(document.Open(), 0u);

  LNNumbers held;
  ASSERT_EQ(held.Insert(0, 7), 0u);
  for (int round = 0; round < 3; ++round) {
    {
      LNNumbers n;
      n.Insert(0, 1);
      n.Insert(1, 2);
      LNText t;
      t.Insert(0, U("a"));
      LNDatetimes d;
      d.Insert(0, LNDatetime(Packed(2026, 12, 10, 0)));
      d.Append(LNDatetimeRange(Packed(2026, 1, 2, 0), Packed(2026, 1, 3, 0)));
      LNItem named;
      ASSERT_EQ(document.GetItem(U("Subject"), &named), 0u);
      ASSERT_EQ(Text(named.GetName()), "Subject");
    }
    LNNumbers n;
    LNText texts[2];  // the dropped text and the note's item
    LNDatetimes d;
    EXPECT_EQ(n.GetCount(), 0);
    EXPECT_EQ(d.GetCount(), 0);
    for (const LNText& t : texts) {
      EXPECT_EQ(t.GetCount(), 0);
      EXPECT_EQ(Text(t.GetName()), "");
    }
  }
  ASSERT_EQ(held.GetCount(), 1);
  EXPECT_EQ(static_cast<double>(held[0]), 7);
}

// What a thread keeps for reuse is freed when it ends (the sanitizer build reports it otherwise).
TEST(LNItem, AThreadThatEndsFreesTheItemsItKept) {
  LNINT counts = -1;
  std::thread([&] {
    { LNNumbers dropped; dropped.Insert(0, 1); }
    LNNumbers reused;
    counts = reused.GetCount();
    { LNText dropped; dropped.Insert(0, U("a")); }
  }).join();
  EXPECT_EQ(counts, 0);
}

TEST(LNDatetimes, RangesFollowTheSingleValuesAndReadAsTheirBeginning) {
  LNDatetimes d;
  d.Insert(0, LNDatetime(Packed(2026, 12, 10, 3155200)));
  d.Append(LNDatetimeRange(Packed(2026, 1, 2, 0), Packed(2026, 1, 3, 0)));
  d.Insert(0, LNDatetime(Packed(2025, 5, 6, -1)));
  ASSERT_EQ(d.GetCount(), 3);
  ASSERT_EQ(d.GetDatetimeCount(), 2);
  LNString t;
  d[0].GetText(&t);
  EXPECT_EQ(Text(t), "2025/05/06");
  d[1].GetText(&t);
  EXPECT_EQ(Text(t), "2026/12/10 08:45:52");
  d[2].GetText(&t);
  EXPECT_EQ(Text(t), "2026/01/02 00:00:00");
  d.GetRange(0).GetEnd().GetText(&t);
  EXPECT_EQ(Text(t), "2026/01/03 00:00:00");
}

TEST(LNNumber, RendersPlainOrWithAFormat) {
  LNNumberFormat fixed2;
  fixed2.SetStyle(LNNUMBERFORMATSTYLE_FIXED);
  fixed2.SetDigits(2);
  LNNumberFormat punctuated = fixed2;
  punctuated.SetPunctuated(TRUE);
  LNNumberFormat currency;
  currency.SetStyle(LNNUMBERFORMATSTYLE_CURRENCY);
  LNNumberFormat percent = fixed2;
  percent.SetPercent(TRUE);
  struct Case {
    double value;
    const LNNumberFormat* format;
    const char* expected;
  } cases[] = {
      {1234.5, nullptr, "1234.5"},        {0.1, nullptr, "0.1"},
      {1.5e16, nullptr, "1.5E+16"},       {1234.5, &fixed2, "1234.50"},
      {1234567.891, &punctuated, "1,234,567.89"}, {1234, &currency, "￥1234"},
      {0.125, &percent, "12.50%"},
  };
  const LNInternational japanese;
  for (const Case& c : cases) {
    LNString text;
    const LNSTATUS status = c.format ? LNNumber(c.value).GetText(*c.format, japanese, &text) : LNNumber(c.value).GetText(&text);
    ASSERT_EQ(status, 0u);
    EXPECT_EQ(Text(text), c.expected) << c.value;
  }
}

TEST(LNNumber, FormattedTextUsesTheInternationalSettings) {
  host::model::International european;
  european.decimalSymbol = ",";
  european.thousandsSeparator = ".";
  LNNumberFormat fixed;
  fixed.SetStyle(LNNUMBERFORMATSTYLE_FIXED);
  fixed.SetDigits(1);
  fixed.SetPunctuated(TRUE);
  LNString text;
  ASSERT_EQ(LNNumber(1234.5).GetText(fixed, host::Access::International(european), &text), 0u);
  EXPECT_EQ(Text(text), "1.234,5");
}

TEST(LNDatetime, RendersPlainOrWithAFormat) {
  LNDatetimeFormat dateOnly;
  dateOnly.SetShow(LNDATETIMESHOW_DATE);
  LNDatetimeFormat hourMinute;
  hourMinute.SetShow(LNDATETIMESHOW_TIME);
  hourMinute.SetTimeParts(LNTIMEPARTS_HOURMINUTE);
  LNDatetimeFormat withZone;
  withZone.SetZoneShow(LNZONESHOW_ALWAYS);
  const CoreTimeDate value = Packed(2026, 12, 10, 3155200);
  struct Case {
    const LNDatetimeFormat* format;
    const char* expected;
  } cases[] = {
      {nullptr, "2026/12/10 08:45:52"},
      {&dateOnly, "2026/12/10"},
      {&hourMinute, "08:45"},
      {&withZone, "2026/12/10 08:45:52 JST"},
  };
  for (const Case& c : cases) {
    LNString text;
    ASSERT_EQ(c.format ? LNDatetime(value).GetText(*c.format, LNInternational(), &text) : LNDatetime(value).GetText(&text), 0u);
    EXPECT_EQ(Text(text), c.expected);
  }
  host::model::International us;
  us.dateOrder = host::model::International::DateOrder::MDY;
  LNString text;
  ASSERT_EQ(LNDatetime(value).GetText(dateOnly, host::Access::International(us), &text), 0u);
  EXPECT_EQ(Text(text), "12/10/2026");
}

}  // namespace
