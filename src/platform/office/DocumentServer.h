#pragma once

#include "platform/office/WordDocument.h"

#include <QString>

#include <optional>

namespace platform::office {

// What separates the cells of the text a table is made from.
enum class ConvertFrom { Tabs = 1 };

// Stands in for a word processor driven by automation: one document at a
// time, an insertion point and a selection, saved as a real .docx file.
// Errors are thrown as OfficeError.
class DocumentServer
{
public:
    // Opens a .docx file (a template) as a document that is saved under
    // another name; the insertion point is at the start of its body.
    void fileOpen(const QString &fileName);
    // A new, empty document; its properties name the author and subject given.
    void fileNew(const QString &author = {}, const QString &subject = {});
    // Inserts text at the insertion point, which moves behind it; every line
    // becomes a paragraph.
    void insert(const QString &text);
    // Moves the insertion point up by count paragraphs; with select the
    // paragraphs passed over become the selection.
    void lineUp(int count, bool select);
    // Turns the selected paragraphs into a table of numColumns columns.
    void textToTable(ConvertFrom convertFrom, int numColumns);
    // Writes the document as .docx atomically. Throws OfficeError with
    // "Der Schreibfehler der Datei: " + fileName when it cannot be written.
    void fileSaveAs(const QString &fileName) const;
    // Closes the document without saving.
    void appClose();

    bool hasDocument() const { return m_document.has_value(); }
    // Throws when no document is open.
    const WordDocument &document() const;

private:
    WordDocument &openDocument();

    std::optional<WordDocument> m_document;
    qsizetype m_insertionPoint = 0; // a block number of the document
    qsizetype m_selectionStart = 0;
    qsizetype m_selectionCount = 0;
};

} // namespace platform::office
