#include "dxl/xml_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include <sys/stat.h>

#include "platform/cp932.h"
#include "status_error.h"

namespace host::dxl {
namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& message) {
  throw StatusError{kErrDatabaseRead, path + ": " + message};
}

[[noreturn]] void FailAt(const std::string& path, std::size_t line, const std::string& message) {
  Fail(path, std::to_string(line) + ": " + message);
}

std::size_t LineAt(std::string_view bytes, std::size_t offset) {
  offset = std::min(offset, bytes.size());
  std::size_t line = 1;
  for (std::size_t i = 0; i < offset; ++i) line += bytes[i] == '\n';
  return line;
}

// The line of the first byte that is not part of a UTF-8 sequence, or 0 when all are.
std::size_t LineOfInvalidUtf8(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned char c = p[i];
    std::size_t length = 1;
    unsigned long cp = c;
    if (c >= 0x80) {
      if (c >= 0xC2 && c <= 0xDF) length = 2, cp = c & 0x1F;
      else if (c >= 0xE0 && c <= 0xEF) length = 3, cp = c & 0x0F;
      else if (c >= 0xF0 && c <= 0xF4) length = 4, cp = c & 0x07;
      else return LineAt(bytes, i);
      if (n - i < length) return LineAt(bytes, i);
      for (std::size_t k = 1; k < length; ++k) {
        if ((p[i + k] & 0xC0) != 0x80) return LineAt(bytes, i);
        cp = (cp << 6) | (p[i + k] & 0x3F);
      }
      const unsigned long minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
      if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return LineAt(bytes, i);
    }
    i += length;
  }
  return 0;
}

// The encoding named by the XML declaration, lower-cased; "" when none is named.
std::string DeclaredEncoding(std::string_view bytes) {
  if (!bytes.starts_with("<?xml")) return {};
  const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
  const auto key = declaration.find("encoding");
  if (key == std::string_view::npos) return {};
  const auto quote = declaration.find_first_of("'\"", key);
  if (quote == std::string_view::npos) return {};
  const auto close = declaration.find(declaration[quote], quote + 1);
  std::string name(declaration.substr(quote + 1, close - quote - 1));
  for (char& c : name) c = platform::AsciiLower(c);
  return name;
}

bool StartsWithUnicodeMark(std::string_view bytes) {
  return bytes.starts_with("\xFE\xFF") || bytes.starts_with("\xFF\xFE") ||
         bytes.starts_with(std::string_view("\0\0\xFE\xFF", 4)) || bytes.starts_with(std::string_view("<\0", 2)) ||
         bytes.starts_with(std::string_view("\0<", 2));
}

// Chooses how the bytes are decoded; UTF-8 (by far the usual) is checked before parsing.
pugi::xml_encoding EncodingOf(const std::string& path, std::string_view bytes) {
  if (StartsWithUnicodeMark(bytes)) return pugi::encoding_auto;
  std::string_view text = bytes;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const std::string declared = DeclaredEncoding(text);
  if (declared == "iso-8859-1" || declared == "latin1") return pugi::encoding_latin1;
  if (!declared.empty() && declared != "utf-8" && declared != "utf8" && declared != "us-ascii")
    FailAt(path, 1, "the encoding '" + declared + "' is not supported");
  if (const std::size_t line = LineOfInvalidUtf8(bytes)) FailAt(path, line, "invalid UTF-8");
  return pugi::encoding_utf8;
}

}  // namespace

std::unique_ptr<XmlFile> LoadXmlFile(const std::string& path) {
  std::FILE* stream = std::fopen(path.c_str(), "rb");
  if (!stream) Fail(path, std::strerror(errno));
  struct stat status {};
  if (fstat(fileno(stream), &status) != 0 || !S_ISREG(status.st_mode)) {
    const int error = S_ISDIR(status.st_mode) ? EISDIR : errno ? errno : EINVAL;
    std::fclose(stream);
    Fail(path, std::strerror(error));
  }
  auto file = std::make_unique<XmlFile>();
  std::size_t size = static_cast<std::size_t>(status.st_size);
  file->buffer = std::make_unique_for_overwrite<char[]>(size + 1);
  errno = 0;
  size = std::fread(file->buffer.get(), 1, size, stream);
  const bool failed = std::ferror(stream);
  const int readError = errno;
  std::fclose(stream);
  if (failed) Fail(path, std::strerror(readError ? readError : EIO));

  const std::string_view bytes(file->buffer.get(), size);
  const pugi::xml_encoding encoding = EncodingOf(path, bytes);
  // Kept: character data and CDATA, escapes, end-of-line normalisation; white space alone is kept
  // only as an element's whole content (<text> </text>), never between elements, which halves the
  // tree of a large file. Not built: comments, processing instructions, the declaration, the DOCTYPE.
  constexpr unsigned kOptions = pugi::parse_cdata | pugi::parse_escapes | pugi::parse_eol | pugi::parse_ws_pcdata_single;
  const pugi::xml_parse_result parsed = file->document.load_buffer_inplace(file->buffer.get(), size, kOptions, encoding);
  if (!parsed) {
    // The parse wrote into the buffer; count the lines in the file as it is on disk.
    std::string original(size, '\0');
    if (std::FILE* again = std::fopen(path.c_str(), "rb")) {
      original.resize(std::fread(original.data(), 1, size, again));
      std::fclose(again);
    }
    FailAt(path, LineAt(original, static_cast<std::size_t>(parsed.offset)), parsed.description());
  }
  return file;
}

}  // namespace host::dxl
