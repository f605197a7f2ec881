#pragma once

#include <QString>
#include <QVariant>

#include <memory>

class QSettings;

namespace platform {

// One key of named values in the current user's own store, standing in for a
// registry key under HKEY_CURRENT_USER. On Windows it is the registry key
// HKEY_CURRENT_USER\Software\<organisation>\<application>; on Linux the file
// <config dir>/<organisation>/<application>.conf, an INI file in which every
// value reads back as text.
class UserStore
{
public:
    // The store the program itself uses.
    static UserStore native(const QString &organisation, const QString &application);
    // The same layout as an INI file below folder on every platform, so tests
    // never reach the user's own store.
    static UserStore inFolder(const QString &folder, const QString &organisation,
                              const QString &application);

    UserStore(UserStore &&) noexcept;
    UserStore &operator=(UserStore &&) noexcept;
    ~UserStore();

    // An invalid QVariant when the value is missing.
    QVariant value(const QString &name) const;
    // Creates the key (and the path to it) on the first write.
    void setValue(const QString &name, const QVariant &value);
    // Writes what was set; false when the key could not be created or written.
    bool flush();

    // The file or registry path, for documentation and tests.
    QString location() const;

private:
    explicit UserStore(std::unique_ptr<QSettings> settings);

    std::unique_ptr<QSettings> m_settings;
};

} // namespace platform
