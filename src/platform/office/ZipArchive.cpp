#include "platform/office/ZipArchive.h"

#include "platform/office/LibraryErrors.h"
#include "platform/office/OfficeError.h"

#include <QFile>
#include <QFileInfo>

#include <zip.h>

namespace platform::office {
namespace {

// Owns a zip_error_t for the span of one libzip call sequence.
struct ZipError
{
    zip_error_t error;
    ZipError() { zip_error_init(&error); }
    ~ZipError() { zip_error_fini(&error); }
    ZipError(const ZipError &) = delete;
    ZipError &operator=(const ZipError &) = delete;
    QString text() { return zipErrorText(&error); }
};

} // namespace

void ZipReader::ArchiveCloser::operator()(zip *archive) const
{
    zip_discard(archive); // read-only: nothing to write back
}

ZipReader ZipReader::fromFile(const QString &fileName, const ZipLimits &limits)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw OfficeError(QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden: %2")
                              .arg(fileName, file.errorString()));
    if (file.size() > limits.fileSize)
        throw OfficeError(QStringLiteral("Die Datei \"%1\" ist zu groß.").arg(fileName));
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw OfficeError(QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden: %2")
                              .arg(fileName, file.errorString()));
    return ZipReader(fileName, std::move(data), limits);
}

ZipReader::ZipReader(QString fileName, QByteArray data, const ZipLimits &limits)
    : m_fileName(std::move(fileName))
    , m_data(std::move(data))
    , m_limits(limits)
{
    ZipError error;
    zip_source_t *source = zip_source_buffer_create(
        m_data.constData(), static_cast<zip_uint64_t>(m_data.size()), 0, &error.error);
    if (!source)
        damaged(error.text());
    m_archive.reset(zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error.error));
    if (!m_archive) {
        zip_source_free(source);
        damaged(error.text());
    }
    if (zip_get_num_entries(m_archive.get(), 0) > m_limits.partCount)
        damaged(QStringLiteral("zu viele Teile"));
}

ZipReader::ZipReader(ZipReader &&) noexcept = default;
ZipReader &ZipReader::operator=(ZipReader &&) noexcept = default;
ZipReader::~ZipReader() = default;

void ZipReader::damaged(const QString &reason) const
{
    throw OfficeError(
        QStringLiteral("Die Datei \"%1\" ist beschädigt oder keine Office-Datei (%2).")
            .arg(QFileInfo(m_fileName).fileName(), reason));
}

bool ZipReader::contains(const QString &partName) const
{
    return zip_name_locate(m_archive.get(), partName.toUtf8().constData(), ZIP_FL_NOCASE) >= 0;
}

QStringList ZipReader::partNames() const
{
    QStringList names;
    const zip_int64_t count = zip_get_num_entries(m_archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        if (const char *name = zip_get_name(m_archive.get(), static_cast<zip_uint64_t>(i), 0))
            names.append(QString::fromUtf8(name));
    }
    return names;
}

QByteArray ZipReader::part(const QString &partName)
{
    const zip_int64_t index =
        zip_name_locate(m_archive.get(), partName.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0)
        damaged(QStringLiteral("%1 fehlt").arg(partName));
    std::unique_ptr<zip_file_t, int (*)(zip_file_t *)> file(
        zip_fopen_index(m_archive.get(), static_cast<zip_uint64_t>(index), 0), &zip_fclose);
    if (!file)
        damaged(zipErrorText(zip_get_error(m_archive.get())));

    // The sizes in the archive may lie: count what actually comes out.
    const qint64 limit = std::min(m_limits.partSize, m_limits.totalSize - m_totalRead);
    QByteArray data;
    char buffer[64 * 1024];
    for (;;) {
        const zip_int64_t n = zip_fread(file.get(), buffer, sizeof buffer);
        if (n < 0)
            damaged(QStringLiteral("%1: %2").arg(partName,
                                                 zipErrorText(zip_file_get_error(file.get()))));
        if (n == 0)
            break;
        if (data.size() + n > limit)
            damaged(QStringLiteral("%1 ist entpackt zu groß").arg(partName));
        data.append(buffer, static_cast<qsizetype>(n));
    }
    m_totalRead += data.size();
    return data;
}

void ZipWriter::add(const QString &partName, const QByteArray &data)
{
    m_parts.append({partName, data});
}

QByteArray ZipWriter::finish() const
{
    const auto fail = [](const QString &reason) -> OfficeError {
        return OfficeError(
            QStringLiteral("Das ZIP-Archiv kann nicht erstellt werden: %1").arg(reason));
    };
    ZipError error;
    zip_source_t *target = zip_source_buffer_create(nullptr, 0, 0, &error.error);
    if (!target)
        throw fail(error.text());
    std::unique_ptr<zip_source_t, void (*)(zip_source_t *)> targetOwner(target, &zip_source_free);
    zip_source_keep(target); // survives zip_close so the bytes can be read back

    zip_t *archive = zip_open_from_source(target, ZIP_TRUNCATE, &error.error);
    if (!archive) {
        zip_source_free(target); // the reference the archive did not take
        throw fail(error.text());
    }
    for (const Part &part : m_parts) {
        zip_source_t *source = zip_source_buffer(archive, part.data.constData(),
                                                 static_cast<zip_uint64_t>(part.data.size()), 0);
        if (!source ||
            zip_file_add(archive, part.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            const QString reason = zipErrorText(zip_get_error(archive));
            zip_source_free(source);
            zip_discard(archive);
            throw fail(reason);
        }
    }
    if (zip_close(archive) < 0) {
        const QString reason = zipErrorText(zip_get_error(archive));
        zip_discard(archive);
        throw fail(reason);
    }

    zip_stat_t stat;
    if (zip_source_stat(target, &stat) < 0 || zip_source_open(target) < 0)
        throw fail(zipErrorText(zip_source_error(target)));
    QByteArray bytes(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
    const zip_int64_t read = zip_source_read(target, bytes.data(), stat.size);
    zip_source_close(target);
    if (read != static_cast<zip_int64_t>(stat.size))
        throw fail(zipErrorText(zip_source_error(target)));
    return bytes;
}

} // namespace platform::office
