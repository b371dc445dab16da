// For the DXL reader's tests: a DXL fragment parsed the way the reader parses files.
#pragma once

#include <string>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "model.h"

namespace host::dxl {

class ParsedXml {
 public:
  explicit ParsedXml(const std::string& text) {
    const auto result = document_.load_string(
        text.c_str(), pugi::parse_cdata | pugi::parse_escapes | pugi::parse_eol | pugi::parse_ws_pcdata);
    EXPECT_TRUE(result) << result.description() << " in " << text;
  }
  pugi::xml_node Root() const { return document_.document_element(); }

 private:
  pugi::xml_document document_;
};

inline model::RTElement TextObject(std::string text) {
  model::RTElement element;
  element.text = std::move(text);
  return element;
}

}  // namespace host::dxl
