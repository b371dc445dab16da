#include "dxl/xml_pieces.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "status_error.h"

namespace host::dxl {
namespace {

constexpr std::size_t kInitialCapacity = 4u << 20;
constexpr std::size_t kLeastRead = 64u << 10;  // a buffer with less room than this grows first
constexpr std::size_t kBatchBytes = 1u << 20;  // children are parsed together up to this size

// Kept: character data (white space alone included) and CDATA, escapes, end-of-line
// normalisation. Not built: comments, processing instructions, the declaration, the DOCTYPE.
constexpr unsigned kParseOptions = pugi::parse_cdata | pugi::parse_escapes | pugi::parse_eol | pugi::parse_ws_pcdata;

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The first occurrence of `sequence` in [from, end), or null.
const char* FindSequence(const char* from, const char* end, std::string_view sequence) {
  while (end - from >= static_cast<std::ptrdiff_t>(sequence.size())) {
    const auto* first = static_cast<const char*>(std::memchr(from, sequence[0], static_cast<std::size_t>(end - from)));
    if (!first || end - first < static_cast<std::ptrdiff_t>(sequence.size())) return nullptr;
    if (std::memcmp(first, sequence.data(), sequence.size()) == 0) return first;
    from = first + 1;
  }
  return nullptr;
}

// The offset of the first byte that does not begin or continue a UTF-8 character, or
// bytes.size() when every one does.
std::size_t FirstInvalidUtf8(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    if (n - i >= 8) {  // most of a DXL file is ASCII: eight bytes at a time
      std::uint64_t eight;
      std::memcpy(&eight, p + i, 8);
      if ((eight & 0x8080808080808080ull) == 0) {
        i += 8;
        continue;
      }
    }
    const unsigned char c = p[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t length;
    unsigned long cp;
    if (c >= 0xC2 && c <= 0xDF) length = 2, cp = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF) length = 3, cp = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4) length = 4, cp = c & 0x07;
    else return i;
    if (n - i < length) return i;
    for (std::size_t k = 1; k < length; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) return i;
      cp = (cp << 6) | (p[i + k] & 0x3F);
    }
    const unsigned long minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return i;
    i += length;
  }
  return n;
}

// The qualified name of the tag beginning at `tag` ("<name ...").
std::string_view TagName(std::string_view tag) {
  tag.remove_prefix(tag.starts_with("</") ? 2 : 1);
  return tag.substr(0, std::min(tag.size(), tag.find_first_of(" \t\r\n/>")));
}

std::string_view LocalPart(std::string_view name) {
  const auto colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

}  // namespace

XmlPieces::XmlPieces(const std::string& path, std::string_view container)
    : path_(path), source_(path),
      // A small file gets a buffer of about its size; a large one starts with a few batches' room.
      capacity_(static_cast<std::size_t>(std::min<std::uint64_t>(kInitialCapacity, source_.StoredSize() + kLeastRead))) {
  buffer_ = std::make_unique_for_overwrite<char[]>(capacity_);
  // The prolog: white space, the declaration, comments, processing instructions, a DOCTYPE.
  std::size_t tag = 0, tagEnd = 0;
  Markup kind = Markup::Other;
  for (;;) {
    tag = FindMarkup(scan_);
    for (std::size_t i = scan_; i < tag; ++i)
      if (!IsXmlSpace(buffer_[i])) FailAt(i, "No document element found");
    scan_ = tag;
    tagEnd = tag < end_ ? MarkupEnd(tag, kind) : 0;
    if (tagEnd == 0) {
      Keep(scan_);
      if (!Fill()) FailAt(end_, "No document element found");
      continue;
    }
    if (kind == Markup::EndTag) FailAt(tag, "No document element found");
    if (kind != Markup::Other) break;
    scan_ = tagEnd;
  }

  rootName_ = TagName(std::string_view(&buffer_[tag], tagEnd - tag));
  scan_ = tagEnd;
  if (LocalPart(rootName_) == container) {
    streamed_ = true;
    finished_ = kind == Markup::EmptyTag;
    rootOffset_ = Parse(root_, rootText_, tag, tagEnd, 0, /*closeElement=*/kind == Markup::StartTag);
    Keep(scan_);
    return;
  }
  if (kind == Markup::StartTag) {
    depth_ = 1;
    while (!ScanElement()) {
      Keep(tag);
      tag = 0;
      if (!Fill()) {
        Parse(root_, rootText_, tag, end_, 0);  // pugixml names what is wrong with the unfinished element
        FailAt(end_, "Start-end tags mismatch");
      }
    }
  }
  rootOffset_ = Parse(root_, rootText_, tag, scan_, 0);
}

