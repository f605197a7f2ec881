#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace platform {

// Hands files and addresses to the desktop, standing in for the shell's
// "open" verb. Tests give it their own opener so nothing is launched.
class Shell
{
public:
    using Opener = std::function<bool(const QUrl &)>;

    // Opens with the desktop's default application (QDesktopServices).
    Shell();
    explicit Shell(Opener opener);

    // False when the desktop found no application for it.
    bool open(const QUrl &url) const;
    bool openFile(const QString &fileName) const;

private:
    Opener m_opener;
};

} // namespace platform
