"""The demo's .xlsx workbook as openpyxl and pandas read it.

usage: xlsx_clients.py DEMO GOLDEN_DIR          the demo workbook
       xlsx_clients.py --large CLI              a table one worksheet too long

The expected cells are the ones LibreOffice shows for the demo's 2003
workbook: values-<SHEET>.csv holds each cell's value, shown-<SHEET>.csv the
text its number format shows.
"""
import csv
import os
import re
import subprocess
import sys
import tempfile

import openpyxl
import pandas

SHEETS = ["NODES", "FORCES", "ENVELOPE"]


def expected_format(shown):
    """The number format that shows a number as `shown`."""
    m = re.fullmatch(r"-?\d+\.(\d+)E[+-]\d+", shown)
    if m:
        return "0." + "0" * len(m.group(1)) + "E+00"
    m = re.fullmatch(r"-?\d+\.(\d+)", shown)
    if m:
        return "0." + "0" * len(m.group(1))
    return "General"


def number(text):
    try:
        return float(text)
    except ValueError:
        return None


def read_csv(path):
    with open(path, newline="", encoding="utf-8") as f:
        return [row for row in csv.reader(f) if row]


def close(a, b):
    return abs(a - b) <= 1e-14 * max(1.0, abs(b))


def check_openpyxl(book_path, golden, problems):
    book = openpyxl.load_workbook(book_path)
    if book.sheetnames != SHEETS:
        problems.append(f"sheets {book.sheetnames}, expected {SHEETS}")
        return
    for name in SHEETS:
        sheet = book[name]
        values = read_csv(os.path.join(golden, f"values-{name}.csv"))
        shown = read_csv(os.path.join(golden, f"shown-{name}.csv"))
        rows = list(sheet.iter_rows())
        if len(rows) != len(values) or sheet.max_column != len(values[0]):
            problems.append(f"{name}: {len(rows)} rows of {sheet.max_column}, expected "
                            f"{len(values)} of {len(values[0])}")
            continue
        for cell, head in zip(rows[0], values[0]):
            if cell.value != head or cell.data_type != "s":
                problems.append(f"{name}!{cell.coordinate}: head {cell.value!r}, expected {head!r}")
            if not cell.font.b or cell.fill.fgColor.rgb != "FFC0C0C0":
                problems.append(f"{name}!{cell.coordinate}: the head cell is not bold on grey")
        for row, want, look in zip(rows[1:], values[1:], shown[1:]):
            for cell, value, text in zip(row, want, look):
                where = f"{name}!{cell.coordinate}"
                x = number(value)
                if x is not None:
                    if cell.data_type != "n" or not isinstance(cell.value, (int, float)):
                        problems.append(f"{where}: {cell.value!r} is no number")
                    elif not close(cell.value, x):
                        problems.append(f"{where}: {cell.value!r}, expected {x!r}")
                    fmt = expected_format(text)
                    if cell.number_format != fmt:
                        problems.append(f"{where}: format {cell.number_format!r}, expected {fmt!r}")
                elif cell.data_type != "s" or cell.value != value:
                    problems.append(f"{where}: {cell.value!r}, expected the text {value!r}")
        last = openpyxl.utils.get_column_letter(len(values[0]))
        if sheet.freeze_panes != "A2":
            problems.append(f"{name}: frozen at {sheet.freeze_panes}, expected A2")
        if sheet.print_title_rows not in ("1:1", "$1:$1"):
            problems.append(f"{name}: print titles {sheet.print_title_rows}, expected 1:1")
        if sheet.auto_filter.ref != f"A1:{last}{len(values)}":
            problems.append(f"{name}: autofilter {sheet.auto_filter.ref}, expected "
                            f"A1:{last}{len(values)}")


def check_pandas(book_path, golden, problems):
    frames = pandas.read_excel(book_path, sheet_name=None, engine="openpyxl")
    if list(frames) != SHEETS:
        problems.append(f"pandas: sheets {list(frames)}")
        return
    for name, frame in frames.items():
        values = read_csv(os.path.join(golden, f"values-{name}.csv"))
        if list(frame.columns) != values[0] or len(frame) != len(values) - 1:
            problems.append(f"pandas {name}: columns {list(frame.columns)}, {len(frame)} rows")
            continue
        for r, want in enumerate(values[1:]):
            for c, value in enumerate(want):
                got = frame.iat[r, c]
                x = number(value)
                if x is not None:
                    same = close(float(got), x)
                else:  # an empty cell reads as missing
                    same = got == value or (value == "" and pandas.isna(got))
                if not same:
                    problems.append(f"pandas {name}[{r}, {c}]: {got!r}, expected {value!r}")


def demo(demo_program, golden):
    problems = []
    with tempfile.TemporaryDirectory() as folder:
        env = dict(os.environ, SOURCE_DATE_EPOCH="1796585527")
        subprocess.run([demo_program, folder], check=True, env=env, stdout=subprocess.DEVNULL)
        book = os.path.join(folder, "report.xlsx")
        check_openpyxl(book, golden, problems)
        check_pandas(book, golden, problems)
    return problems


def large(cli):
    """1 048 576 + 10 records: a full worksheet and a continuation of 11."""
    records = 1048576 + 10
    problems = []
    with tempfile.TemporaryDirectory() as folder:
        table = os.path.join(folder, "steps.csv")
        with open(table, "w") as f:
            f.write("Step,Load\n")
            f.writelines(f"{k},{k}.5\n" for k in range(1, records + 1))
        book = os.path.join(folder, "steps.xlsx")
        subprocess.run([cli, "-o", book, table], check=True, stderr=subprocess.DEVNULL)
        wb = openpyxl.load_workbook(book, read_only=True)
        if wb.sheetnames != ["steps", "steps (2)"]:
            problems.append(f"sheets {wb.sheetnames}")
            return problems
        first, second = wb["steps"], wb["steps (2)"]
        count = 0
        last = None
        counts = []
        for sheet in (first, second):
            rows = sheet.iter_rows(values_only=True)
            if next(rows) != ("Step", "Load"):
                problems.append(f"{sheet.title}: no head row")
            for row in rows:
                count += 1
                if row[0] != count:
                    problems.append(f"{sheet.title}: record {row[0]} where {count} belongs")
                    return problems
                last = row
            counts.append(count - sum(counts))
        if counts != [1048575, 11]:
            problems.append(f"records per worksheet {counts}, expected [1048575, 11]")
        if count != records or last != (records, records + 0.5):
            problems.append(f"{count} records, the last {last}")
    return problems


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--large":
        problems = large(sys.argv[2])
    elif len(sys.argv) == 3:
        problems = demo(sys.argv[1], sys.argv[2])
    else:
        print(__doc__, file=sys.stderr)
        return 2
    for p in problems[:40]:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
