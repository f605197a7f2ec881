#pragma once

#include "protocol/ProtocolData.h"

#include <QByteArray>
#include <QString>

// The protocol and every athlete's split table as one static web page, the
// form in which the protocol is also printed.

namespace protocol {

// The maker's site, named in the page's head and footer and linked from the
// main window's wordmark.
inline constexpr char MakerAddress[] = "https://www.korvel.de";
// The page designer's site, named in the page's head.
inline constexpr char DesignerAddress[] = "https://www.korvel.de/webdesign";

// The page's bytes: iso-8859-1 as declared, CR LF line ends. Texts are
// escaped, and characters beyond ISO-8859-1 written as character references,
// so no name can break or inject markup.
QByteArray htmlReport(const ProtocolReport &report);

// Writes the page atomically; returns the message for the user on failure
// (the earlier file then stays as it was), empty on success.
QString saveHtmlReportFile(const QString &fileName, const ProtocolReport &report);

// The page the web and print buttons write: the program file's name with
// ".html" instead of its extension, without a folder, so it lands in the
// working directory ("C:/Sport/Tavrin.exe" -> "Tavrin.html").
QString webPageFileName(const QString &programPath);

} // namespace protocol
