"""The workbooks of --xlsx read back with openpyxl, as a spreadsheet user's
tools would, hold what the CSV on standard output holds: the same rows and
cells, numbers as numbers showing the CSV's decimals, bar texts as text, the
header frozen and every column wide enough for its texts.

usage: xlsx_matches_csv.py RAMPWALL_CLI WORK_FOLDER
"""
import csv
import io
import os
import re
import subprocess
import sys

import openpyxl
from openpyxl.utils import get_column_letter

PLAIN = re.compile(r"^-?[0-9]+(\.([0-9]+))?$")
TEXT_COLUMNS = {"bar_strength", "bar_crack", "status", "message", "case", "concrete", "steel", "edition"}

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def width(text):
    return sum(2 if ord(c) > 0x7F else 1 for c in text)


def compare(name, args, folder):
    book_path = os.path.join(folder, name + ".xlsx")
    if os.path.exists(book_path):
        os.remove(book_path)
    run = subprocess.run(args + ["--xlsx", book_path], capture_output=True, check=False)
    check(run.returncode in (0, 1, 3), f"{name}: exit {run.returncode}: {run.stderr.decode()}")
    rows = list(csv.reader(io.StringIO(run.stdout.decode("utf-8"), newline="")))
    sheet = openpyxl.load_workbook(book_path).active
    check(sheet.max_row == len(rows), f"{name}: {sheet.max_row} rows in the sheet, {len(rows)} in the CSV")
    check(sheet.freeze_panes == "A2", f"{name}: the header is not frozen ({sheet.freeze_panes})")
    keys = rows[0]
    headers = [cell.value for cell in sheet[1]]
    check(len(headers) == len(keys), f"{name}: {len(headers)} headers for {len(keys)} columns")
    check(all(isinstance(h, str) and h and h != k for h, k in zip(headers, keys)),
          f"{name}: the header is the CSV's keys, not Chinese: {headers}")
    check(any(re.search(r"[\u4e00-\u9fff]", h) for h in headers), f"{name}: no Chinese header: {headers}")
    widest = [width(h) for h in headers]
    for r, row in enumerate(rows[1:], start=2):
        for c, text in enumerate(row):
            value = sheet.cell(row=r, column=c + 1).value
            cell = sheet.cell(row=r, column=c + 1)
            where = f"{name}: row {r} column {keys[c]}"
            widest[c] = max(widest[c], width(text))
            if text == "":
                check(value is None, f"{where}: {value!r} for an empty field")
                continue
            plain = PLAIN.match(text)
            if plain and keys[c] not in TEXT_COLUMNS:
                check(isinstance(value, (int, float)) and not isinstance(value, bool),
                      f"{where}: {value!r} is not a number for {text}")
                check(value == float(text), f"{where}: {value!r} for {text}")
                decimals = len(plain.group(2) or "")
                expected = "0." + "0" * decimals if decimals else "0"
                check(cell.number_format == expected, f"{where}: format {cell.number_format} for {text}")
            else:
                check(value == text, f"{where}: {value!r} for {text!r}")
    for c, needed in enumerate(widest):
        letter = get_column_letter(c + 1)
        set_width = sheet.column_dimensions[letter].width
        check(set_width is not None and set_width >= min(needed, 78),
              f"{name}: column {keys[c]} is {set_width} wide for a text of {needed}")
    return rows


def main():
    cli, folder = sys.argv[1], sys.argv[2]
    os.makedirs(folder, exist_ok=True)
    ramp = compare("ramp", [cli, "--ramp", "60", "--h3=-3.0", "--h4=-6.5", "--segment", "5",
                            "--spacings", "100,125,150,200"], folder)
    check(ramp[0][0] == "segment" and len(ramp) == 13, "ramp: the schedule's shape")
    # The ramp's workbook says on a second sheet what the weights leave out.
    notes = [row[0] for row in openpyxl.load_workbook(os.path.join(folder, "ramp.xlsx"))["说明"].iter_rows(values_only=True)]
    check(any("钢筋合计" in line for line in notes), f"ramp: no total among the notes {notes}")
    check(any("不含搭接、锚固和内侧钢筋" in line for line in notes), f"ramp: the weights' scope is not said {notes}")
    compare("sweep", [cli, "--sweep", "h4=-1:-6.5:-0.5", "--concrete", "C30", "--edition", "2010",
                      "--steel", "HRB400"], folder)
    batch = os.path.join(folder, "batch.csv")
    with open(batch, "w", encoding="utf-8", newline="") as out:
        out.write("h4,h5,steel,edition,gamma-g\r\n-4.5,350,HRB335,,\r\n-3,３００,HRB400,2010,1.35\r\n"
                  "-6,250,2,,\r\n-2,300,HRB500,2010,\r\n")
    compare("batch", [cli, "--batch", batch], folder)
    if failures:
        print("\n".join(failures))
        return 1
    print("the workbooks match the CSV")
    return 0


if __name__ == "__main__":
    sys.exit(main())
