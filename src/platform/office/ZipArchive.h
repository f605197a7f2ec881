#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

struct zip;

namespace platform::office {

// Limits that keep a hostile or broken file from exhausting memory.
struct ZipLimits
{
    qint64 fileSize = 64 << 20;   // the archive itself
    qint64 partSize = 64 << 20;   // one part, uncompressed
    qint64 totalSize = 256 << 20; // all parts read, uncompressed
    qint64 partCount = 100000;
};

// Reads the parts of a zip archive held in memory, each on demand, within
// limits. Every failure throws an OfficeError naming the file.
class ZipReader
{
public:
    static ZipReader fromFile(const QString &fileName, const ZipLimits &limits = {});

    ZipReader(ZipReader &&) noexcept;
    ZipReader &operator=(ZipReader &&) noexcept;
    ~ZipReader();

    // Part names compare without regard to case, as package part names do.
    bool contains(const QString &partName) const;
    QByteArray part(const QString &partName);
    // In archive order.
    QStringList partNames() const;

    // Throws the error for a damaged file, with the reason.
    [[noreturn]] void damaged(const QString &reason) const;

private:
    ZipReader(QString fileName, QByteArray data, const ZipLimits &limits);

    struct ArchiveCloser
    {
        void operator()(zip *archive) const;
    };

    QString m_fileName;
    QByteArray m_data; // the archive reads from it
    ZipLimits m_limits;
    qint64 m_totalRead = 0;
    std::unique_ptr<zip, ArchiveCloser> m_archive;
};

// Collects parts and packs them into a zip archive in memory.
class ZipWriter
{
public:
    void add(const QString &partName, const QByteArray &data);
    // Throws OfficeError when libzip fails.
    QByteArray finish() const;

private:
    struct Part
    {
        QString name;
        QByteArray data;
    };
    QList<Part> m_parts;
};

} // namespace platform::office
