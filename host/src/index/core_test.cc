#include "host/core.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "index/handles.h"
#include "index/packed_value.h"
#include "index/test_bytes.h"
#include "index/test_database.h"

namespace {

using host::index::testing::Bytes;
using host::index::testing::Column;
using host::index::testing::NumberItem;
using host::index::testing::TestDatabase;
using host::index::testing::TextItem;
namespace model = host::model;

CoreDatabaseHandle Register(TestDatabase& db) {
  return host::handles::AddDatabase(std::make_shared<model::Database>(db.Get()));
}

CoreCollectionHandle Open(CoreDatabaseHandle database, std::uint32_t view) {
  CoreCollectionHandle collection = 0;
  EXPECT_EQ(CoreOpenCollection(database, view, &collection), host::kNoError);
  EXPECT_NE(collection, 0);
  return collection;
}

struct Batch {
  std::vector<std::uint8_t> bytes;
  std::uint32_t count = 0;
  std::uint16_t signal = 0;
};

// Reads the whole collection the way the exporter does: from before the first entry, skipping
// one and returning as many as fit, while the more-entries signal is set.
std::vector<Batch> ReadAll(CoreCollectionHandle collection) {
  std::vector<Batch> batches;
  CorePosition position{};
  do {
    Batch batch;
    CoreMemoryHandle buffer = 0;
    std::uint16_t length = 0;
    const STATUS status = CoreReadEntries(collection, &position, kCoreNavigateNext, 1, kCoreNavigateNext,
                                          kCoreAllThatFit, kCoreReadNoteIdAndSummary, &buffer, &length, nullptr,
                                          &batch.count, &batch.signal);
    EXPECT_EQ(status, host::kNoError);
    if (status != host::kNoError) break;
    if (buffer != 0) {
      const auto* bytes = static_cast<const std::uint8_t*>(CoreLockMemory(buffer));
      EXPECT_NE(bytes, nullptr);
      batch.bytes.assign(bytes, bytes + length);
      EXPECT_EQ(CoreUnlockMemory(buffer), host::kNoError);
      EXPECT_EQ(CoreFreeMemory(buffer), host::kNoError);
    }
    batches.push_back(std::move(batch));
  } while (batches.back().signal & kCoreSignalMore);
  return batches;
}

std::uint16_t U16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] | at[1] << 8); }

// The note IDs of a batch's entries, checking that the entries fill the buffer exactly.
std::vector<std::uint32_t> NoteIds(const Batch& batch) {
  std::vector<std::uint32_t> ids;
  std::size_t at = 0;
  while (at + 6 <= batch.bytes.size()) {
    std::uint32_t id;
    std::memcpy(&id, batch.bytes.data() + at, 4);
    ids.push_back(id);
    at += 4 + U16(batch.bytes.data() + at + 4);
  }
  EXPECT_EQ(at, batch.bytes.size());
  EXPECT_EQ(ids.size(), batch.count);
  return ids;
}

TEST(CoreReadEntries, EntriesArePackedRecordsBackToBack) {
  TestDatabase db;
  db.Document(4, {TextItem("Cat", {"k"}), NumberItem("Qty", {2}), TextItem("Tags", {"a", "bc"})});
  db.View(8, "V", {Column("Cat", model::SortOrder::None, true), Column("Qty"), Column("Tags")});
  const CoreCollectionHandle collection = Open(Register(db), 8);

  const std::vector<Batch> batches = ReadAll(collection);
  ASSERT_EQ(batches.size(), 1u);
  EXPECT_EQ(batches[0].count, 2u);
  EXPECT_EQ(batches[0].signal, 0);
  const std::vector<std::uint8_t> expected =
      Bytes()
          // The category row: only its own column has a value.
          .U32(0x80000001).U16(4 + 6 + 3).U16(3).U16(3).U16(0).U16(0).U16(0x0500).Str("k")
          // The document.
          .U32(4).U16(4 + 6 + 3 + 10 + 13).U16(3).U16(3).U16(10).U16(13)
          .U16(0x0500).Str("k")
          .U16(0x0300).F64(2)
          .U16(0x0501).U16(2).U16(3).U16(1).U16(2).Str("abc")
          .Get();
  EXPECT_EQ(batches[0].bytes, expected);
  EXPECT_EQ(CoreCloseCollection(collection), host::kNoError);
}

