#include "protocol/HtmlPrinting.h"

#include "protocol/WholeFile.h"

#include <QPrinter>
#include <QStringDecoder>
#include <QTextDocument>

namespace protocol {

QString printHtmlFile(const QString &fileName, QPrinter &printer)
{
    const WholeFileRead read = readWholeFile(fileName);
    if (!read.error.isEmpty())
        return read.error;
    const QByteArray &bytes = read.bytes;

    QTextDocument document;
    // The page declares its character set; honour it (Latin-1 when none).
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    document.setHtml(decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes));
    document.print(&printer);
    if (printer.printerState() == QPrinter::Error)
        return QStringLiteral("Der Druckfehler der Datei: ") + fileName;
    return {};
}

} // namespace protocol
