// The benchmarks' generated database: customers, one document each, written document by document
// as a Notes client exports one.
#pragma once

#include <filesystem>

namespace bench {

inline constexpr char kCustomerView[] = "顧客一覧";  // five text columns, in note-ID order
inline constexpr char kByStaffView[] = "担当者別";   // categorised by 担当者, numbers descending

// Writes `documents` customers with the view kCustomerView and, with `byStaffView`, kByStaffView.
void WriteCustomerDatabase(const std::filesystem::path& path, unsigned documents, bool byStaffView = false);

}  // namespace bench
