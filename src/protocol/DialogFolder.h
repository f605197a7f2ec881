#pragma once

#include <QString>

namespace protocol {

// Where the protocol's open and save dialogs start: the program's folder, or,
// when the program may not write there (an installed copy), the documents
// folder, so a proposed file name can actually be saved.
QString dialogStartFolder(const QString &programFolder, const QString &documentsFolder);

// The same for the running program and this user.
QString dialogStartFolder();

} // namespace protocol
