// The plug-in library's one export, as the Notes client calls it: the one header the client takes
// the entry's type and flags from.
#pragma once

#include <cstdint>

#include "columns/export_view_params.h"

// ExportView's flag: append a CSV export to the end of an existing file.
inline constexpr std::uint16_t kAppendToFile = 0x0004;

// Exports the view named in `params` to the file typed in `fileName` (platform text, possibly
// followed by switches): as XML when `option` is "xml" in any letter case, else as CSV. Flag 0x0004
// appends a CSV export to an existing file; `reserved` is not used. Every failure is shown to the
// user; the result is always 0.
extern "C" __attribute__((visibility("default"))) std::uint16_t ExportView(const ExportViewParams* params,
                                                                            std::uint16_t flags,
                                                                            std::uint32_t reserved,
                                                                            const char* option,
                                                                            const char* fileName);

// The type of ExportView, as the client finds it in the loaded library.
using ExportViewFunction = std::uint16_t (*)(const ExportViewParams*, std::uint16_t, std::uint32_t, const char*,
                                             const char*);