XmlPieces::~XmlPieces() = default;

std::unique_ptr<XmlBatch> XmlPieces::NextBatch() {
  if (finished_) return nullptr;
  std::size_t batchEnd = next_;  // the end of the last whole child
  const auto haveChildren = [&] { return batchEnd > next_; };
  const auto full = [&] { return batchEnd - next_ >= kBatchBytes; };
  for (;;) {
    if (depth_ > 0) {
      if (ScanElement()) {
        batchEnd = scan_;
        if (full()) break;
        continue;
      }
    } else {
      const std::size_t at = FindMarkup(scan_);
      Markup kind = Markup::Other;
      const std::size_t end = at < end_ ? MarkupEnd(at, kind) : 0;
      scan_ = at;
      if (end != 0) {
        scan_ = end;
        if (kind == Markup::StartTag) {
          depth_ = 1;
        } else if (kind == Markup::EmptyTag) {
          batchEnd = end;
          if (full()) break;
        } else if (kind == Markup::EndTag) {
          if (TagName(std::string_view(&buffer_[at], end - at)) != rootName_) FailAt(at, "Start-end tags mismatch");
          finished_ = true;
          batchEnd = at;
          break;
        }
        continue;
      }
    }
    // The buffer ends within markup: parse the whole children first, else read on.
    if (haveChildren()) break;
    if (!Fill()) {
      if (depth_ > 0) {
        XmlBatch unfinished;
        Parse(unfinished.document_, unfinished.text_, next_, end_, pugi::parse_fragment);
      }
      FailAt(end_, "Start-end tags mismatch");
    }
    batchEnd = next_;  // moved by the fill
  }
  const std::size_t start = std::exchange(next_, batchEnd);
  if (batchEnd == start) return nullptr;
  auto batch = std::make_unique<XmlBatch>();
  batch->fileOffset_ = Parse(batch->document_, batch->text_, start, batchEnd, pugi::parse_fragment);
  batch->fileBytes_ = source_.Unchecked();
  return batch;
}

bool XmlPieces::Fill() {
  if (atEnd_) return false;
  // Room is made by dropping what has been parsed, and only then by growing.
  if (capacity_ - end_ < kLeastRead) Keep(next_);
  if (capacity_ - end_ < kLeastRead) {
    const std::size_t capacity = std::max(capacity_ * 2, end_ + kLeastRead);
    auto grown = std::make_unique_for_overwrite<char[]>(capacity);
    std::memcpy(grown.get(), buffer_.get(), end_);
    buffer_ = std::move(grown);
    capacity_ = capacity;
  }
  const std::size_t got = source_.Read(&buffer_[end_], capacity_ - end_);
  end_ += got;
  atEnd_ = got == 0;
  return got > 0;
}

void XmlPieces::Keep(std::size_t from) {
  std::memmove(buffer_.get(), &buffer_[from], end_ - from);
  end_ -= from;
  scan_ -= from;
  next_ = next_ > from ? next_ - from : 0;
  bufferOffset_ += from;
}

std::size_t XmlPieces::FindMarkup(std::size_t from) const {
  const void* found = std::memchr(&buffer_[from], '<', end_ - from);
  return found ? static_cast<std::size_t>(static_cast<const char*>(found) - buffer_.get()) : end_;
}

