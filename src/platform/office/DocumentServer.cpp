#include "platform/office/DocumentServer.h"

#include "platform/office/AtomicFile.h"
#include "platform/office/OfficeError.h"

namespace platform::office {

namespace {

OfficeError noDocument()
{
    return OfficeError(QStringLiteral("Es ist kein Dokument geöffnet."));
}

} // namespace

const WordDocument &DocumentServer::document() const
{
    if (!m_document)
        throw noDocument();
    return *m_document;
}

WordDocument &DocumentServer::openDocument()
{
    if (!m_document)
        throw noDocument();
    return *m_document;
}

void DocumentServer::fileOpen(const QString &fileName)
{
    m_document = WordDocument::fromTemplate(fileName);
    m_insertionPoint = m_selectionStart = m_selectionCount = 0;
}

void DocumentServer::fileNew(const QString &author, const QString &subject)
{
    m_document = WordDocument::blank(author, subject);
    m_insertionPoint = m_selectionStart = m_selectionCount = 0;
}

void DocumentServer::insert(const QString &text)
{
    m_insertionPoint = openDocument().insertText(m_insertionPoint, text);
    m_selectionCount = 0;
}

void DocumentServer::lineUp(int count, bool select)
{
    openDocument();
    const qsizetype from = m_insertionPoint;
    m_insertionPoint = std::max<qsizetype>(0, from - std::max(count, 0));
    m_selectionStart = m_insertionPoint;
    m_selectionCount = select ? from - m_insertionPoint : 0;
}

void DocumentServer::textToTable(ConvertFrom convertFrom, int numColumns)
{
    Q_ASSERT(convertFrom == ConvertFrom::Tabs);
    openDocument().convertToTable(m_selectionStart, m_selectionCount, numColumns);
    m_insertionPoint = m_selectionStart + 1;
    m_selectionCount = 0;
}

void DocumentServer::fileSaveAs(const QString &fileName) const
{
    writeFileAtomically(fileName, document().toBytes());
}

void DocumentServer::appClose()
{
    m_document.reset();
    m_insertionPoint = m_selectionStart = m_selectionCount = 0;
}

} // namespace platform::office
