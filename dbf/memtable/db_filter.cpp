#include "dbf/memtable/db_filter.h"

#include "dbf/expr/expr_parser.h"
#include "dbf/expr/locale_text.h"
#include "platform/dataset/db_consts.h"
#include "platform/dataset/errors.h"
#include "platform/dataset/fields.h"

namespace zarn {
namespace {

void SetEmptyValue(TExprValue* value) {
  value->text.clear();
  value->integer = 0;
  value->number = 0;
  value->boolean = false;
}

}  // namespace

// The field source over the table's field objects, and the evaluator bound
// to it.
class TDsDbFilter::Binding final : public TExprFieldSource {
 public:
  explicit Binding(const TFields& fields) : fields_(fields), parser_(*this) {}

  std::optional<TExprFieldRef> FindField(std::string_view name) const override {
    for (int i = 0; i < fields_.Count(); ++i) {
      const TField& field = fields_[i];
      if (SameTextByLocale(field.FieldName(), name)) return TExprFieldRef{&field, i, field.DataType()};
    }
    return std::nullopt;
  }

  void ReadField(const TExprFieldRef& ref, bool null_test, TExprValue* value) override {
    const Variant field_value = static_cast<const TField*>(ref.field)->AsVariant();
    if (field_value.IsClear()) {
      if (null_test) value->kind = ekNull;
      else SetEmptyValue(value);
      return;
    }
    switch (value->kind) {
      case ekText: value->text = field_value.ToString(); break;
      case ekInteger: value->integer = field_value.ToInt(); break;
      case ekBoolean: value->boolean = field_value.ToBool(); break;
      default: value->number = field_value.ToDouble(); break;
    }
  }

  TDsExprParser& Parser() { return parser_; }

 private:
  const TFields& fields_;
  TDsExprParser parser_;
};

TDsDbFilter::TDsDbFilter(const TFields& fields) : binding_(std::make_unique<Binding>(fields)) {}

TDsDbFilter::~TDsDbFilter() = default;

void TDsDbFilter::ApplyFilter(std::string_view text, TFilterOptions options, bool on) {
  TDsExprParser& parser = binding_->Parser();
  if (text.empty() || !on) {
    parser.SetExpression("");
    parser.SetOptions({});
    return;
  }
  if (!parser.TrySetFilter(text, options))
    DatabaseError(kSInvalidFilter);
}

void TDsDbFilter::FieldsChanged() {
  TDsExprParser& parser = binding_->Parser();
  if (!parser.Expression().empty()) parser.Tokenize();
}

bool TDsDbFilter::Passes() {
  TDsExprParser& parser = binding_->Parser();
  return parser.Expression().empty() || parser.IsTrue();
}

const std::string& TDsDbFilter::Expression() const { return binding_->Parser().Expression(); }

TFilterOptions TDsDbFilter::Options() const { return binding_->Parser().Options(); }

}  // namespace zarn