std::size_t XmlPieces::MarkupEnd(std::size_t at, Markup& kind) const {
  const char* const base = buffer_.get();
  const char* const p = base + at;
  const char* const end = base + end_;
  const auto after = [&](const char* last, std::size_t length) {
    return last ? static_cast<std::size_t>(last - base) + length : 0;
  };
  if (end - p < 2) return 0;
  kind = Markup::Other;
  if (p[1] == '/') {
    kind = Markup::EndTag;
    return after(static_cast<const char*>(std::memchr(p, '>', static_cast<std::size_t>(end - p))), 1);
  }
  if (p[1] == '?') return after(FindSequence(p + 2, end, "?>"), 2);
  if (p[1] == '!') {
    const std::string_view rest(p, static_cast<std::size_t>(end - p));
    if (rest.starts_with("<!--")) return after(FindSequence(p + 4, end, "-->"), 3);
    if (rest.starts_with("<![CDATA[")) return after(FindSequence(p + 9, end, "]]>"), 3);
    if (rest.size() < 9) return 0;  // not yet known which
    // A DOCTYPE or another declaration: ends at a '>' outside quotes and an internal subset.
    int brackets = 0;
    for (const char* q = p + 2; q < end; ++q) {
      if (*q == '"' || *q == '\'') {
        q = static_cast<const char*>(std::memchr(q + 1, *q, static_cast<std::size_t>(end - q - 1)));
        if (!q) return 0;
      } else if (*q == '[') {
        ++brackets;
      } else if (*q == ']') {
        --brackets;
      } else if (*q == '>' && brackets <= 0) {
        return after(q, 1);
      }
    }
    return 0;
  }
  // A start tag: its end is the first '>' outside an attribute value.
  for (const char* q = p + 1; q < end; ++q) {
    if (*q == '>') {
      kind = q[-1] == '/' ? Markup::EmptyTag : Markup::StartTag;
      return after(q, 1);
    }
    if (*q == '"' || *q == '\'') {
      q = static_cast<const char*>(std::memchr(q + 1, *q, static_cast<std::size_t>(end - q - 1)));
      if (!q) return 0;
    }
  }
  return 0;
}

bool XmlPieces::ScanElement() {
  while (depth_ > 0) {
    const std::size_t at = FindMarkup(scan_);
    Markup kind = Markup::Other;
    const std::size_t end = at < end_ ? MarkupEnd(at, kind) : 0;
    if (end == 0) {
      scan_ = at;
      return false;
    }
    if (kind == Markup::StartTag) ++depth_;
    if (kind == Markup::EndTag) --depth_;
    scan_ = end;
  }
  return true;
}

std::uint64_t XmlPieces::Parse(pugi::xml_document& document, std::string& text, std::size_t from, std::size_t to,
                               unsigned extraOptions, bool closeElement) {
  const std::string_view bytes(&buffer_[from], to - from);
  if (source_.Unchecked()) {
    const std::size_t invalid = FirstInvalidUtf8(bytes);
    if (invalid < bytes.size()) FailAt(from + invalid, "invalid UTF-8");
  }
  text.assign(bytes);
  if (closeElement) text.insert(text.size() - 1, 1, '/');  // "<database ...>" alone, as "<database .../>"
  const pugi::xml_parse_result parsed =
      document.load_buffer_inplace(text.data(), text.size(), kParseOptions | extraOptions, pugi::encoding_utf8);
  if (!parsed) FailAt(from + std::min(static_cast<std::size_t>(parsed.offset), bytes.size()), parsed.description());
  return bufferOffset_ + from;
}

namespace {

std::optional<std::uint64_t> OffsetIn(const std::string& text, std::uint64_t textOffset, const char* parsed) {
  if (parsed < text.data() || parsed >= text.data() + text.size()) return std::nullopt;
  return textOffset + static_cast<std::uint64_t>(parsed - text.data());
}

}  // namespace

std::optional<std::uint64_t> XmlBatch::FileOffsetOf(const char* parsed) const {
  return fileBytes_ ? OffsetIn(text_, fileOffset_, parsed) : std::nullopt;
}

std::optional<std::uint64_t> XmlPieces::FileOffsetOf(const char* parsed) const {
  return source_.Unchecked() && !streamed_ ? OffsetIn(rootText_, rootOffset_, parsed) : std::nullopt;
}

void XmlPieces::FailAt(std::size_t at, const std::string& message) const {
  // Counted again from the start of the file, since the bytes before the buffer are gone.
  const std::uint64_t offset = bufferOffset_ + at;
  std::uint64_t line = 1, counted = 0;
  Utf8Source again(path_);
  char chunk[1 << 16];
  while (counted < offset) {
    const std::size_t got = again.Read(chunk, sizeof chunk);
    if (got == 0) break;
    const std::size_t used = static_cast<std::size_t>(std::min<std::uint64_t>(got, offset - counted));
    line += static_cast<std::uint64_t>(std::count(chunk, chunk + used, '\n'));
    counted += used;
  }
  throw StatusError{kErrDatabaseRead, path_ + ": " + std::to_string(line) + ": " + message};
}

}  // namespace host::dxl
