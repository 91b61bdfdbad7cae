#include "platform/dataset/field_buffer.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/win1250.h"

namespace zarn {
namespace {

template <typename T>
void Put(char* dest, T value) {
  std::memcpy(dest, &value, sizeof value);
}

template <typename T>
T Get(const char* src) {
  T value;
  std::memcpy(&value, src, sizeof value);
  return value;
}

// Texts are cut to the slot and kept zero-terminated.
void PutText(char* dest, int capacity, const std::string& text) {
  const size_t length = std::min(text.size(), static_cast<size_t>(capacity));
  std::memcpy(dest, text.data(), length);
  dest[length] = '\0';
}

std::string GetText(const char* src, int capacity) { return std::string(src, strnlen(src, capacity)); }

}  // namespace

int FieldDataSize(TFieldType type, int size) {
  switch (type) {
    case ftString: case ftFixedChar: return size + 1;
    case ftWideString: return 2 * size + 2;
    case ftSmallint: case ftWord: case ftBoolean: return 2;
    case ftInteger: case ftDate: case ftTime: case ftAutoInc: return 4;
    case ftFloat: case ftCurrency: case ftDateTime: case ftLargeint: return 8;
    case ftBCD: return 34;
    case ftBytes: return size;
    case ftVarBytes: return size + 2;
    case ftGuid: return 39;
    default: return 0;
  }
}

void EncodeFieldValue(TFieldType type, int size, const Variant& value, char* dest) {
  std::memset(dest, 0, FieldDataSize(type, size));
  if (value.IsClear()) return;
  switch (type) {
    case ftString: case ftFixedChar: PutText(dest, size, value.ToString()); break;
    case ftGuid: PutText(dest, 38, value.ToString()); break;
    case ftWideString: {
      const std::string text = value.ToString();
      for (size_t i = 0; i < text.size() && i < static_cast<size_t>(size); ++i)
        Put<char16_t>(dest + 2 * i, Win1250ToUnicode(static_cast<unsigned char>(text[i])));
      break;
    }
    case ftSmallint: Put<int16_t>(dest, static_cast<int16_t>(value.ToInt())); break;
    case ftWord: Put<uint16_t>(dest, static_cast<uint16_t>(value.ToInt())); break;
    case ftBoolean: Put<int16_t>(dest, value.ToBool() ? 1 : 0); break;
    case ftInteger: case ftAutoInc: Put<int32_t>(dest, value.ToInt()); break;
    case ftDate: Put<int32_t>(dest, static_cast<int32_t>(std::trunc(value.ToDateTime()))); break;
    case ftTime: {
      const double fraction = std::fabs(value.ToDateTime() - std::trunc(value.ToDateTime()));
      Put<int32_t>(dest, static_cast<int32_t>(std::llround(fraction * kMSecsPerDay)));
      break;
    }
    case ftFloat: case ftCurrency: case ftBCD: Put<double>(dest, value.ToDouble()); break;
    case ftDateTime: Put<double>(dest, value.ToDateTime()); break;
    case ftLargeint: Put<int64_t>(dest, value.ToInt64()); break;
    case ftBytes: {
      const std::string bytes = value.ToString();
      std::memcpy(dest, bytes.data(), std::min(bytes.size(), static_cast<size_t>(size)));
      break;
    }
    case ftVarBytes: {
      const std::string bytes = value.ToString();
      const uint16_t length = static_cast<uint16_t>(std::min(bytes.size(), static_cast<size_t>(size)));
      Put<uint16_t>(dest, length);
      std::memcpy(dest + 2, bytes.data(), length);
      break;
    }
    default: break;
  }
}

Variant DecodeFieldValue(TFieldType type, int size, const char* src) {
  switch (type) {
    case ftString: case ftFixedChar: return GetText(src, size);
    case ftGuid: return GetText(src, 38);
    case ftWideString: {
      std::u16string wide;
      for (int i = 0; i < size && Get<char16_t>(src + 2 * i) != 0; ++i) wide += Get<char16_t>(src + 2 * i);
      return ToWin1250(QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size())));
    }
    case ftSmallint: return static_cast<int32_t>(Get<int16_t>(src));
    case ftWord: return static_cast<int32_t>(Get<uint16_t>(src));
    case ftBoolean: return Get<int16_t>(src) != 0;
    case ftInteger: case ftAutoInc: return Get<int32_t>(src);
    case ftDate: return Variant::FromDate(Get<int32_t>(src));
    case ftTime: return Variant::FromDate(Get<int32_t>(src) / kMSecsPerDay);
    case ftFloat: case ftCurrency: case ftBCD: return Get<double>(src);
    case ftDateTime: return Variant::FromDate(Get<double>(src));
    case ftLargeint: return Get<int64_t>(src);
    case ftBytes: return Variant::FromBytes(std::string(src, size));
    case ftVarBytes: return Variant::FromBytes(std::string(src + 2, Get<uint16_t>(src)));
    default: return Variant::Null();
  }
}

}  // namespace zarn
