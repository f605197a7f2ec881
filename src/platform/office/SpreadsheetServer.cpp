#include "platform/office/SpreadsheetServer.h"

#include "platform/office/AtomicFile.h"
#include "platform/office/OfficeError.h"
#include "platform/office/XlsxReader.h"
#include "platform/office/XlsxWriter.h"

#include <QDir>
#include <QTemporaryFile>

namespace platform::office {

Workbook &Workbooks::add()
{
    return *m_server->m_workbooks.emplace_back(std::make_unique<Workbook>());
}

Workbook &Workbooks::open(const QString &fileName)
{
    auto book = std::make_unique<Workbook>(Workbook::Start::Empty);
    readXlsx(fileName, *book);
    return *m_server->m_workbooks.emplace_back(std::move(book));
}

int Workbooks::count() const
{
    return static_cast<int>(m_server->m_workbooks.size());
}

SpreadsheetServer::SpreadsheetServer(Shell shell)
    : m_shell(std::move(shell))
{
}

SpreadsheetServer::~SpreadsheetServer() = default;

Workbook &SpreadsheetServer::activeWorkbook()
{
    if (m_workbooks.empty())
        throw OfficeError(QStringLiteral("Es ist keine Arbeitsmappe geöffnet."));
    return *m_workbooks.back();
}

Sheets SpreadsheetServer::workSheets()
{
    return activeWorkbook().workSheets();
}

void SpreadsheetServer::setVisible(bool visible)
{
    if (!visible)
        return;
    const QByteArray bytes = xlsxBytes(activeWorkbook());
    QTemporaryFile file(QDir::temp().filePath(QStringLiteral("Tavrin-XXXXXX.xlsx")));
    file.setAutoRemove(false); // the spreadsheet application reads it after we are gone
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush()) {
        file.remove();
        throw OfficeError(writeErrorMessage(file.fileName()));
    }
    file.close();
    m_shownFileName = file.fileName();
    if (!m_shell.openFile(m_shownFileName))
        throw OfficeError(
            QStringLiteral("Für die Datei \"%1\" ist kein Tabellenprogramm eingerichtet.")
                .arg(m_shownFileName));
}

void SpreadsheetServer::quit()
{
    m_workbooks.clear();
}

} // namespace platform::office
