// The rows of one export in view order, kept as the host's raw entry records and decoded one at
// a time when rendered.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

  std::size_t GetCount() const { return ends_.size(); }
  // The entry at `index` (below GetCount()), decoded afresh.
  ViewEntry GetEntry(std::size_t index) const;

 private:
  // Keeps the batch's entries at the start of `records`, `count` of them back to back.
  LNSTATUS KeepBatch(std::string_view records, std::uint32_t count, bool allDocuments, CoreIdTableHandle selected);

  std::string records_;            // the kept records back to back
  std::vector<std::size_t> ends_;  // where each kept record ends in records_
};