TEST(CoreReadEntries, AViewLargerThanOneBufferComesInSeveralBatchesWithNoRowTwiceOrMissing) {
  TestDatabase db;
  std::vector<std::uint32_t> expected;
  for (std::uint32_t id = 4; id <= 4 * 2000; id += 4) {
    db.Document(id, {TextItem("Body", {std::string(100, 'x') + std::to_string(id)})});
    expected.push_back(id);
  }
  db.View(0x10000, "All", {Column("Body")});
  const CoreCollectionHandle collection = Open(Register(db), 0x10000);

  const std::vector<Batch> batches = ReadAll(collection);
  ASSERT_GE(batches.size(), 3u);
  std::vector<std::uint32_t> read;
  for (std::size_t i = 0; i < batches.size(); ++i) {
    EXPECT_LE(batches[i].bytes.size(), kCoreMaxBuffer);
    if (i + 1 < batches.size()) {
      EXPECT_GT(batches[i].bytes.size(), kCoreMaxBuffer - 200) << "batch " << i << " is filled";
    }
    EXPECT_EQ((batches[i].signal & kCoreSignalMore) != 0, i + 1 < batches.size());
    for (std::uint32_t id : NoteIds(batches[i])) read.push_back(id);
  }
  EXPECT_EQ(read, expected);
  EXPECT_EQ(CoreCloseCollection(collection), host::kNoError);
}

TEST(CoreReadEntries, ReturnCountAndSkipMoveThePosition) {
  TestDatabase db;
  for (std::uint32_t id : {4, 8, 12, 16, 20}) db.Document(id, {NumberItem("N", {double(id)})});
  db.View(24, "All", {Column("N")});
  const CoreCollectionHandle collection = Open(Register(db), 24);

  CorePosition position{};
  CoreMemoryHandle buffer = 0;
  std::uint32_t count = 0, skipped = 0;
  std::uint16_t signal = 0, length = 0;
  ASSERT_EQ(CoreReadEntries(collection, &position, kCoreNavigateNext, 2, kCoreNavigateNext, 2,
                            kCoreReadNoteIdAndSummary, &buffer, &length, &skipped, &count, &signal),
            host::kNoError);
  Batch batch{{}, count, signal};
  const auto* bytes = static_cast<const std::uint8_t*>(CoreLockMemory(buffer));
  ASSERT_NE(bytes, nullptr);
  batch.bytes.assign(bytes, bytes + length);
  CoreFreeMemory(buffer);
  EXPECT_EQ(NoteIds(batch), (std::vector<std::uint32_t>{8, 12})) << "skipping two from before the first";
  EXPECT_EQ(position.tumbler[0], 3u);
  EXPECT_EQ(skipped, 2u);
  EXPECT_EQ(signal, kCoreSignalMore);

  position.tumbler[0] = 5;  // the last entry
  ASSERT_EQ(CoreReadEntries(collection, &position, kCoreNavigateNext, 1, kCoreNavigateNext, kCoreAllThatFit,
                            kCoreReadNoteIdAndSummary, &buffer, &length, &skipped, &count, &signal),
            host::kNoError);
  EXPECT_EQ(buffer, 0u) << "nothing after the end";
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(skipped, 0u);
  EXPECT_EQ(signal, 0);
  EXPECT_EQ(position.tumbler[0], 5u);
}

TEST(CoreReadEntries, AnEmptyViewGivesNoBufferAndNoMoreSignal) {
  TestDatabase db;
  db.Document(4, {});
  db.View(8, "None", {Column("X")}, "SELECT 0");
  const std::vector<Batch> batches = ReadAll(Open(Register(db), 8));
  ASSERT_EQ(batches.size(), 1u);
  EXPECT_EQ(batches[0].count, 0u);
  EXPECT_TRUE(batches[0].bytes.empty());
}

