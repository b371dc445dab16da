#include "columns/view_entry_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "columns/test_notes.h"

namespace {

using host::testing::Sort;

class ReadViewTest : public columns_test::NotesTest {
 protected:
  // The note IDs of the kept entries, in order.
  static std::vector<NOTEID> NoteIds(const ViewEntryList& list) {
    std::vector<NOTEID> ids;
    for (std::size_t i = 0; i < list.GetCount(); ++i) ids.push_back(list.GetEntry(i).GetNoteID());
    return ids;
  }
};

TEST_F(ReadViewTest, ViewLargerThanOneBufferComesOutWholeInViewOrder) {
  // Keys in descending note-ID order, so view order differs from note-ID order.
  constexpr int kDocuments = 3000;
  std::vector<NOTEID> expected;
  for (int i = 0; i < kDocuments; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "%05d", kDocuments - i);
    expected.insert(expected.begin(), db_.Document().Text("Key", {key}).Text("Body", {std::string(60, 'x')}).Id());
  }
  const NOTEID view = db_.View("Keys").Column({.title = "Key", .itemName = "Key", .sort = Sort::Ascending})
                          .Column({.title = "Body", .itemName = "Body"}).Id();
  const ExportViewParams params = Params(view);

  // Precondition: one collection read does not hold them all.
  CorePosition position{};
  CoreMemoryHandle buffer = 0;
  std::uint32_t returned = 0;
  std::uint16_t signals = 0;
  ASSERT_EQ(CoreReadEntries(params.CollectionHandle(), &position, kCoreNavigateNext, 1, kCoreNavigateNext,
                            kCoreAllThatFit, kCoreReadNoteIdAndSummary, &buffer, nullptr, nullptr, &returned,
                            &signals), 0u);
  CoreFreeMemory(buffer);
  ASSERT_LT(returned, static_cast<std::uint32_t>(kDocuments));
  ASSERT_NE(signals & kCoreSignalMore, 0);

  ViewEntryList list;
  ASSERT_EQ(list.ReadView(params, true), 0u);
  EXPECT_EQ(NoteIds(list), expected);
  const ViewEntry last = list.GetEntry(list.GetCount() - 1);
  ASSERT_EQ(last.GetValueCount(), 2u);
  EXPECT_STREQ(LNText(last.GetValue(0))[0].GetTextPtr(), "03000");
}

TEST_F(ReadViewTest, SelectedDocumentsOnly) {
  const NOTEID a = db_.Document().Text("Kind", {"x"}).Id();
  db_.Document().Text("Kind", {"y"});
  const NOTEID c = db_.Document().Text("Kind", {"x"}).Id();
  const NOTEID view = db_.View("ByKind").Column({.title = "Kind", .itemName = "Kind", .categorized = true}).Id();

  ViewEntryList all;
  ASSERT_EQ(all.ReadView(Params(view), true), 0u);
  const std::vector<NOTEID> allIds = NoteIds(all);
  ASSERT_EQ(allIds.size(), 5u);  // two category rows and three documents
  EXPECT_EQ(std::count_if(allIds.begin(), allIds.end(), [](NOTEID id) { return (id & kCategoryNoteIdBit) != 0; }), 2);

  ViewEntryList none;
  ASSERT_EQ(none.ReadView(Params(view, {}), false), 0u);
  EXPECT_EQ(none.GetCount(), 0u);

  ViewEntryList some;
  ASSERT_EQ(some.ReadView(Params(view, {c, a, 0x999}), false), 0u);
  const std::vector<NOTEID> someIds = NoteIds(some);
  EXPECT_EQ(std::set<NOTEID>(someIds.begin(), someIds.end()), (std::set<NOTEID>{a, c}));
  EXPECT_EQ(someIds.size(), 2u);
}

TEST_F(ReadViewTest, EmptyViewAndRereading) {
  const NOTEID view = db_.Folder("Empty").Column({.title = "A", .itemName = "A"}).Id();
  db_.Document("Memo").Text("A", {"a"});
  ViewEntryList list;
  ASSERT_EQ(list.ReadView(Params(view), true), 0u);
  EXPECT_EQ(list.GetCount(), 0u);

  const NOTEID full = db_.View("All").Column({.title = "A", .itemName = "A"}).Id();
  const ExportViewParams params = Params(full);
  ASSERT_EQ(list.ReadView(params, true), 0u);
  ASSERT_EQ(list.ReadView(params, true), 0u);  // a second read starts afresh
  EXPECT_EQ(list.GetCount(), 1u);
}

TEST_F(ReadViewTest, HostFailureIsReturned) {
  ExportViewParams params;
  params.SetCollectionHandle(0x7777);
  ViewEntryList list;
  EXPECT_NE(list.ReadView(params, true), 0u);
  EXPECT_EQ(list.GetCount(), 0u);
}

}  // namespace
