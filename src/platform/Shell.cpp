#include "platform/Shell.h"

#include <QDesktopServices>

namespace platform {

Shell::Shell()
    : m_opener([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
}

Shell::Shell(Opener opener)
    : m_opener(std::move(opener))
{
}

bool Shell::open(const QUrl &url) const
{
    return m_opener(url);
}

bool Shell::openFile(const QString &fileName) const
{
    return open(QUrl::fromLocalFile(fileName));
}

} // namespace platform
