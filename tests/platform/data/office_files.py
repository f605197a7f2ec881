"""The independent side of the office interoperability test.

write XLSX DOCX: writes a workbook and a document template of its own.
read XLSX DOCX DOCX: prints what a workbook and two documents hold, as JSON."""
import json
import sys

import docx
import openpyxl


def workbook(path):
    book = openpyxl.load_workbook(path)
    sheets = []
    for sheet in book.worksheets:
        cells = {}
        for row in sheet.iter_rows():
            for cell in row:
                if cell.value is None:
                    continue
                cells[cell.coordinate] = {
                    "value": cell.value,
                    "bold": bool(cell.font.b),
                    "strike": bool(cell.font.strike),
                    "format": cell.number_format,
                    "border": cell.border.left.style,
                }
        sheets.append({"name": sheet.title, "cells": cells})
    return {
        "sheets": sheets,
        "creator": book.properties.creator,
        "subject": book.properties.subject,
    }


def document(path):
    doc = docx.Document(path)
    return {
        "tables": [[[cell.text for cell in row.cells] for row in table.rows] for table in doc.tables],
        "paragraphs": [p.text for p in doc.paragraphs],
        "first": doc.element.body[0].tag.rsplit("}", 1)[-1],
    }


def write_workbook(path):
    book = openpyxl.Workbook()
    protocol = book.active
    protocol.title = "Startliste"
    for row in [["Nr.", "Name", "Zeit", "Platz"], [7, "Anna Berg", 10.5, None], [12, "Cléo", "1.02,34", "2"]]:
        protocol.append(row)
    athlete = book.create_sheet("Anna Berg")
    athlete.append([1.05, "-", 3.014, 10.5])
    book.save(path)


def write_template(path):
    doc = docx.Document()  # python-docx's own template, made by a word processor
    doc.add_heading("Sportfest 2026", 1)
    doc.add_paragraph("Ergebnisse")
    doc.save(path)


if sys.argv[1] == "write":
    write_workbook(sys.argv[2])
    write_template(sys.argv[3])
else:
    print(json.dumps({"workbook": workbook(sys.argv[2]), "document": document(sys.argv[3]),
                      "template": document(sys.argv[4])}))
