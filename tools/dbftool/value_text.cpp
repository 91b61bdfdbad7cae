#include "tools/dbftool/value_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "dbf/errors.h"
#include "dbf/table_api.h"
#include "platform/win1250.h"

namespace zarn::dbftool {

namespace {

constexpr const char* kDateFormat = "yyyy-mm-dd";
constexpr const char* kTimeFormat = "hh:nn:ss";
constexpr const char* kDateTimeFormat = "yyyy-mm-dd hh:nn:ss";

std::optional<TDateTime> ParseDate(std::string_view text) {
  int y, m, d;
  char tail;
  std::string s(text);
  if (std::sscanf(s.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &tail) != 3) return std::nullopt;
  return TryEncodeDate(y, m, d);
}

std::optional<TDateTime> ParseDateTime(std::string_view text) {
  int y, m, d, h = 0, n = 0, sec = 0;
  char tail;
  std::string s(text);
  int got = std::sscanf(s.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &m, &d, &h, &n, &sec, &tail);
  if (got != 3 && got != 6) return std::nullopt;
  std::optional<TDateTime> date = TryEncodeDate(y, m, d);
  if (!date || h > 23 || n > 59 || sec > 59 || h < 0 || n < 0 || sec < 0) return std::nullopt;
  return *date + EncodeTime(h, n, sec, 0);
}

std::optional<double> ParseNumber(std::string_view text) {
  double v;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return v;
}

std::string MemoText(TDbfHandle* handle, const TDbfField& field, int* code) {
  uint32_t size = 0, read = 0;
  *code = GetBlobSize(handle, nullptr, field.FieldNo(), &size);
  if (*code != kDbfOk) return {};
  std::string data(size, '\0');
  *code = ReadBlob(handle, nullptr, field.FieldNo(), 0, data.data(), size, &read);
  if (*code == kDbfEndOfBlob) *code = kDbfOk;
  data.resize(read);
  return data;
}

}  // namespace

std::string NumberText(double value) {
  char text[32];
  auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  return ec == std::errc() ? std::string(text, end) : std::string();
}

int FieldText(TDbfHandle* handle, const TDbfField& field, std::string* text) {
  text->clear();
  int code = kDbfOk;
  if (field.Rule() == FieldRule::kBlock) {
    std::string memo = MemoText(handle, field, &code);
    *text = field.GetDataType() == ftMemo ? Win1250ToUtf8(memo) : memo;
    return code;
  }
  if (field.IsNull(nullptr)) return code;
  switch (field.Rule()) {
    case FieldRule::kText: *text = Win1250ToUtf8(field.GetAsString(nullptr)); break;
    case FieldRule::kNumber: case FieldRule::kDouble: *text = NumberText(field.GetAsFloat(nullptr)); break;
    case FieldRule::kInteger: *text = std::to_string(field.GetAsInteger(nullptr)); break;
    case FieldRule::kLogical: {
      char letter = field.GetAsBoolean(nullptr) ? 'T' : 'F';
      *text = std::string(1, letter);
      break;
    }
    case FieldRule::kDate: {
      int32_t day_number = 0;
      field.GetData(nullptr, &day_number);
      if (day_number != 0) *text = FormatDateTime(kDateFormat, DayNumberToDateTime(day_number));
      break;
    }
    case FieldRule::kDateTime: *text = FormatDateTime(kDateTimeFormat, field.GetAsDateTime(nullptr)); break;
    case FieldRule::kRaw:
      if (field.GetTypeLetter() == 'Y') {
        *text = NumberText(field.GetAsFloat(nullptr));
      } else {
        std::string bytes(static_cast<size_t>(field.GetLength()), '\0');
        field.GetData(nullptr, bytes.data());
        while (!bytes.empty() && (bytes.back() == ' ' || bytes.back() == '\0')) bytes.pop_back();
        *text = Win1250ToUtf8(bytes);
      }
      break;
    case FieldRule::kBlock: break;
  }
  return code;
}

std::string DatasetFieldText(const TField& field) {
  if (field.IsNull()) return {};
  switch (field.DataType()) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint:
      return std::to_string(field.AsLargeInt());
    case ftFloat: case ftCurrency: case ftBCD: case ftFMTBcd: return NumberText(field.AsFloat());
    case ftBoolean: return field.AsBoolean() ? "T" : "F";
    case ftDate: return FormatDateTime(kDateFormat, field.AsDateTime());
    case ftTime: return FormatDateTime(kTimeFormat, field.AsDateTime());
    case ftDateTime: case ftTimeStamp: return FormatDateTime(kDateTimeFormat, field.AsDateTime());
    case ftBlob: case ftBytes: case ftVarBytes: case ftGraphic: case ftDBaseOle: case ftTypedBinary:
      return field.AsString();
    default: return Win1250ToUtf8(field.AsString());
  }
}

