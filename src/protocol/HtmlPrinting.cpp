#include "protocol/HtmlPrinting.h"

#include "protocol/ProtocolText.h"

#include <QFile>
#include <QPrinter>
#include <QStringDecoder>
#include <QTextDocument>

namespace protocol {

QString printHtmlFile(const QString &fileName, QPrinter &printer)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return readErrorMessage(fileName);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return readErrorMessage(fileName);

    QTextDocument document;
    // The page declares its character set; honour it (Latin-1 when none).
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    document.setHtml(decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes));
    document.print(&printer);
    return {};
}

} // namespace protocol
