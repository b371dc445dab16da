#include "host/lnformula.h"

#include "access.h"
#include "base/clock.h"
#include "base/user_name.h"
#include "errors.h"
#include "item_values.h"

using host::Access;

namespace {

std::shared_ptr<const host::FormulaData> Compiled(std::string text) {
  try {
    auto program = host::formula::Compile(text);
    return std::make_shared<const host::FormulaData>(host::FormulaData{std::move(text), std::move(program)});
  } catch (const host::StatusError& e) {
    host::ThrowStatus(e.status);
  }
}

}  // namespace

LNFormula::LNFormula(const LNString& text) { *this = text; }
LNFormula::LNFormula(const char* platformText) { *this = LNString(platformText); }

LNFormula& LNFormula::operator=(const LNString& text) {
  data_ = Compiled(Access::Text(text));
  return *this;
}

LNFormula& LNFormula::operator=(const char* platformText) { return *this = LNString(platformText); }

LNString LNFormula::GetText() const { return data_ ? Access::String(data_->text) : LNString(); }

bool LNFormula::IsNull() const { return !data_ || data_->text.empty(); }

LNSTATUS LNFormula::Evaluate(const LNNote& note, LNItem* result, std::uint16_t* selects) const {
  return host::Guard([&] {
    if (!result) host::Raise(host::kErrInvalidArgument);
    if (data_ && !data_->program) data_->program = host::formula::Compile(data_->text);
    static const auto empty = host::formula::Compile("");
    const auto& noteData = Access::Data(note);
    host::formula::Context context;
    context.database = noteData ? noteData->database.get() : nullptr;
    context.document = noteData ? noteData->note : nullptr;
    context.now = host::Now();
    context.view = context.database ? context.database->lastOpenedView : nullptr;
    context.userName = host::SessionUserName();
    host::model::Value value = host::formula::Evaluate(data_ ? *data_->program : *empty, context);
    if (selects) *selects = host::formula::IsTrue(value) ? 1 : 0;
    *result = Access::Item(host::NewItem(std::move(value)));
  });
}
