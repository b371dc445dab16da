// The column spec that renders values which have no view column of their own (items, computed
// fields, window titles): the semicolon between list elements and the host's default formats.
#pragma once

#include "columns/column_spec.h"

inline const ColumnSpec& DefaultColumnSpec() {
  static const ColumnSpec spec;
  return spec;
}
