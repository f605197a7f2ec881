#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

// Makes a folder unwritable for as long as it lives. Permissions do not stop
// root, so where they do not hold the folder is made immutable as well.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &path)
        : m_path(path)
    {
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ExeOwner);
        if (isWritable())
            setImmutable(true);
        m_ok = !isWritable();
    }
    ~ReadOnlyFolder()
    {
        if (m_immutable)
            setImmutable(false);
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    // False when this machine gave no way to make it unwritable.
    bool ok() const { return m_ok; }

private:
    bool isWritable() const
    {
        QFile probe(QDir(m_path).filePath(QStringLiteral("probe")));
        const bool written = probe.open(QIODevice::WriteOnly);
        if (written)
            probe.remove();
        return written;
    }

    void setImmutable(bool on)
    {
#ifdef Q_OS_LINUX
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return;
        int flags = 0;
        if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            if (::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0)
                m_immutable = on;
        }
        ::close(fd);
#else
        Q_UNUSED(on);
#endif
    }

    QString m_path;
    bool m_immutable = false;
    bool m_ok = false;
};
