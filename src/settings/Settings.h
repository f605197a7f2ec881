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

// The values a setting may take, as the settings dialog offers them; a stored
// value outside is taken to the nearest limit.
struct SettingRange
{
    qint32 min;
    qint32 max;
};
inline constexpr SettingRange kLengthRange{5, 100000};
inline constexpr SettingRange kLength2Range{1, 1000};
inline constexpr SettingRange kLength3Range{1, 1000};
inline constexpr SettingRange kLength4Range{2, 1000};
// Milliseconds: 0 to 600 seconds.
inline constexpr SettingRange kWaitStartRange{0, 600000};
// The modes the dialog lists: 0 "Ein", 1 "Aus".
inline constexpr SettingRange kAlgRange{0, 1};

// The per-user store of a program title: organisation "Korvel", application =
// title, so copies of the program under other file names keep their own settings.
platform::UserStore openSettingsStore(const QString &programTitle);

// Reads the stored values in their fixed order. The first value that is missing
// or not of its type ends the reading: it and all later values keep their
// defaults (a missing text, "Title" or "PortId", reads as empty and does not end it;
// "Sound" also reads the words true and false). Then values the program cannot
// use are replaced, with the rest kept: a "Monitor" outside 0 .. screenCount - 1
// and an "Alg" without a dialog entry become 0, a "Length" of 0 becomes 30,
// and the distances and "WaitStart" are taken into their ranges above.
// Never creates the store.
Settings loadSettings(const platform::UserStore &store, qsizetype screenCount);

// Writes every value, changed or not. False when the store could not be
// created or written.
bool saveSettings(platform::UserStore &store, const Settings &settings);
