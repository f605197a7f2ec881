#include "ui/DateCaption.h"

#include <QTest>

class tst_DateCaption : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shortDateThreeBlanksShortTime_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany)
                                << QStringLiteral("08.12.26   04:05");
        QTest::newRow("English (US)") << QLocale(QLocale::English, QLocale::UnitedStates)
                                      << QStringLiteral("12/8/26   4:05 AM");
    }

    void shortDateThreeBlanksShortTime()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, expected);
        const QDateTime now(QDate(2026, 12, 8), QTime(4, 5, 59));
        QCOMPARE(dateCaption(now, locale), expected);
    }
};

QTEST_MAIN(tst_DateCaption)
#include "tst_DateCaption.moc"
