#include "transcoder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "platform/cp932.h"

namespace platform {

Transcoder::Transcoder(const char* toCode, const char* fromCode) : descriptor_(iconv_open(toCode, fromCode)) {
  if (descriptor_ == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error(std::string("iconv cannot convert from ") + fromCode + " to " + toCode + ": " +
                             std::strerror(errno));
  }
}

Transcoder::~Transcoder() { iconv_close(descriptor_); }

std::string Transcoder::Convert(std::string_view input, std::string_view replacement, SequenceLength length) {
  std::string out;
  out.reserve(input.size() * 3 / 2 + 8);
  iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(input.data());  // iconv's signature; it never writes the input
  std::size_t inLeft = input.size();
  char chunk[4096];
  while (inLeft > 0) {
    char* chunkEnd = chunk;
    std::size_t chunkLeft = sizeof chunk;
    const std::size_t result = iconv(descriptor_, &in, &inLeft, &chunkEnd, &chunkLeft);
    const int error = errno;
    out.append(chunk, chunkEnd);
    if (result != static_cast<std::size_t>(-1) || error == E2BIG) continue;
    // EILSEQ (invalid or unconvertible) or EINVAL (incomplete at the end of the input).
    const std::size_t skip = std::clamp<std::size_t>(length({in, inLeft}), 1, inLeft);
    out += replacement;
    in += skip;
    inLeft -= skip;
    iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

std::size_t Cp932SequenceLength(std::string_view rest) {
  if (rest.size() < 2 || !IsLeadByte(static_cast<unsigned char>(rest[0]))) return 1;
  const auto trail = static_cast<unsigned char>(rest[1]);
  const bool isTrail = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC);
  return isTrail ? 2 : 1;
}

std::size_t Utf16SequenceLength(std::string_view rest) {
  if (rest.size() < 4) return 2;
  char16_t first, second;
  std::memcpy(&first, rest.data(), 2);
  std::memcpy(&second, rest.data() + 2, 2);
  const bool pair = first >= 0xD800 && first <= 0xDBFF && second >= 0xDC00 && second <= 0xDFFF;
  return pair ? 4 : 2;
}

std::size_t SingleByte(std::string_view) { return 1; }

}  // namespace platform
