// Where the file of a table of a data folder lies.
#pragma once

#include <string>
#include <string_view>

namespace zarn {

// The folder followed by the table name with its extension replaced by
// ".dbf". The folder part is empty for an empty folder name, the drive root
// for a single letter A-Z, otherwise the folder name with a separator added
// unless it already ends with one. Outside Windows backslashes in the folder
// name become slashes, so ".\data" names the same folder on every system.
std::string TablePath(std::string_view database_name, std::string_view table_name);

}  // namespace zarn
