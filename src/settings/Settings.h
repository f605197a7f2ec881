#pragma once

#include <QString>

#include <optional>

namespace platform {
class UserStore;
}

// Every setting that outlives a run of the program. The fields carry the names
// of their stored values; the defaults are those of a first start.
struct Settings
{
    // Main window's position; none lets the window system place it.
    std::optional<qint32> Left;
    std::optional<qint32> Top;
    qint32 Width = 800;
    qint32 Height = 590;
    // Play the start and stop sounds.
    bool Sound = true;
    // Serial port "COM" + Port; 0 means no port. Stored as a full integer, of
    // which only the low 8 bits count.
    quint8 Port = 0;
    // Line polarity: 0 "Ein" counts a barrier when its line becomes active,
    // 1 "Aus" when it becomes inactive.
    qint32 Alg = 0;
    // 1-based entry of the protocol's save and open dialogs' file-type list.
    qint32 FilterInd = 1;
    // Track length (finish barrier), metres.
    qint32 Length = 30;
    // Index of the monitor that shows the second display.
    qint32 Monitor = 0;
    // Title line of the second display.
    QString Title = QStringLiteral("* * *");
    // Distances of the three intermediate barriers, metres.
    qint32 Length2 = 5;
    qint32 Length3 = 10;
    qint32 Length4 = 15;
    // Barrier lockout, milliseconds; 0 switches it off.
    qint32 WaitStart = 200;
    // The stable name of the adapter chosen as "COM" + Port, so it is found
    // again under another device name; empty when it has none.
    QString PortId;

    friend bool operator==(const Settings &, const Settings &) = default;
};

// The per-user store of a program title: organisation "Korvel", application =
// title, so copies of the program under other file names keep their own settings.
platform::UserStore openSettingsStore(const QString &programTitle);

// Reads the stored values in their fixed order. The first value that is missing
// or not of its type ends the reading: it and all later values keep their
// defaults (a missing text, "Title" or "PortId", reads as empty and does not end it). Then a
// "Monitor" outside 0 .. screenCount - 1 becomes 0 and a "Length" of 0 becomes 30.
// Never creates the store.
Settings loadSettings(const platform::UserStore &store, qsizetype screenCount);

// Writes every value, changed or not. False when the store could not be
// created or written.
bool saveSettings(platform::UserStore &store, const Settings &settings);
