// Export definition files (.cef): a column selection kept for later exports of a view. The file
// names the view it was made for; loaded into that view it restores the view columns' titles,
// order and output flags and the formula columns, loaded into another view only the formulas.
//
// Paths are platform text. A host failure in reading the view's name or columns, or a formula's
// text, is thrown as the host's status; the list is then unchanged and no file is written.
#pragma once

#include <string_view>

#include "columns/column_spec.h"
#include "host/lnview.h"

// Writes `list` as a definition file of `view` to `platformPath`, replacing any file there once
// the new one is complete. Returns false, with nothing written, when the file cannot be created
// or written. Shows no message. The view is closed on return, except after a host failure.
bool SaveDefinitionFile(const ColumnSpecList& list, LNViewFolder& view, std::string_view platformPath);

// Replaces the contents of `list` with the columns of the definition file at `platformPath`:
// for a file of this view, the file's columns in its order, then the view's other columns, not
// output; for a file of another view, after the user agrees, the view's own columns, then the
// file's formula columns. Returns false, with the list unchanged, after telling the user why
// (a file that cannot be opened, one that is not a definition file, or the user's No). A formula
// the host rejects is skipped. The view is closed on return, except after a host failure.
bool LoadDefinitionFile(ColumnSpecList& list, LNViewFolder& view, std::string_view platformPath);
