#include "dxl/design.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "dxl/rich_text.h"
#include "dxl/xml_access.h"

namespace host::dxl {
namespace {

[[noreturn]] void Unknown(std::string_view what, std::string_view value) {
  throw Malformed{std::string(what) + " '" + std::string(value) + "' is unknown"};
}

std::vector<std::string> SplitAliases(std::string_view aliases) {
  std::vector<std::string> result;
  while (!aliases.empty()) {
    const auto bar = aliases.find('|');
    const std::string_view alias = aliases.substr(0, bar);
    if (!alias.empty()) result.emplace_back(alias);
    if (bar == std::string_view::npos) break;
    aliases.remove_prefix(bar + 1);
  }
  return result;
}

model::SortOrder SortOf(pugi::xml_node column) {
  const std::string_view sort = Attr(column, "sort");
  const bool categorized = BoolAttr(column, "categorized");
  if (sort == "descending") return model::SortOrder::Descending;
  if (sort == "ascending" || categorized) return model::SortOrder::Ascending;
  if (sort.empty() || sort == "none") return model::SortOrder::None;
  Unknown("column sort", sort);
}

std::uint32_t SeparatorOf(pugi::xml_node column) {
  const pugi::xml_attribute attribute = column.attribute("listseparator");
  if (!attribute) return model::kSepComma;
  const std::string_view separator = attribute.value();
  if (separator == "space") return model::kSepSpace;
  if (separator == "comma") return model::kSepComma;
  if (separator == "semicolon") return model::kSepSemicolon;
  if (separator == "newline") return model::kSepNewLine;
  if (separator == "none") return model::kSepNone;
  Unknown("column listseparator", separator);
}

model::NumberFormat ReadNumberFormat(pugi::xml_node element) {
  using Style = model::NumberFormat::Style;
  model::NumberFormat format;
  const std::string_view style = Attr(element, "format");
  if (style == "fixed") format.style = Style::Fixed;
  else if (style == "scientific") format.style = Style::Scientific;
  else if (style == "currency") format.style = Style::Currency;
  else if (!style.empty() && style != "general") Unknown("numberformat format", style);

  const std::string_view digits = Attr(element, "digits");
  if (!digits.empty() && digits != "varying") {
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), format.digits);
    if (error != std::errc() || end != digits.data() + digits.size() || format.digits < 0 || format.digits > 15)
      throw Malformed{"numberformat digits '" + std::string(digits) + "' is not 0 to 15"};
  }
  format.punctuated = BoolAttr(element, "punctuated");
  format.parens = BoolAttr(element, "parens");
  format.percent = BoolAttr(element, "percent");
  return format;
}

// DXL's names of the date parts, time parts and zone settings, in the order of the model's values.
constexpr std::array<std::string_view, 9> kDateParts = {
    "yearmonthday", "monthday", "yearmonth", "year", "month", "day",
    "weekdaymonthdayyear", "weekdaymonthday", "weekday"};
constexpr std::array<std::string_view, 4> kTimeParts = {
    "hourminutesecondhundredths", "hourminutesecond", "hourminute", "hour"};
constexpr std::array<std::string_view, 3> kZones = {"never", "sometimes", "always"};

// The value `name` stands for in `names`; `otherwise` for a name not listed (or none).
template <typename Value, std::size_t N>
Value Named(std::string_view name, const std::array<std::string_view, N>& names, Value otherwise) {
  const auto it = std::find(names.begin(), names.end(), name);
  return it == names.end() ? otherwise : static_cast<Value>(it - names.begin());
}

model::DatetimeFormat ReadDatetimeFormat(pugi::xml_node element) {
  using Show = model::DatetimeFormat::Show;
  model::DatetimeFormat format;
  const std::string_view show = Attr(element, "show");
  if (show == "date") format.show = Show::Date;
  else if (show == "time") format.show = Show::Time;
  else if (!show.empty() && show != "datetime") Unknown("datetimeformat show", show);
  using F = model::DatetimeFormat;
  format.date = Named(Attr(element, "date"), kDateParts, F::DateParts::YearMonthDay);
  format.time = Named(Attr(element, "time"), kTimeParts, F::TimeParts::HourMinuteSecond);
  format.zone = Named(Attr(element, "zone"), kZones, F::Zone::Never);
  // Newer designs write the year style as yearformat='fourdigityear' instead.
  format.fourDigitYear = BoolAttr(element, "fourdigityear", Attr(element, "yearformat") == "fourdigityear");
  format.timeFormat24 = BoolAttr(element, "timeformat24");
  return format;
}

// The width in characters. Only the client's window uses it: a width that is not a positive
// number keeps the default rather than costing the column.
double WidthOf(pugi::xml_node column) {
  const std::string_view text = Attr(column, "width");
  double width = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), width);
  if (error == std::errc() && end == text.data() + text.size() && width > 0) return width;
  return model::Column{}.width;
}

model::Column ReadColumn(pugi::xml_node element) {
  model::Column column;
  if (const pugi::xml_node header = FirstChild(element, "columnheader"))
    if (const pugi::xml_attribute title = header.attribute("title")) column.title = title.value();
  column.itemName = Attr(element, "itemname");
  if (!FindCodeFormula(element, "value", column.formula)) column.formula = column.itemName;
  column.hidden = BoolAttr(element, "hidden");
  column.showAsIcons = BoolAttr(element, "showasicons");
  column.categorized = BoolAttr(element, "categorized");
  column.responsesOnly = BoolAttr(element, "responsesonly");
  column.width = WidthOf(element);
  column.sort = SortOf(element);
  column.separator = SeparatorOf(element);
  if (const pugi::xml_node numberFormat = FirstChild(element, "numberformat"))
    column.numberFormat = ReadNumberFormat(numberFormat);
  if (const pugi::xml_node datetimeFormat = FirstChild(element, "datetimeformat"))
    column.datetimeFormat = ReadDatetimeFormat(datetimeFormat);
  return column;
}

}  // namespace

model::ViewDesign ReadViewDesign(pugi::xml_node view, bool isFolder) {
  model::ViewDesign design;
  design.name = Attr(view, "name");
  design.aliases = SplitAliases(Attr(view, "alias"));
  if (!FindCodeFormula(view, "selection", design.selectionFormula))
    design.selectionFormula = isFolder ? "" : "SELECT @All";
  design.showResponseHierarchy = BoolAttr(view, "showresponsehierarchy", true);
  for (pugi::xml_node child : view.children()) {
    try {
      if (IsElement(child, "column")) {
        design.columns.push_back(ReadColumn(child));
      } else if (IsElement(child, "sharedcolumnref")) {  // a shared column, written out in place
        for (pugi::xml_node shared : child.children())
          if (IsElement(shared, "column")) design.columns.push_back(ReadColumn(shared));
      }
    } catch (Malformed& error) {
      error.message = "column " + std::to_string(design.columns.size()) + ": " + error.message;
      throw;
    }
  }
  return design;
}

model::FormDesign ReadFormDesign(pugi::xml_node form) {
  model::FormDesign design;
  design.name = Attr(form, "name");
  design.aliases = SplitAliases(Attr(form, "alias"));
  design.comment = Attr(form, "comment");
  FindCodeFormula(form, "windowtitle", design.windowTitleFormula);
  if (const pugi::xml_node body = FirstChild(form, "body"))
    if (const pugi::xml_node richtext = FirstChild(body, "richtext")) design.body = ReadRichText(richtext);
  return design;
}

}  // namespace host::dxl
