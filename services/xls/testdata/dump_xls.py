"""Prints a workbook as xlrd reads it, for the writer's tests.

usage: dump_xls.py FILE [all|edges|column=N]

One line per sheet: "sheet<TAB>name<TAB>rows<TAB>columns", then its cells:
every cell with "all", only the first two rows and the last with "edges", the
cells of column N of every row with "column=N". A cell is
"r,c<TAB>kind<TAB>value", where kind is text, number, date (the serial, then
the date as xldate reads it) or empty. Output is UTF-8.
"""
import sys
import xlrd

KINDS = {xlrd.XL_CELL_EMPTY: "empty", xlrd.XL_CELL_TEXT: "text", xlrd.XL_CELL_NUMBER: "number",
         xlrd.XL_CELL_DATE: "date", xlrd.XL_CELL_BLANK: "blank"}


def describe(book, cell):
    kind = KINDS.get(cell.ctype, str(cell.ctype))
    if cell.ctype == xlrd.XL_CELL_DATE:
        try:
            when = "%04d-%02d-%02d %02d:%02d:%02d" % xlrd.xldate_as_tuple(cell.value, book.datemode)
        except xlrd.xldate.XLDateError:
            when = "-"
        return "%s\t%r %s" % (kind, cell.value, when)
    if cell.ctype == xlrd.XL_CELL_NUMBER:
        return "%s\t%r" % (kind, cell.value)
    return "%s\t%s" % (kind, cell.value)


def main():
    path, mode = sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else "all"
    book = xlrd.open_workbook(path)
    out = []
    for sheet in book.sheets():
        out.append("sheet\t%s\t%d\t%d" % (sheet.name, sheet.nrows, sheet.ncols))
        rows = range(sheet.nrows)
        if mode == "edges" and sheet.nrows > 3:
            rows = [0, 1, sheet.nrows - 1]
        columns = range(sheet.ncols)
        if mode.startswith("column="):
            columns = [int(mode[7:])]
        for r in rows:
            for c in columns:
                out.append("%d,%d\t%s" % (r, c, describe(book, sheet.cell(r, c))))
    sys.stdout.buffer.write(("\n".join(out) + "\n").encode("utf-8"))


main()
