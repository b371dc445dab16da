#include "value.h"

namespace host::formula {

Val Val::Text(std::string text) {
  Val v;
  v.texts.push_back(std::move(text));
  return v;
}

Val Val::Texts(std::vector<std::string> texts) {
  Val v;
  v.texts = std::move(texts);
  return v;
}

Val Val::Number(double number) {
  Val v;
  v.type = Type::Number;
  v.numbers.push_back(number);
  return v;
}

Val Val::Numbers(std::vector<double> numbers) {
  Val v;
  v.type = Type::Number;
  v.numbers = std::move(numbers);
  return v;
}

Val Val::Time(const model::DateTime& time) {
  Val v;
  v.type = Type::Time;
  v.times.push_back(time);
  return v;
}

Val Val::Times(std::vector<model::DateTime> times) {
  Val v;
  v.type = Type::Time;
  v.times = std::move(times);
  return v;
}

Val Val::Error(std::string message, STATUS status) {
  Val v = Text(std::move(message));
  v.type = Type::Error;
  v.errorStatus = status;
  return v;
}

std::size_t Val::Size() const {
  switch (type) {
    case Type::Number: return numbers.size();
    case Type::Time: return times.size();
    case Type::Text:
    case Type::Error: break;
  }
  return texts.size();
}

std::string_view TypeName(Type type) {
  switch (type) {
    case Type::Text: return "text";
    case Type::Number: return "number";
    case Type::Time: return "date/time";
    case Type::Error: return "error";
  }
  return "text";
}

namespace {

std::string RichTextText(const model::RichText& richText) {
  std::string out;
  for (const model::RTElement& e : richText.elements)
    if (e.type == model::RTType::Text) out += e.text;
  return out;
}

}  // namespace

Val FromItem(const model::Value& value) {
  if (const auto* text = std::get_if<model::Text>(&value))
    return text->values.empty() ? Val::Text("") : Val::Texts(text->values);
  if (const auto* numbers = std::get_if<model::Numbers>(&value)) {
    Val v = Val::Numbers(numbers->values);
    for (const model::NumberRange& r : numbers->ranges) v.numbers.push_back(r.lower);
    return v.numbers.empty() ? Val::Text("") : v;
  }
  if (const auto* times = std::get_if<model::DateTimes>(&value)) {
    Val v = Val::Times(times->values);
    for (const model::DateTimeRange& r : times->ranges) v.times.push_back(r.lower);
    return v.times.empty() ? Val::Text("") : v;
  }
  if (const auto* richText = std::get_if<model::RichText>(&value)) return Val::Text(RichTextText(*richText));
  return Val::Text("");
}

model::Value ToModel(Val value) {
  if (value.Size() == 0) return model::Text{{""}};
  switch (value.type) {
    case Type::Number: return model::Numbers{std::move(value.numbers), {}};
    case Type::Time: return model::DateTimes{std::move(value.times), {}};
    case Type::Text:
    case Type::Error: break;
  }
  return model::Text{std::move(value.texts)};
}

}  // namespace host::formula
