// Sorts 10,000 table rows per comparison style, and on one and three keys,
// and prints the median time of several runs.

#include "controls/SortOrder.h"

#include <QDate>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr int rowCount = 10'000;
constexpr int runs = 15;

enum Column { Name, Number, Run, Date, Time, Group, ColumnCount };

QList<QStringList> makeTable(const QLocale &locale)
{
    QRandomGenerator random(1);
    const auto word = [&random] {
        QString text;
        for (int n = 3 + random.bounded(8); n > 0; --n)
            text += QChar(u'a' + random.bounded(26));
        text[0] = text[0].toUpper();
        return text;
    };
    QList<QStringList> rows{
        {u"Name"_s, u"Zeit"_s, u"Lauf"_s, u"Datum"_s, u"Uhrzeit"_s, u"Gruppe"_s}};
    for (int i = 0; i < rowCount; ++i) {
        QStringList row(ColumnCount);
        row[Name] = word() + u' ' + word();
        row[Number] = locale.toString(random.bounded(100'000) / 100.0, 'f', 2);
        row[Run] = u"Lauf "_s + QString::number(random.bounded(500));
        row[Date] = QDate(2000, 1, 1).addDays(random.bounded(9000)).toString(u"dd.MM.yyyy"_s) +
                    u' ' + QTime(random.bounded(24), random.bounded(60)).toString(u"HH:mm"_s);
        row[Time] = QTime(random.bounded(24), random.bounded(60)).toString(u"HH:mm"_s);
        row[Group] = QString(QChar(u'A' + random.bounded(8)));
        rows << row;
    }
    return rows;
}

double medianMs(const std::function<void()> &work)
{
    QList<qint64> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times << timer.nsecsElapsed();
    }
    std::sort(times.begin(), times.end());
    return times[runs / 2] / 1e6;
}

} // namespace

int main()
{
    const QLocale locale(QLocale::German, QLocale::Germany);
    const QList<QStringList> rows = makeTable(locale);
    QTextStream out(stdout);
    out << rowCount << " rows, median of " << runs << " runs\n";

    const auto report = [&](const QString &what, const QList<int> &keys, TSortStyle style,
                            const TSortCompare &custom = {}) {
        const double ms = medianMs([&] {
            TSortOptions options;
            options.SortStyle = style;
            options.CustomCompare = custom;
            volatile int first = sortRowOrder(rows, keys, options, {}, locale).value(0);
            (void)first;
        });
        out << qSetFieldWidth(34) << Qt::left << what << qSetFieldWidth(0)
            << QString::number(ms, 'f', 1) << " ms\n";
    };

    using enum TSortStyle;
    report(u"ssNormal (names)"_s, {Name}, ssNormal);
    report(u"ssNumeric (decimals)"_s, {Number}, ssNumeric);
    report(u"ssNumericExtended (Lauf n)"_s, {Run}, ssNumericExtended);
    report(u"ssDateTime"_s, {Date}, ssDateTime);
    report(u"ssTime"_s, {Time}, ssTime);
    report(u"ssCustom (QString::compare)"_s, {Name}, ssCustom,
           [](const QString &a, const QString &b) { return QString::compare(a, b); });
    report(u"ssAutomatic (detects ssNumeric)"_s, {Number}, ssAutomatic);
    report(u"one key (ssNormal, group)"_s, {Group}, ssNormal);
    report(u"three keys (ssNormal)"_s, {Group, Run, Name}, ssNormal);
    return 0;
}
