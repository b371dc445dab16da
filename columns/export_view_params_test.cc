#include "columns/export_view_params.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

// The fields sit where the client puts them, little-endian, one of them unaligned.
TEST(ExportViewParams, FieldsAtTheirByteOffsets) {
  ExportViewParams params;
  params.SetDatabaseHandle(0x11223344);
  params.SetViewNoteId(0x55667788);
  params.SetCollectionHandle(0x99AA);
  params.SetSelectedIdTable(0xBBCCDDEE);
  const struct {
    std::size_t offset;
    std::vector<unsigned char> bytes;
  } fields[] = {
      {8, {0x44, 0x33, 0x22, 0x11}},
      {18, {0x88, 0x77, 0x66, 0x55}},
      {38, {0xAA, 0x99}},
      {50, {0xEE, 0xDD, 0xCC, 0xBB}},
  };
  std::size_t written = 0;
  for (const auto& field : fields) {
    for (std::size_t i = 0; i < field.bytes.size(); ++i) EXPECT_EQ(params.bytes[field.offset + i], field.bytes[i]);
    written += field.bytes.size();
  }
  EXPECT_EQ(std::count(std::begin(params.bytes), std::end(params.bytes), 0), ExportViewParams::kSize - written);
  EXPECT_EQ(params.DatabaseHandle(), 0x11223344u);
  EXPECT_EQ(params.ViewNoteId(), 0x55667788u);
  EXPECT_EQ(params.CollectionHandle(), 0x99AA);
  EXPECT_EQ(params.SelectedIdTable(), 0xBBCCDDEEu);
}

}  // namespace
