#!/usr/bin/python3
"""Reads back, with openpyxl, the spreadsheet `exp036-host report --format xlsx` writes and
compares it, cell by cell, with the CSV export of the same report: a date is a date, an amount a
number with two decimals, everything else the text the report shows. The group subtotals and the
grand total are worked out again from the detail rows their formulas name.

usage: check_xlsx_export.py HOST DEMODB REPORTS WORK
"""
import csv
import datetime
import re
import shutil
import sqlite3
import subprocess
import sys
from pathlib import Path

import openpyxl

HOST, DEMODB, REPORTS, WORK = sys.argv[1:5]
WORK = Path(WORK)
FORMULA_LOOKING = {"1": "=1+1", "2": "+cmd|' /C calc'!A0", "11": "@SUM(A1)"}
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def run_report(database, fmt, out, *extra):
    command = [HOST, "report", "--db", str(database), "--reports", REPORTS, "--branch", "0001",
               "--from", "01/01/2020", "--to", "31/12/2030", "--format", fmt, *extra]
    if out is not None:
        command += ["--out", str(out)]
    result = subprocess.run(command, capture_output=True, timeout=120)
    if result.returncode != 0:
        sys.exit(f"{' '.join(command)} falhou: {result.stderr.decode()}")
    return result.stdout


def make_database(name, *options):
    database = WORK / name
    subprocess.run([DEMODB, str(database), *options], check=True, capture_output=True, timeout=120)
    return database


def cents(number):
    return round(number * 100)


def csv_amount(text):
    return int(text.replace(".", "").replace(",", "")) if text else None


def csv_date(text):
    return datetime.datetime.strptime(text, "%d/%m/%Y") if text else None


def csv_text(text):
    # The CSV export guards a formula-looking text with a leading quote; the spreadsheet keeps the
    # text as it is, typed as text.
    return text[1:] if text[:1] == "'" and text[1:2] in ("=", "+", "-", "@") else text


def range_total(sheet, formula, column):
    match = re.fullmatch(r"=SUBTOTAL\(9,([A-Z]+)(\d+):([A-Z]+)(\d+)\)", formula)
    check(match is not None and match.group(1) == column == match.group(3),
          f"a total adds its own column: {formula}")
    if match is None:
        return 0, (0, 0)
    first, last = int(match.group(2)), int(match.group(4))
    total = 0
    for row in range(first, last + 1):
        cell = sheet[f"{column}{row}"]
        # SUBTOTAL leaves out the subtotals inside its range, as a spreadsheet does.
        if cell.data_type == "n" and cell.value is not None:
            total += cents(cell.value)
    return total, (first, last)


