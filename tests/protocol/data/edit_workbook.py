"""Edits a protocol workbook as a coach does in a spreadsheet program.

edit IN OUT EDIT...: applies the edits in order to IN and saves the result as OUT.
new OUT: a start list typed from scratch, without athlete sheets."""
import sys

import openpyxl


def sort_by_time(book):
    """Sorts the start list by "Zeit", numbers first, and fills in "Platz"."""
    sheet = book["Startliste"]
    rows = [[cell.value for cell in row] for row in sheet.iter_rows(min_row=2, max_col=4)]
    rows.sort(key=lambda row: (0, row[2], "") if isinstance(row[2], (int, float)) else (1, 0, str(row[2])))
    for place, row in enumerate(rows, start=1):
        row[3] = place
        for column, value in enumerate(row, start=1):
            sheet.cell(row=place + 1, column=column, value=value)


def list_last(book):
    book.move_sheet("Startliste", offset=len(book.sheetnames) - 1 - book.sheetnames.index("Startliste"))


def cover_in_front(book):
    book.create_sheet("Deckblatt", 0)["A1"] = "Sportfest 2026"


def empty_sheet_in_front(book):
    book.create_sheet("Tabelle1", 0)


def late_entry(book):
    book["Startliste"].append([99, "Nachzügler"])


def edit_attempt(book):
    book["Anna Berg"]["D2"] = 8  # the final time of Anna's first attempt


def blank_row(book):
    book["Startliste"].insert_rows(3)


def rename_athlete(book):
    book["Startliste"]["B3"] = "Benjamin"


def rename_list(book):
    book["Startliste"].title = "Liste"


def clear_header(book):
    book["Startliste"]["A1"] = None


def escapes(book):
    """Names as a spreadsheet program stores characters XML cannot hold."""
    book["Startliste"]["B2"] = "M_x00FC_ller_x005F_x0031_"
    book["Anna Berg"].title = "Müller_x0031_"


EDITS = {
    "sort-by-time": sort_by_time,
    "list-last": list_last,
    "cover-in-front": cover_in_front,
    "empty-sheet-in-front": empty_sheet_in_front,
    "late-entry": late_entry,
    "edit-attempt": edit_attempt,
    "blank-row": blank_row,
    "rename-athlete": rename_athlete,
    "rename-list": rename_list,
    "clear-header": clear_header,
    "escapes": escapes,
}

if sys.argv[1] == "new":
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Startliste"
    for row in [["Nr.", "Name", "Zeit", "Platz"], [1, "Anna"], [2, "Ben"], [3, "Cleo"]]:
        sheet.append(row)
    book.save(sys.argv[2])
else:
    book = openpyxl.load_workbook(sys.argv[2])
    for edit in sys.argv[4:]:
        EDITS[edit](book)
    book.save(sys.argv[3])
