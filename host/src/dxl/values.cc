#include "dxl/values.h"

#include <charconv>
#include <string>

#include "dxl/datetime_text.h"
#include "dxl/rich_text.h"
#include "dxl/xml_access.h"
#include "host/lntypes.h"

namespace host::dxl {
namespace {

// A decimal number: optional sign, digits, fraction and exponent.
double ReadNumber(pugi::xml_node number) {
  const std::string_view text = TrimXmlSpace(number.text().get());
  std::string_view magnitude = text;
  const bool negative = !magnitude.empty() && magnitude.front() == '-';
  if (!magnitude.empty() && (magnitude.front() == '-' || magnitude.front() == '+')) magnitude.remove_prefix(1);
  double value = 0;
  const bool startsWithDigit = !magnitude.empty() && (magnitude.front() == '.' || (magnitude.front() >= '0' && magnitude.front() <= '9'));
  const char* last = magnitude.data() + magnitude.size();
  const auto [end, error] = std::from_chars(magnitude.data(), last, value);
  if (!startsWithDigit || error != std::errc() || end != last)
    throw Malformed{"<number> '" + std::string(text) + "' is not a number"};
  return negative ? -value : value;
}

model::Text ReadTextList(pugi::xml_node list) {
  model::Text text;
  for (pugi::xml_node child : list.children())
    if (IsElement(child, "text")) text.values.push_back(ReadText(child));
  return text;
}

model::Numbers ReadNumberList(pugi::xml_node list) {
  model::Numbers numbers;
  for (pugi::xml_node child : list.children()) {
    if (IsElement(child, "number")) numbers.values.push_back(ReadNumber(child));
  }
  return numbers;
}

model::DateTimeRange ReadDateTimePair(pugi::xml_node pair) {
  model::DateTime bounds[2];
  int count = 0;
  for (pugi::xml_node child : pair.children()) {
    if (!IsElement(child, "datetime")) continue;
    if (count == 2) throw Malformed{"<datetimepair> holds more than two date/times"};
    bounds[count++] = ReadDateTime(child);
  }
  if (count != 2) throw Malformed{"<datetimepair> does not hold two date/times"};
  return {bounds[0], bounds[1]};
}

model::DateTimes ReadDateTimeList(pugi::xml_node list) {
  model::DateTimes datetimes;
  for (pugi::xml_node child : list.children()) {
    if (IsElement(child, "datetime"))
      datetimes.values.push_back(ReadDateTime(child));
    else if (IsElement(child, "datetimepair"))
      datetimes.ranges.push_back(ReadDateTimePair(child));
  }
  return datetimes;
}

model::Value ReadValue(pugi::xml_node value) {
  const std::string_view kind = LocalName(value);
  if (kind == "text") return model::Text{{ReadText(value)}};
  if (kind == "textlist") return ReadTextList(value);
  if (kind == "number") return model::Numbers{{ReadNumber(value)}, {}};
  if (kind == "numberlist") return ReadNumberList(value);
  if (kind == "datetime") return model::DateTimes{{ReadDateTime(value)}, {}};
  if (kind == "datetimelist") return ReadDateTimeList(value);
  if (kind == "richtext") return ReadRichText(value);
  model::Unsupported unsupported{std::string(kind)};
  if (kind == "object") unsupported.typeCode = LNITEMTYPE_OBJECT;  // an attachment of a $FILE item
  if (kind == "rawitemdata") {  // its type is the host's item type code, in hexadecimal
    const std::string_view type = Attr(value, "type");
    const auto [end, error] = std::from_chars(type.data(), type.data() + type.size(), unsupported.typeCode, 16);
    if (type.empty() || error != std::errc() || end != type.data() + type.size())
      throw Malformed{"<rawitemdata type='" + std::string(type) + "'> is not a hexadecimal type code"};
  }
  return unsupported;
}

}  // namespace

std::string ReadText(pugi::xml_node text) {
  std::string out;
  for (pugi::xml_node child : text.children()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
      out += child.value();
    } else if (IsElement(child, "break")) {
      out += '\n';
    } else if (IsElement(child, "nonxmlchar")) {
      const std::string_view hex = Attr(child, "value");
      unsigned long codePoint = 0;
      const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), codePoint, 16);
      if (hex.empty() || error != std::errc() || end != hex.data() + hex.size() || !AppendUtf8(out, codePoint))
        throw Malformed{"<nonxmlchar value='" + std::string(hex) + "'> is not a character"};
    }
  }
  return out;
}

model::DateTime ReadDateTime(pugi::xml_node datetime) {
  const auto value = ParseDateTime(datetime.text().get(), BoolAttr(datetime, "dst"));
  if (!value) throw Malformed{"<datetime> '" + std::string(datetime.text().get()) + "' is not a date/time"};
  return *value;
}

model::Item ReadItem(pugi::xml_node item) {
  model::Item result;
  const pugi::xml_attribute name = item.attribute("name");
  if (!name) throw Malformed{"<item> without a name"};
  result.name = name.value();
  pugi::xml_node value = item.first_child();
  while (value && value.type() != pugi::node_element) value = value.next_sibling();
  if (!value) throw Malformed{"item '" + result.name + "' holds no value"};
  result.value = ReadValue(value);

  // Without a summary attribute an item is a summary item unless it is rich text, as the
  // platform's DXL importer decides.
  const bool isRichText = std::holds_alternative<model::RichText>(result.value);
  if (BoolAttr(item, "summary", !isRichText)) result.flags |= model::kSummary;
  if (BoolAttr(item, "names")) result.flags |= model::kNames;
  if (BoolAttr(item, "readers")) result.flags |= model::kReaders;
  if (BoolAttr(item, "authors")) result.flags |= model::kAuthors;
  if (BoolAttr(item, "protected")) result.flags |= model::kProtected;
  return result;
}

}  // namespace host::dxl
