// The rows of one export in view order, kept as the host's raw entry records and decoded one at
// a time when rendered.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <platform/large_block.h>

#include "columns/export_view_params.h"
#include "columns/view_entry.h"

class ViewEntryList {
 public:
  ViewEntryList() = default;
  virtual ~ViewEntryList() = default;

  // Reads every entry of the collection named in `params`, batch by batch, and keeps all of them
  // (`allDocuments`, category rows included) or only those whose note IDs are in the record's
  // selected-documents table. Returns 0, or the first nonzero status of the host or of decoding;
  // the entries kept until then stay.
  LNSTATUS ReadView(const ExportViewParams& params, bool allDocuments);

  std::size_t GetCount() const { return records_.size(); }
  // The entry at `index` (below GetCount()), decoded afresh.
  ViewEntry GetEntry(std::size_t index) const;

 private:
  // Keeps the batch's entries at the start of `records`, `count` of them back to back.
  LNSTATUS KeepBatch(std::string_view records, std::uint32_t count, bool allDocuments, CoreIdTableHandle selected);

  // Room for `size` more bytes at the end of the last chunk.
  char* Reserve(std::size_t size);

  // The kept records back to back in chunks that never move, so that keeping a record never
  // copies the ones before it; each record lies within one chunk.
  std::vector<platform::LargeBlock> chunks_;
  char* next_ = nullptr;  // the free bytes at the end of the last chunk
  std::size_t room_ = 0;
  std::vector<std::string_view> records_;  // each kept record, in view order
};