TEST(CoreReadEntries, AValueTooLargeForOneRecordIsCutSoTheEntryFits) {
  TestDatabase db;
  db.Document(4, {TextItem("Body", {std::string(40'000, 'a') + "\xE8\xA1\xA8" + std::string(40'000, 'b')}),
                  NumberItem("N", {7})});
  db.View(8, "All", {Column("Body"), Column("N")});
  const std::vector<Batch> batches = ReadAll(Open(Register(db), 8));
  ASSERT_EQ(batches.size(), 1u);
  ASSERT_EQ(NoteIds(batches[0]).size(), 1u);
  const std::uint8_t* table = batches[0].bytes.data() + 4;
  EXPECT_LE(4u + U16(table), kCoreMaxBuffer);
  const std::uint16_t textLength = U16(table + 4), numberLength = U16(table + 6);
  EXPECT_EQ(numberLength, 10) << "the small value stays whole";
  const auto text = std::get<model::Text>(host::index::UnpackValue({table + 8, textLength}));
  ASSERT_EQ(text.values.size(), 1u);
  EXPECT_GT(text.values[0].size(), 60'000u);
  EXPECT_EQ(text.values[0].substr(40'000, 3), "\xE8\xA1\xA8");
}

TEST(CoreReadEntries, RejectsWhatItDoesNotServe) {
  TestDatabase db;
  db.View(8, "All", {});
  const CoreCollectionHandle collection = Open(Register(db), 8);
  CoreMemoryHandle buffer;
  std::uint32_t count;
  std::uint16_t signal;
  auto read = [&](CoreCollectionHandle c, std::uint16_t level, std::uint16_t navigator, std::uint32_t mask) {
    CorePosition position{};
    position.level = level;
    return CoreReadEntries(c, &position, navigator, 1, kCoreNavigateNext, kCoreAllThatFit, mask, &buffer, nullptr,
                           nullptr, &count, &signal);
  };
  EXPECT_EQ(read(collection, 0, kCoreNavigateNext, kCoreReadNoteIdAndSummary), host::kNoError);
  EXPECT_EQ(read(collection, 1, kCoreNavigateNext, kCoreReadNoteIdAndSummary), host::kErrInvalidArgument);
  EXPECT_EQ(read(collection, 0, 2, kCoreReadNoteIdAndSummary), host::kErrInvalidArgument);
  EXPECT_EQ(read(collection, 0, kCoreNavigateNext, 0x0001), host::kErrInvalidArgument);
  ASSERT_EQ(CoreCloseCollection(collection), host::kNoError);
  EXPECT_EQ(read(collection, 0, kCoreNavigateNext, kCoreReadNoteIdAndSummary), host::kErrInvalidHandle);
  EXPECT_EQ(CoreCloseCollection(collection), host::kErrInvalidHandle);
}

TEST(CoreMemory, LockUnlockAndFreeGuardTheirHandles) {
  const CoreMemoryHandle memory = host::handles::AddMemory({1, 2, 3});
  ASSERT_NE(memory, 0u);
  EXPECT_EQ(CoreUnlockMemory(memory), host::kErrInvalidHandle) << "not locked";
  const auto* bytes = static_cast<const std::uint8_t*>(CoreLockMemory(memory));
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(bytes[2], 3);
  EXPECT_EQ(CoreUnlockMemory(memory), host::kNoError);
  EXPECT_EQ(CoreFreeMemory(memory), host::kNoError);
  EXPECT_EQ(CoreLockMemory(memory), nullptr);
  EXPECT_EQ(CoreFreeMemory(memory), host::kErrInvalidHandle);
  EXPECT_NE(host::handles::AddMemory({}), memory) << "a freed handle is not given again";
}

TEST(CoreIdTable, TestsMembership) {
  const std::uint32_t ids[] = {0x10, 0x8, 0x10, 0x80000001};
  CoreIdTableHandle table = 0;
  ASSERT_EQ(CoreCreateIdTable(ids, 4, &table), host::kNoError);
  for (std::uint32_t id : ids) EXPECT_TRUE(CoreIsInIdTable(table, id)) << id;
  for (std::uint32_t id : {0u, 0xCu, 0x11u, 0x80000002u}) EXPECT_FALSE(CoreIsInIdTable(table, id)) << id;

  CoreIdTableHandle empty = 0;
  ASSERT_EQ(CoreCreateIdTable(nullptr, 0, &empty), host::kNoError);
  EXPECT_FALSE(CoreIsInIdTable(empty, 0x10));
  EXPECT_EQ(CoreFreeIdTable(table), host::kNoError);
  EXPECT_FALSE(CoreIsInIdTable(table, 0x10)) << "a freed table holds nothing";
  EXPECT_EQ(CoreFreeIdTable(table), host::kErrInvalidHandle);
}

TEST(CoreTextList, FetchesEntriesAndRejectsBadIndexesAndMalformedLists) {
  std::vector<std::uint8_t> value;
  host::index::AppendPacked(model::Text{{"ab", "", "\xE8\xA1\xA8"}}, 0xFFFF, value);
  const struct {
    std::uint16_t index;
    STATUS status;
    std::string text;
  } cases[] = {{0, host::kNoError, "ab"}, {1, host::kNoError, ""}, {2, host::kNoError, "\xE8\xA1\xA8"},
               {3, host::kErrListIndex, ""}};
  for (const auto& c : cases) {
    for (int withTypeWord : {0, 1}) {
      const char* text = nullptr;
      std::uint16_t length = 0xFFFF;
      const std::uint8_t* list = value.data() + (withTypeWord ? 0 : 2);
      ASSERT_EQ(CoreGetTextListEntry(list, withTypeWord, c.index, &text, &length), c.status) << c.index;
      if (c.status == host::kNoError) {
        EXPECT_EQ(std::string(text, length), c.text);
      }
    }
  }

  const char* text;
  std::uint16_t length;
  std::vector<std::uint8_t> lying = value;
  lying[2 + 4] = 9;  // the first entry's length no longer adds up to the byte count
  EXPECT_EQ(CoreGetTextListEntry(lying.data() + 2, 0, 0, &text, &length), host::kErrInvalidArgument);
  std::vector<std::uint8_t> notAList;
  host::index::AppendPacked(model::Text{{"ab"}}, 0xFFFF, notAList);
  EXPECT_EQ(CoreGetTextListEntry(notAList.data(), 1, 0, &text, &length), host::kErrInvalidArgument);
}

TEST(CoreTimeDate, UnpacksWhatItPacksAndRejectsBadBytes) {
  const CoreDateTime values[] = {{20797, 3155200, 540, false}, {kCoreNoDate, 0, -300, true}, {-719162, kCoreNoTime, 0, false}};
  for (const CoreDateTime& value : values) {
    CoreTimeDate packed;
    CorePackTimeDate(&value, &packed);
    CoreDateTime back{};
    ASSERT_EQ(CoreUnpackTimeDate(&packed, &back), host::kNoError);
    EXPECT_EQ(back.date, value.date);
    EXPECT_EQ(back.time, value.time);
    EXPECT_EQ(back.zoneMinutes, value.zoneMinutes);
    EXPECT_EQ(back.dst, value.dst);
  }
  const CoreTimeDate bad{{0x00, 0x00, 0xF0, 0, 0, 0, 0, 0}};  // time of day 0xF00000
  CoreDateTime parts;
  EXPECT_EQ(CoreUnpackTimeDate(&bad, &parts), host::kErrInvalidArgument);
}

TEST(CoreClient, FindsViewsByNameOrAliasAndOpensOnlyViews) {
  TestDatabase db;
  db.Document(4, {});
  db.View(8, "By Name", {}).view->aliases = {"ByName", "Names"};
  db.View(12, "Kept", {}, "", model::NoteClass::Folder);
  db.View(16, "Gone", {}).deleted = true;
  db.View(20, "Broken", {}, "SELECT @Left(");
  db.View(24, "Odd column", {Column("@DocFoo")});
  const CoreDatabaseHandle database = Register(db);

  const struct {
    const char* name;
    STATUS status;
    std::uint32_t noteId;
  } lookups[] = {{"By Name", host::kNoError, 8}, {"by name", host::kNoError, 8}, {"NAMES", host::kNoError, 8},
                 {"kept", host::kNoError, 12},   {"Gone", host::kErrNoteNotFound, 0}, {"By", host::kErrNoteNotFound, 0}};
  for (const auto& lookup : lookups) {
    std::uint32_t noteId = 0;
    EXPECT_EQ(CoreFindView(database, lookup.name, &noteId), lookup.status) << lookup.name;
    EXPECT_EQ(noteId, lookup.noteId) << lookup.name;
  }

  CoreCollectionHandle collection = 0;
  EXPECT_EQ(CoreOpenCollection(database, 4, &collection), host::kErrNotViewOrFolder);
  EXPECT_EQ(CoreOpenCollection(database, 16, &collection), host::kErrNoteNotFound);
  EXPECT_EQ(CoreOpenCollection(database, 99, &collection), host::kErrNoteNotFound);
  std::vector<std::string> notices;
  CoreSetNoticeHandler([](void* context, int, const char* line) { static_cast<std::vector<std::string>*>(context)->push_back(line); },
                       &notices);
  EXPECT_EQ(CoreOpenCollection(database, 20, &collection), host::kErrFormulaSyntax);
  EXPECT_EQ(collection, 0);
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(CoreOpenCollection(database, 24, &collection), host::kNoError) << "a bad column costs only itself";
    EXPECT_EQ(CoreCloseCollection(collection), host::kNoError);
  }
  collection = 0;
  CoreSetNoticeHandler(nullptr, nullptr);
  ASSERT_EQ(notices.size(), 2u) << "the selection's failure each time, the column's once";
  EXPECT_NE(notices[0].find("ビュー「Broken」の選択式"), std::string::npos) << notices[0];
  EXPECT_EQ(notices[1], "ビュー「Odd column」に計算できない式があります: 列「1 番目」: @DocFoo。その列には「#式エラー」と表示されます。");

  const CoreCollectionHandle first = Open(database, 8), second = Open(database, 8);
  EXPECT_NE(first, second);
  ASSERT_EQ(CoreCloseDatabase(database), host::kNoError);
  EXPECT_EQ(ReadAll(first).at(0).count, 1u) << "a collection outlives its database handle";
  EXPECT_EQ(CoreOpenCollection(database, 8, &collection), host::kErrInvalidHandle);
  EXPECT_EQ(CoreCloseDatabase(database), host::kErrInvalidHandle);
  CoreCloseCollection(first);
  CoreCloseCollection(second);
}

}  // namespace
