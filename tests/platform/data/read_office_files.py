"""Reads a workbook and a document with independent readers and prints what
they hold as JSON, for the office interoperability test."""
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


print(json.dumps({"workbook": workbook(sys.argv[1]), "document": document(sys.argv[2]),
                  "template": document(sys.argv[3])}))
