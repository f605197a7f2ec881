#pragma once

#include "platform/Shell.h"
#include "platform/office/Workbook.h"

#include <QString>

#include <memory>
#include <vector>

namespace platform::office {

class SpreadsheetServer;

// The open workbooks of the server.
class Workbooks
{
public:
    // A new workbook with one sheet; it becomes the active workbook.
    Workbook &add();
    // Reads an .xlsx file; it becomes the active workbook. Throws OfficeError
    // for a file that cannot be read, and nothing is opened then.
    Workbook &open(const QString &fileName);
    int count() const;

private:
    friend class SpreadsheetServer;
    explicit Workbooks(SpreadsheetServer &server)
        : m_server(&server)
    {
    }
    SpreadsheetServer *m_server;
};

// Stands in for a spreadsheet program driven by automation: it holds
// workbooks in memory and writes and reads real .xlsx files. Errors are
// thrown as OfficeError with a message for the user.
class SpreadsheetServer
{
public:
    explicit SpreadsheetServer(Shell shell = Shell());
    SpreadsheetServer(const SpreadsheetServer &) = delete;
    SpreadsheetServer &operator=(const SpreadsheetServer &) = delete;
    ~SpreadsheetServer();

    Workbooks workBooks() { return Workbooks(*this); }
    // The active workbook's sheets; throws when no workbook is open.
    Sheets workSheets();
    Workbook &activeWorkbook();

    // Showing the program: the active workbook goes into a new temporary
    // .xlsx file that the desktop's spreadsheet application opens; the file
    // stays for that application. Throws when it cannot be written or the
    // desktop has no application for it. Hiding does nothing.
    void setVisible(bool visible);
    // The file the last setVisible(true) wrote; empty before.
    QString shownFileName() const { return m_shownFileName; }

    // Closes every workbook without saving.
    void quit();

private:
    friend class Workbooks;

    Shell m_shell;
    std::vector<std::unique_ptr<Workbook>> m_workbooks;
    QString m_shownFileName;
};

} // namespace platform::office
