// The column layout of the record list grid, kept in zarn.slo between runs:
// which columns show, in which order, with which titles and widths.
//
// zarn.slo is a Windows-1250 text file with CR LF line ends. Its first line is
// the mark "ZARN-SLO 1" (the format's version); every further line is one
// column in the order the grid shows them, as four fields separated by tabs:
//
//   <column name> TAB <title> TAB <width in pixels> TAB <1 shown | 0 hidden>
//
// A file with another first line or a malformed column line is not loaded.
// Columns of the query that the file does not name show after the named ones
// with their names as titles; names the query does not have are skipped.
#pragma once

#include <optional>
#include <string>
#include <vector>

class QMenu;
class QTableView;

namespace zarn {

struct TSloupecSeznamu {
  std::string name;
  std::string title;
  int width = 0;
  bool visible = true;

  bool operator==(const TSloupecSeznamu&) const = default;
};

using TRozvrzeniSeznamu = std::vector<TSloupecSeznamu>;

inline constexpr char kRozvrzeniSeznamu[] = "zarn.slo";

// The layout stored in `path`; nullopt when the file is missing or not a
// layout file.
std::optional<TRozvrzeniSeznamu> NactiRozvrzeni(const std::string& path);

// Writes the layout whole; false when the file cannot be written.
bool UlozRozvrzeni(const std::string& path, const TRozvrzeniSeznamu& rozvrzeni);

// The layout a grid over a TDataSetModel shows now, in visual order; empty
// while the grid has no columns. A hidden column has the width 0 (the grid's
// default width when it is shown again).
TRozvrzeniSeznamu RozvrzeniMrizky(const QTableView& grid);

// Gives the grid's columns the layout: their fields take the titles, the
// header sections the order, widths and visibility.
void PouzijRozvrzeni(const TRozvrzeniSeznamu& rozvrzeni, QTableView& grid);

// Fills `menu` with a check item per column of the grid, in the order the
// grid shows them, titled as the header; unchecking hides the column and
// checking shows it. The last shown column cannot be hidden: a grid without
// columns would have no header left to bring them back from.
void NaplnNabidkuSloupcu(QMenu& menu, QTableView& grid);

// Lets the user shape the grid's columns: dragging a header moves or resizes
// its column, and the header's context menu shows or hides columns.
void UmozniUpravuSloupcu(QTableView& grid);

}  // namespace zarn
