// Tests only: the public DXL samples in the folder "dxl-samples" of the shared folder beside the
// project. A clone of the project alone has no such folder: the tests that read it are skipped
// then, naming the folder, unless NVORPEL_REQUIRE_SAMPLES is set (CI sets it), which fails them.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace host::dxl::testing {

inline const std::string kPublicSamples = NVORPEL_SHARED_DIR "/dxl-samples/";

inline bool PublicSamplesPresent() { return std::filesystem::is_directory(kPublicSamples); }

inline bool PublicSamplesRequired() {
  const char* required = std::getenv("NVORPEL_REQUIRE_SAMPLES");
  return required != nullptr && *required != '\0';
}

}  // namespace host::dxl::testing

// Ends the calling test (or its SetUp) as skipped, or as failed where the samples are required,
// when the public samples are absent.
#define NVORPEL_NEEDS_PUBLIC_SAMPLES()                                                                 \
  do {                                                                                                 \
    if (!::host::dxl::testing::PublicSamplesPresent()) {                                               \
      if (::host::dxl::testing::PublicSamplesRequired())                                               \
        FAIL() << "the public DXL samples are required but " << ::host::dxl::testing::kPublicSamples \
               << " is missing";                                                                       \
      GTEST_SKIP() << "the public DXL samples are not here: " << ::host::dxl::testing::kPublicSamples  \
                   << " is missing";                                                                   \
    }                                                                                                  \
  } while (false)
