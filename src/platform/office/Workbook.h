#pragma once

#include "platform/office/Worksheet.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace platform::office {

class Workbook;

// The sheets of a workbook, numbered from 1.
class Sheets
{
public:
    // A new sheet ("Tabelle2", ...) before the active sheet; it becomes the
    // active one. In a workbook used from the front this is the first sheet.
    Worksheet &add();
    int count() const;
    // Throws OfficeError for a number out of range.
    Worksheet &item(int index) const;

private:
    friend class Workbook;
    explicit Sheets(Workbook &book)
        : m_book(&book)
    {
    }
    Workbook *m_book;
};

// A workbook held in memory, as a spreadsheet program holds it, until saved.
class Workbook
{
public:
    enum class Start { WithDefaultSheet, Empty };

    // A new workbook has one sheet, "Tabelle1".
    explicit Workbook(Start start = Start::WithDefaultSheet);
    Workbook(const Workbook &) = delete;
    Workbook &operator=(const Workbook &) = delete;
    ~Workbook();

    Sheets workSheets() { return Sheets(*this); }
    Worksheet &workSheets(int index) { return workSheets().item(index); }
    QStringList sheetNames() const;
    const std::vector<std::unique_ptr<Worksheet>> &sheets() const { return m_sheets; }
    int activeSheetIndex() const { return m_activeSheet; } // 0-based

    QString author() const { return m_author; }
    void setAuthor(const QString &author) { m_author = author; }
    QString subject() const { return m_subject; }
    void setSubject(const QString &subject) { m_subject = subject; }

    // Writes an .xlsx file atomically, replacing an existing one. Throws
    // OfficeError with "Der Schreibfehler der Datei: " + fileName.
    void saveAs(const QString &fileName) const;

    // For file readers: a sheet after the others, named as the file says.
    Worksheet &appendSheet(const QString &name);

private:
    friend class Sheets;

    std::vector<std::unique_ptr<Worksheet>> m_sheets;
    int m_activeSheet = 0;
    QString m_author;
    QString m_subject;
};

} // namespace platform::office
