// The benchmarks' generated database: customers, one document each, written document by document
// as a Notes client exports one.
#pragma once

#include <cstddef>
#include <filesystem>

namespace bench {

inline constexpr char kCustomerView[] = "顧客一覧";  // five text columns, in note-ID order
inline constexpr char kByStaffView[] = "担当者別";   // categorised by 担当者, numbers descending

// Writes `documents` customers with the view kCustomerView and, with `byStaffView`, kByStaffView.
void WriteCustomerDatabase(const std::filesystem::path& path, unsigned documents, bool byStaffView = false);

// Writes `documents` customers with only the items of kCustomerView, short values and no dates:
// about 400 bytes of DXL each.
void WriteSmallCustomerDatabase(const std::filesystem::path& path, unsigned documents);

// Writes `documents` customers, each with one attachment "明細N.bin" of `attachmentBytes` bytes
// outside rich text; AttachmentByte(n, i) is byte i of document n's attachment.
void WriteAttachmentDatabase(const std::filesystem::path& path, unsigned documents, std::size_t attachmentBytes);
unsigned char AttachmentByte(unsigned document, std::size_t index);

}  // namespace bench
