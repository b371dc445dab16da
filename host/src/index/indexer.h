// The view indexer: turns a view's design and the database's documents into the rows of the
// view's collection, in view order.
//
// Internal to the host library.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "index/packed_rows.h"
#include "model.h"

namespace host::index {

struct Row {
  // A document's note ID, or for a category row 0x80000001, 0x80000002 ... in view order.
  std::uint32_t noteId = 0;
  // 0 for a main document or a category; 1 for a response, 2 for a response to it ...
  std::uint16_t level = 0;
  // One entry per view column, by column number. A document row has a value for every column
  // ("" included) but a responses-only column on a main document; a category row only for its own
  // categorised column; absent elsewhere.
  std::vector<std::optional<model::Value>> values;
};

// Indexes the view or folder note `view` of `database`: selects the documents (the selection
// formula; with @AllChildren or @AllDescendants also the responses of the ones it selects),
// evaluates each column, orders the rows by the sorted and categorised columns and adds the
// category rows. Each formula is compiled once.
// In a view that shows the response hierarchy each response stands directly under its parent
// (under each of the parent's rows), its own responses under it, siblings ordered by the sorted
// columns that are not categorised and then by note ID; a response whose parent is not among the
// selected documents is left out, with its responses. Without the hierarchy responses are ordered
// among the main documents.
// A selection formula that does not compile throws StatusError, its detail naming the view and the
// @function. A column formula that does not compile shows "#式エラー: @function" ("#式エラー" for
// a syntax error) on every document row and adds one text to the rows' problems; a document on
// which a column formula fails to evaluate gets "" in that column, and a selection formula that
// fails on a document leaves the document out. A responses-only column has no value on a main
// document's row.
// Throws StatusError kErrNotViewOrFolder for a note without a view design, kErrBufferOverflow
// for a view with more columns than an entry record can describe.
std::vector<Row> IndexView(const model::Database& database, const model::Note& view);

// The same rows as a collection holds them: each row's values packed once into its summary
// table (values too large for one entry record cut to fit); a document under several categories
// shares one table.
PackedRows IndexViewPacked(const model::Database& database, const model::Note& view);

}  // namespace host::index
