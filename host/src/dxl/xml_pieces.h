// An XML file read in bounded pieces: the root element, and when the root is a container (a DXL
// <database>), its child elements a batch at a time, so a file of any size is read with a buffer
// about the size of its largest child. External DTDs and entities are never loaded; a DOCTYPE is
// accepted and passed over.
//
// Internal to the DXL reader.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <pugixml.hpp>

#include "dxl/utf8_source.h"

namespace host::dxl {

// One batch of a streamed root's children, parsed; its nodes live as long as it does.
class XmlBatch {
 public:
  // The children, as the children of this node (character data between them included).
  pugi::xml_node Node() const { return document_; }
  // Where the character at `parsed` (within the text of the batch's nodes) lies in the file, in
  // bytes from its start; nullopt when the file's bytes were converted to UTF-8.
  std::optional<std::uint64_t> FileOffsetOf(const char* parsed) const;

 private:
  friend class XmlPieces;
  pugi::xml_document document_;
  std::string text_;  // what the nodes point into (the parse changes it)
  std::uint64_t fileOffset_ = 0;  // of text_[0]
  bool fileBytes_ = false;        // text_ holds the file's own bytes
};

class XmlPieces {
 public:
  // Opens the file and reads its root element: the start tag only when its local name is
  // `container`, else the whole element. Throws host::StatusError{kErrDatabaseRead} naming the
  // file, and for XML errors the line: "<file>: <line>: <message>".
  XmlPieces(const std::string& path, std::string_view container);
  ~XmlPieces();

  // The root element; its children are not in it when Streamed().
  pugi::xml_node Root() const { return root_.document_element(); }
  bool Streamed() const { return streamed_; }

  // The next of the root's children; null after the last. Each batch stands on its own, so one
  // may be read while the next is being parsed (on another thread). Throws as the constructor does.
  std::unique_ptr<XmlBatch> NextBatch();

  // As XmlBatch::FileOffsetOf, for the text of the root element when it is not Streamed().
  std::optional<std::uint64_t> FileOffsetOf(const char* parsed) const;

 private:
  enum class Markup { StartTag, EmptyTag, EndTag, Other };

  bool Fill();  // reads more after the kept bytes, growing the buffer when full; false at the end
  void Keep(std::size_t from);  // drops the bytes before `from` (at most next_)
  std::size_t FindMarkup(std::size_t from) const;  // the next '<' at or after `from`, or end_
  // The end of the markup beginning at `at` (a '<'), or 0 while it is not all in the buffer.
  std::size_t MarkupEnd(std::size_t at, Markup& kind) const;
  // Scans the markup and text of an element whose start tag ended before scan_, leaving scan_ at
  // the end of its end tag (true) or at the first markup not yet all in the buffer (false).
  bool ScanElement();
  // Parses the bytes [from, to) into `document`, copied into `text`; with `closeElement` a lone
  // start tag as an empty element. Returns the stream offset of `text`.
  std::uint64_t Parse(pugi::xml_document& document, std::string& text, std::size_t from, std::size_t to,
                      unsigned extraOptions, bool closeElement = false);
  [[noreturn]] void FailAt(std::size_t at, const std::string& message) const;

  std::string path_;
  Utf8Source source_;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_ = 0;
  std::size_t end_ = 0;             // bytes in the buffer
  std::uint64_t bufferOffset_ = 0;  // the stream offset of buffer_[0]
  std::size_t scan_ = 0;            // where scanning goes on
  std::size_t next_ = 0;            // where the next batch begins
  long depth_ = 0;                  // elements open at scan_ (the streamed root not counted)
  bool atEnd_ = false;
  bool streamed_ = false;
  bool finished_ = false;  // the root's end tag has been read
  std::string rootName_;
  std::string rootText_;  // what root_ points into (the parse changes it)
  std::uint64_t rootOffset_ = 0;  // the stream offset of rootText_[0]
  pugi::xml_document root_;
};

}  // namespace host::dxl
