// Writes small DBF files byte by byte for the evaluator's tests and
// benchmark, independently of the engine's own writer: a dBASE III layout
// (32-byte prefix and descriptors) or, for the binary I and @ fields, the
// dBASE 7 layout (68-byte prefix, 48-byte descriptors).
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace zarn {

struct TestDbfField {
  std::string name;
  char letter;
  int length;
  int decimals = 0;
};

// Writes `path` with `fields` and `records`, each record being the field
// bytes in order (the deletion flag is added). Returns false when a record
// does not have the record length or the file cannot be written.
inline bool WriteTestDbf(const std::string& path, const std::vector<TestDbfField>& fields,
                         const std::vector<std::string>& records, bool dbase7 = false) {
  const int prefix_size = dbase7 ? 68 : 32;
  const int descriptor_size = dbase7 ? 48 : 32;
  int record_length = 1;
  for (const TestDbfField& field : fields) record_length += field.length;
  const int header_length = prefix_size + descriptor_size * static_cast<int>(fields.size()) + 1;
  std::string file(static_cast<std::size_t>(prefix_size), '\0');
  const auto put16 = [&file](std::size_t at, int v) {
    file[at] = static_cast<char>(v & 0xFF);
    file[at + 1] = static_cast<char>((v >> 8) & 0xFF);
  };
  file[0] = static_cast<char>(dbase7 ? 0x04 : 0x03);
  file[1] = 124;  // 2024
  file[2] = 3;
  file[3] = 15;
  const std::uint32_t count = static_cast<std::uint32_t>(records.size());
  for (int i = 0; i < 4; ++i) file[4 + static_cast<std::size_t>(i)] = static_cast<char>((count >> (8 * i)) & 0xFF);
  put16(8, header_length);
  put16(10, record_length);
  for (const TestDbfField& field : fields) {
    std::string descriptor(static_cast<std::size_t>(descriptor_size), '\0');
    descriptor.replace(0, field.name.size(), field.name);
    const std::size_t letter_at = dbase7 ? 32 : 11;
    const std::size_t length_at = dbase7 ? 33 : 16;
    descriptor[letter_at] = field.letter;
    descriptor[length_at] = static_cast<char>(field.length);
    descriptor[length_at + 1] = static_cast<char>(field.decimals);
    file += descriptor;
  }
  file += '\x0D';
  for (const std::string& record : records) {
    if (static_cast<int>(record.size()) != record_length - 1) return false;
    file += ' ';
    file += record;
  }
  file += '\x1A';
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(file.data(), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out);
}

}  // namespace zarn
