// The record list's work, apart from the window: the three-line statement of
// the list query, the totals under the list, the filter steps taken from a
// cell, and the caption of the list bar. All texts are Windows-1250.
#pragma once

#include <string>
#include <vector>

namespace zarn {

class TDataSet;
class TField;

// The list's filter: the WHERE clause ("" or "where ... AND ...") and its
// readable description.
struct TFiltrSeznamu {
  std::string sql;
  std::string popis;
};

// The statement of the list query, always three lines: the select, the
// filter (maybe empty) and the sort (maybe empty).
std::vector<std::string> PrikazSeznamu(const std::string& filtr_sql, const std::string& trideni);

// The sort clause for a column: "order by <name>". It replaces any earlier one.
std::string TrideniPodle(const std::string& column_name);

// Sums of the list's rows: `mnozstvi`, `suma`, and `suma` of the records paid
// after 11 November 1999 (an earlier `zaplacena` stands for "no date").
struct TSouctySeznamu {
  double mnozstvi = 0;
  double poplatky = 0;
  double zaplaceno = 0;
};

// Walks every row of the open list once through the row interface (nothing is
// drawn meanwhile) and leaves the list on its first row. Empty values count
// as 0; a missing column adds nothing.
TSouctySeznamu SpoctiSoucty(TDataSet& list);

// The quantity total: at most 10 significant digits, 4 decimals, thousands
// grouped ("1 234,5000" in a Czech setting).
std::string TextMnozstvi(double value);
// A fee total: at most 12 significant digits, 2 decimals ("1 234,50").
std::string TextPoplatku(double value);

// "Seznam - Žadatelé", followed by " - filtr: " and the description while a
// filter is set.
std::string TitulekSeznamu(const TFiltrSeznamu& filtr);

// One filter step from the current record's value of `column`, titled
// `title`, compared by `comparison` (" = ", " >= " or " <= "):
// an integer column gives its decimal number unquoted, a date column the
// DatumSQL text quoted, any other column its displayed text quoted. The first
// step's description shows the displayed value; later steps append the value
// text without quotes. An empty cell gives 0, 1899-12-30 or an empty text.
TFiltrSeznamu PridejKrokFiltru(const TFiltrSeznamu& filtr, const std::string& comparison, const TField& column,
                               const std::string& title);

}  // namespace zarn
