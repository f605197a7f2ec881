#include "platform/UserStore.h"

#include <QDir>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace platform {

UserStore UserStore::native(const QString &organisation, const QString &application)
{
    return UserStore(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                 organisation, application));
}

UserStore UserStore::inFolder(const QString &folder, const QString &organisation,
                              const QString &application)
{
    const QString file = QDir(folder).filePath(organisation + u'/' + application + u".conf"_s);
    return UserStore(std::make_unique<QSettings>(file, QSettings::IniFormat));
}

UserStore::UserStore(std::unique_ptr<QSettings> settings)
    : m_settings(std::move(settings))
{
    // The key is the user's and this program's alone: no organisation-wide or
    // system-wide values may fill in what it lacks.
    m_settings->setFallbacksEnabled(false);
}

UserStore::UserStore(UserStore &&) noexcept = default;
UserStore &UserStore::operator=(UserStore &&) noexcept = default;
UserStore::~UserStore() = default;

QVariant UserStore::value(const QString &name) const
{
    return m_settings->value(name);
}

void UserStore::setValue(const QString &name, const QVariant &value)
{
    m_settings->setValue(name, value);
}

bool UserStore::flush()
{
    m_settings->sync();
    // A hand-edited file with lines the INI reader skips reports FormatError,
    // yet is written back cleanly; only a write that failed counts.
    return m_settings->status() != QSettings::AccessError;
}

QString UserStore::location() const
{
    return m_settings->fileName();
}

} // namespace platform