def check_report(database, label):
    expected = list(csv.reader(run_report(database, "csv", None).decode().splitlines()))
    xlsx = WORK / f"{label}.xlsx"
    run_report(database, "xlsx", xlsx)
    book = openpyxl.load_workbook(xlsx)
    check(book.sheetnames == ["Relatório", "Parâmetros"], f"{label}: sheets {book.sheetnames}")
    sheet = book["Relatório"]
    heading = [cell.value for cell in sheet[1]]
    check(heading == expected[0], f"{label}: heading {heading}")
    check(all(cell.font.b for cell in sheet[1]), f"{label}: the heading is bold")
    check(sheet.freeze_panes == "A2", f"{label}: frozen at {sheet.freeze_panes}")
    setup = sheet.page_setup
    check((setup.paperSize, setup.orientation) == (9, "landscape"),
          f"{label}: printed on A4 across, not {setup.paperSize} {setup.orientation}")
    check(sheet.sheet_properties.pageSetUpPr.fitToPage and setup.fitToWidth in (None, 1)
          and setup.fitToHeight == 0, f"{label}: printed one page wide")
    check(sheet.print_title_rows == "$1:$1", f"{label}: heading on every page")
    for letter in "ABCDEFGHI":
        check(sheet.column_dimensions[letter].width > 6, f"{label}: column {letter} has a width")

    amount_column = heading.index("Valor")
    amount_letter = "ABCDEFGHI"[amount_column]
    date_columns = {heading.index("Emissão"), heading.index("Saída")}
    details = iter(expected[1:])
    group_cents = []
    all_cents = 0
    last_detail_row = 1
    rows = list(sheet.iter_rows(min_row=2))
    grand_total_seen = False
    for cells in rows:
        formula_cell = cells[amount_column]
        if formula_cell.data_type == "f":
            label_text = next(c.value for c in cells if c.value is not None)
            total, (first, last) = range_total(sheet, formula_cell.value, amount_letter)
            if label_text.startswith("Total geral"):
                grand_total_seen = True
                check(first == 2 and last == last_detail_row,
                      f"{label}: the grand total spans every row above it: {formula_cell.value}")
                check(total == all_cents, f"{label}: grand total {total} != {all_cents}")
                check(formula_cell.font.b, f"{label}: the grand total is bold")
            else:
                check(total == sum(group_cents), f"{label}: {label_text}: {total} != {group_cents}")
                check(last - first + 1 == len(group_cents),
                      f"{label}: {label_text} adds exactly its rows: {formula_cell.value}")
                check(f": {len(group_cents)} nota(s)" in label_text, f"{label}: {label_text}")
                group_cents = []
                last_detail_row = cells[0].row
            continue
        row = next(details)
        for column, cell in enumerate(cells):
            text = row[column]
            if column == amount_column:
                check(cell.data_type == "n" and cell.number_format == "#,##0.00",
                      f"{label}: {cell.coordinate} is an amount with two decimals")
                check(cents(cell.value) == csv_amount(text), f"{label}: {cell.coordinate}")
                group_cents.append(cents(cell.value))
                all_cents += cents(cell.value)
            elif column in date_columns:
                if text:
                    check(isinstance(cell.value, datetime.datetime) and
                          cell.number_format == "dd/mm/yyyy",
                          f"{label}: {cell.coordinate} is a date: {cell.value!r}")
                check(cell.value == csv_date(text), f"{label}: {cell.coordinate} {cell.value!r}")
            else:
                check(cell.data_type == "s" and cell.value == csv_text(text),
                      f"{label}: {cell.coordinate}: {cell.value!r} ({cell.data_type}) != {text!r}")
        last_detail_row = cells[0].row
    check(next(details, None) is None, f"{label}: every row of the report is in the sheet")
    check(grand_total_seen, f"{label}: a grand total row")
    check(sheet.auto_filter.ref == f"A1:I{last_detail_row}",
          f"{label}: the filter covers the heading and the rows: {sheet.auto_filter.ref}")

    parameters = {row[0].value: row[1].value for row in book["Parâmetros"].iter_rows()}
    check(parameters.get("Título") == "Consulta Lançamentos - Data de Emissão",
          f"{label}: title {parameters.get('Título')!r}")
    check(parameters.get("P_DATAINI") == datetime.datetime(2020, 1, 1),
          f"{label}: P_DATAINI {parameters.get('P_DATAINI')!r}")
    check(parameters.get("P_CDFILIAL") == "0001", f"{label}: P_CDFILIAL")
    return len(expected) - 1


shutil.rmtree(WORK, ignore_errors=True)
WORK.mkdir(parents=True)
test_data = make_database("test.sqlite", "--test-data")
with sqlite3.connect(test_data) as connection:
    for client, name in FORMULA_LOOKING.items():
        connection.execute("UPDATE CLIENTE SET NMFANTCLIE = ? WHERE CDCLIENTE = ?", (name, client))
check(check_report(test_data, "test-data") == 4, "the test data's four invoices of branch 0001")
book = openpyxl.load_workbook(WORK / "test-data.xlsx")
names = {cell.value for cell in book["Relatório"]["D"] if cell.data_type == "s"}
check(set(FORMULA_LOOKING.values()) <= names, f"formula-looking names stay text: {names}")

demo = make_database("demo.sqlite")
check(check_report(demo, "demo") > 10, "the demo data has rows in several groups")

standard_output = run_report(test_data, "xlsx", None)
check(standard_output[:4] == b"PK\x03\x04", "without --out the workbook goes to standard output")

for failure in failures:
    print("FALHA:", failure, file=sys.stderr)
sys.exit(1 if failures else 0)
