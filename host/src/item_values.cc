#include "item_values.h"

namespace host {

LNITEMTYPE TypeOf(const model::Value& value) {
  struct {
    LNITEMTYPE operator()(const model::Text&) const { return LNITEMTYPE_TEXT; }
    LNITEMTYPE operator()(const model::Numbers&) const { return LNITEMTYPE_NUMBERS; }
    LNITEMTYPE operator()(const model::DateTimes&) const { return LNITEMTYPE_DATETIMES; }
    LNITEMTYPE operator()(const model::RichText&) const { return LNITEMTYPE_RICHTEXT; }
    LNITEMTYPE operator()(const model::Unsupported& u) const {
      if (u.typeCode != 0) return static_cast<LNITEMTYPE>(u.typeCode);
      return u.kind == "formula" ? LNITEMTYPE_FORMULA : LNITEMTYPE_UNSUPPORTED;
    }
  } visitor;
  return std::visit(visitor, value);
}

}  // namespace host
