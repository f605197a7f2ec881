#pragma once

#include <QString>

class QPrinter;

namespace protocol {

// Prints a web page file through Qt's HTML rendering, standing in for the
// shell's "print" verb. The caller has set the printer up (print dialog).
// Returns the message for the user on failure, empty on success.
QString printHtmlFile(const QString &fileName, QPrinter &printer);

} // namespace protocol