bool StoreFieldText(TDbfHandle* handle, const TDbfField& field, std::string_view text, char* record,
                    std::string* error) {
  const std::string name = Win1250ToUtf8(field.GetName());
  auto bad = [&](const char* what) {
    *error = "Pole " + name + ": " + what + " '" + std::string(text) + "'";
    return false;
  };
  if (field.Rule() == FieldRule::kBlock) {
    std::string memo = field.GetDataType() == ftMemo ? Utf8ToWin1250(text) : std::string(text);
    int code = WriteBlob(handle, record, field.FieldNo(), 0, memo.data(), static_cast<uint32_t>(memo.size()));
    if (code != kDbfOk) *error = DbfErrorMessage(code);
    return code == kDbfOk;
  }
  if (text.empty()) {
    field.SetData(record, nullptr);
    return true;
  }
  switch (field.Rule()) {
    case FieldRule::kText: {
      std::string value = Utf8ToWin1250(text);
      if (value.size() > static_cast<size_t>(field.GetLength())) return bad("text je delší než pole");
      field.SetData(record, value.c_str());
      return true;
    }
    case FieldRule::kNumber: case FieldRule::kDouble: {
      std::optional<double> v = ParseNumber(text);
      if (!v) return bad("neplatné číslo");
      field.SetData(record, &*v);
      std::string stored(record + field.Offset(), static_cast<size_t>(field.GetLength()));
      if (field.Rule() == FieldRule::kNumber && stored.find('*') != std::string::npos)
        return bad("číslo se do pole nevejde");
      return true;
    }
    case FieldRule::kInteger: {
      int32_t v;
      auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
      if (ec != std::errc() || end != text.data() + text.size()) return bad("neplatné celé číslo");
      field.SetData(record, &v);
      return true;
    }
    case FieldRule::kLogical: {
      int16_t v;
      if (text == "T" || text == "true" || text == "Y") v = -1;
      else if (text == "F" || text == "false" || text == "N") v = 0;
      else return bad("neplatná logická hodnota");
      field.SetData(record, &v);
      return true;
    }
    case FieldRule::kDate: {
      std::optional<TDateTime> date = ParseDate(text);
      if (!date) return bad("neplatné datum (rrrr-mm-dd)");
      int32_t day_number = DateTimeToDayNumber(*date);
      field.SetData(record, &day_number);
      return true;
    }
    case FieldRule::kDateTime: {
      std::optional<TDateTime> moment = ParseDateTime(text);
      if (!moment) return bad("neplatné datum a čas (rrrr-mm-dd hh:mm:ss)");
      field.SetData(record, &*moment);
      return true;
    }
    case FieldRule::kRaw: {
      if (text.size() > static_cast<size_t>(field.GetLength())) return bad("hodnota je delší než pole");
      std::vector<char> bytes(static_cast<size_t>(field.GetLength()), ' ');
      std::memcpy(bytes.data(), text.data(), text.size());
      field.SetData(record, bytes.data());
      return true;
    }
    case FieldRule::kBlock: break;
  }
  return true;
}

std::string ExprValueLine(const TExprValue& value) {
  switch (value.kind) {
    case ekText: return "text\t" + Win1250ToUtf8(value.text);
    case ekBoolean: return std::string("boolean\t") + (value.boolean ? "true" : "false");
    case ekInteger: return "integer\t" + std::to_string(value.integer);
    case ekFloat: return "float\t" + NumberText(value.number);
    case ekDate: return "date\t" + FormatDateTime(kDateFormat, value.number);
    case ekTime: return "time\t" + FormatDateTime(kTimeFormat, value.number);
    case ekDateTime: return "datetime\t" + FormatDateTime(kDateTimeFormat, value.number);
    case ekNull: return "null\t";
    default: return "error\t";
  }
}

}  // namespace zarn::dbftool
