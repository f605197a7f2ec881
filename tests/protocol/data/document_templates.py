"""Document templates as a word processor makes them, and what a document holds.

letter OUT: a US Letter template with one-inch margins and a heading.
table-first OUT: an A4 template whose text starts with a table.
read DOCX: prints, as JSON, the document's blocks, tables, column widths,
text width and properties, all lengths in twips."""
import json
import sys

import docx
from docx.shared import Inches, Mm

TWIP = 635  # EMU


def letter(path):
    doc = docx.Document()
    section = doc.sections[0]
    section.page_width, section.page_height = Inches(8.5), Inches(11)
    section.left_margin = section.right_margin = Inches(1)
    doc.add_heading("Sportfest 2026", 1)
    doc.save(path)


def table_first(path):
    doc = docx.Document()
    section = doc.sections[0]
    section.page_width, section.page_height = Mm(210), Mm(297)
    body = doc.element.body
    table = doc.add_table(rows=1, cols=2)
    table.cell(0, 0).text = "Veranstalter"
    table.cell(0, 1).text = "TSV"
    body.remove(table._tbl)
    body.insert(0, table._tbl)
    doc.save(path)


def read(path):
    doc = docx.Document(path)
    section = doc.sections[0]
    return {
        "blocks": [child.tag.rsplit("}", 1)[-1] for child in doc.element.body],
        "tables": [[[cell.text for cell in row.cells] for row in table.rows] for table in doc.tables],
        "widths": [[column.width // TWIP for column in table.columns] for table in doc.tables],
        "textWidth": (section.page_width - section.left_margin - section.right_margin) // TWIP,
        "author": doc.core_properties.author,
        "subject": doc.core_properties.subject,
    }


if sys.argv[1] == "letter":
    letter(sys.argv[2])
elif sys.argv[1] == "table-first":
    table_first(sys.argv[2])
else:
    print(json.dumps(read(sys.argv[2])))
