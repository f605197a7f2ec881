#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Display names of the document types the protocol is written in.
struct DocumentTypeLabels
{
    QString text = QStringLiteral("Textdatei");
    QString web = QStringLiteral("Webseite");
    QString document = QStringLiteral("MS Word");
    QString spreadsheet = QStringLiteral("MS Excel");
};

// The built-in labels, with the platform's own names for plain text, web pages
// and word-processor documents where it knows them (in the system's language).
// The spreadsheet label stays built in.
DocumentTypeLabels lookUpDocumentTypeLabels();

enum class FileKind { Text, Spreadsheet, Document, WebPage };

struct FileFilter
{
    FileKind kind;
    QString label;
    QString pattern;

    friend bool operator==(const FileFilter &, const FileFilter &) = default;
};

using FileFilters = QList<FileFilter>;

// The protocol's open dialog: text, then spreadsheet when a spreadsheet
// program is present.
FileFilters openFilters(const DocumentTypeLabels &labels, bool spreadsheetPresent);

// The protocol's save dialog: the open entries, then document and web page.
// Entries shift with spreadsheet presence: callers go by kind, not position.
FileFilters saveFilters(const DocumentTypeLabels &labels, bool spreadsheetPresent);

// One "Label (*.ext)" text per entry, as file dialogs take them.
QStringList nameFilters(const FileFilters &filters);

// The kind of the entry with the 1-based index a dialog reports; none when
// there is no such entry.
std::optional<FileKind> kindAt(const FileFilters &filters, int filterIndex);
