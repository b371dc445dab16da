// The rows of one export in view order, kept as the host's raw entry records and decoded one at
// a time when rendered.
#pragma once

#include <cstddef>
#include <string>
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

  std::size_t GetCount() const { return entries_.size(); }
  // The entry at `index` (below GetCount()), decoded afresh.
  ViewEntry GetEntry(std::size_t index) const;

 private:
  std::vector<std::string> entries_;
};
