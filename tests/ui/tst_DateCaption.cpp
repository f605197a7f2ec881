#include "ui/DateCaption.h"
#include "ui/FontSubstitutes.h"
#include "ui/HeaderBar.h"

#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_DateCaption : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installFontSubstitutes(); }

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

    // The panel is sized for the German short format; longer formats (the C
    // locale's month name and seconds) still fit whole.
    void datePanelFitsItsText_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<bool>("fullSize");
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << true;
        QTest::newRow("C") << QLocale::c() << false;
        QTest::newRow("English (US)") << QLocale(QLocale::English, QLocale::UnitedStates) << false;
        QTest::newRow("English (UK)") << QLocale(QLocale::English, QLocale::UnitedKingdom) << false;
    }

    void datePanelFitsItsText()
    {
        QFETCH(QLocale, locale);
        QFETCH(bool, fullSize);
        QWidget bar;
        bar.resize(800, 38);
        QLabel *panel = createHeaderBar(bar).PanelDate;
        const int designed = panel->font().pixelSize();
        const QString caption =
            dateCaption(QDateTime(QDate(2026, 12, 28), QTime(14, 30, 45)), locale);
        showDateCaption(*panel, caption);
        QCOMPARE(panel->text(), caption);
        const int width = QFontMetrics(panel->font()).horizontalAdvance(caption);
        QVERIFY2(width <= panel->contentsRect().width(),
                 qPrintable(u"%1 wider than %2"_s.arg(width).arg(panel->contentsRect().width())));
        if (fullSize)
            QCOMPARE(panel->font().pixelSize(), designed);
        // Back to a short text, back to the designed size.
        showDateCaption(*panel, dateCaption(QDateTime(QDate(2026, 1, 2), QTime(3, 4)),
                                            QLocale(QLocale::German, QLocale::Germany)));
        QCOMPARE(panel->font().pixelSize(), designed);
    }
};

QTEST_MAIN(tst_DateCaption)
#include "tst_DateCaption.moc"
