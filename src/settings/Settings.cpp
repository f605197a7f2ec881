#include "settings/Settings.h"

#include "platform/UserStore.h"

#include <QStringList>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// An integer value holds 32 bits, like the registry's DWORD. A text store hands
// every value back as text, so the content decides; a number between 2^31 and
// 2^32 - 1 is a DWORD read as signed.
std::optional<qint32> storedInteger(const QVariant &value)
{
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    if (!ok || n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<quint32>::max())
        return std::nullopt;
    return static_cast<qint32>(static_cast<quint32>(n));
}

// Reads values one after the other until the first that fails; from then on
// nothing more is read, so every later field keeps its default.
class OrderedReader
{
public:
    explicit OrderedReader(const platform::UserStore &store)
        : m_store(store)
    {
    }

    void read(const QString &name, qint32 &field)
    {
        if (const auto n = integer(name))
            field = *n;
    }

    void read(const QString &name, std::optional<qint32> &field)
    {
        if (const auto n = integer(name))
            field = *n;
    }

    // Held as an unsigned byte: only the low 8 bits of the stored number count.
    void read(const QString &name, quint8 &field)
    {
        if (const auto n = integer(name))
            field = static_cast<quint8>(*n);
    }

    // A number, non-zero for true; also the words QSettings itself writes
    // for a boolean, which a hand-edited file is likely to hold.
    void read(const QString &name, bool &field)
    {
        if (m_stopped)
            return;
        const QVariant value = m_store.value(name);
        const QString word =
            value.typeId() == QMetaType::QString ? value.toString().trimmed() : QString();
        if (word.compare(u"true"_s, Qt::CaseInsensitive) == 0)
            field = true;
        else if (word.compare(u"false"_s, Qt::CaseInsensitive) == 0)
            field = false;
        else if (const auto n = integer(name))
            field = *n != 0;
    }

    // A missing text reads as empty and does not stop the reading. In an INI
    // file every line is text; "not text" is a value the file marks as another
    // type (@ByteArray, @Variant, @Rect ...), as other programs write binary or
    // typed data. Unquoted commas make the INI reader split a hand-typed title
    // into a list; it is joined back, since a comma in a title is plain text.
    void read(const QString &name, QString &field)
    {
        if (m_stopped)
            return;
        const QVariant value = m_store.value(name);
        if (!value.isValid())
            field.clear();
        else if (value.typeId() == QMetaType::QString)
            field = value.toString();
        else if (value.typeId() == QMetaType::QStringList)
            field = value.toStringList().join(u", "_s);
        else
            m_stopped = true;
    }

private:
    std::optional<qint32> integer(const QString &name)
    {
        if (m_stopped)
            return std::nullopt;
        const auto n = storedInteger(m_store.value(name));
        m_stopped = !n;
        return n;
    }

    const platform::UserStore &m_store;
    bool m_stopped = false;
};

qint32 inRange(qint32 value, SettingRange range)
{
    return std::clamp(value, range.min, range.max);
}

} // namespace

platform::UserStore openSettingsStore(const QString &programTitle)
{
    return platform::UserStore::native(u"Korvel"_s, programTitle);
}

Settings loadSettings(const platform::UserStore &store, qsizetype screenCount)
{
    Settings s;
    OrderedReader in(store);
    in.read(u"Left"_s, s.Left);
    in.read(u"Top"_s, s.Top);
    in.read(u"Width"_s, s.Width);
    in.read(u"Height"_s, s.Height);
    in.read(u"Sound"_s, s.Sound);
    in.read(u"Port"_s, s.Port);
    in.read(u"Alg"_s, s.Alg);
    in.read(u"FilterInd"_s, s.FilterInd);
    in.read(u"Length"_s, s.Length);
    in.read(u"Monitor"_s, s.Monitor);
    in.read(u"Title"_s, s.Title);
    in.read(u"Length2"_s, s.Length2);
    in.read(u"Length3"_s, s.Length3);
    in.read(u"Length4"_s, s.Length4);
    in.read(u"WaitStart"_s, s.WaitStart);
    in.read(u"PortId"_s, s.PortId);

    if (s.Monitor < 0 || s.Monitor >= screenCount)
        s.Monitor = 0;
    // Any other mode would leave every barrier dead and the dialog blank.
    if (s.Alg < kAlgRange.min || s.Alg > kAlgRange.max)
        s.Alg = Settings{}.Alg;
    if (s.Length == 0)
        s.Length = 30;
    s.Length = inRange(s.Length, kLengthRange);
    s.Length2 = inRange(s.Length2, kLength2Range);
    s.Length3 = inRange(s.Length3, kLength3Range);
    s.Length4 = inRange(s.Length4, kLength4Range);
    s.WaitStart = inRange(s.WaitStart, kWaitStartRange);
    return s;
}

bool saveSettings(platform::UserStore &store, const Settings &settings)
{
    // A window that was never placed has no position of its own; 0 keeps the
    // stored set complete.
    store.setValue(u"Left"_s, settings.Left.value_or(0));
    store.setValue(u"Top"_s, settings.Top.value_or(0));
    store.setValue(u"Width"_s, settings.Width);
    store.setValue(u"Height"_s, settings.Height);
    store.setValue(u"Port"_s, int{settings.Port});
    store.setValue(u"Alg"_s, settings.Alg);
    store.setValue(u"Sound"_s, settings.Sound ? 1 : 0);
    store.setValue(u"FilterInd"_s, settings.FilterInd);
    store.setValue(u"Length"_s, settings.Length);
    store.setValue(u"Monitor"_s, settings.Monitor);
    store.setValue(u"Title"_s, settings.Title);
    store.setValue(u"Length2"_s, settings.Length2);
    store.setValue(u"Length3"_s, settings.Length3);
    store.setValue(u"Length4"_s, settings.Length4);
    store.setValue(u"WaitStart"_s, settings.WaitStart);
    store.setValue(u"PortId"_s, settings.PortId);
    return store.flush();
}
