#include "controls/SortKeys.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestSortKeys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commaText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("empty") << QString() << QStringList{};
        QTest::newRow("blanks only") << u"  "_s << QStringList{};
        QTest::newRow("commas") << u"1,2,3"_s << QStringList{u"1"_s, u"2"_s, u"3"_s};
        QTest::newRow("blanks") << u"1 2\t 3"_s << QStringList{u"1"_s, u"2"_s, u"3"_s};
        QTest::newRow("blanks around commas") << u" 1 , 2 "_s << QStringList{u"1"_s, u"2"_s};
        QTest::newRow("quoted") << u"\"1\",\"2 3\""_s << QStringList{u"1"_s, u"2 3"_s};
        QTest::newRow("quoted comma") << u"\"1,2\" 3"_s << QStringList{u"1,2"_s, u"3"_s};
        QTest::newRow("doubled quote") << u"\"a\"\"b\""_s << QStringList{u"a\"b"_s};
        QTest::newRow("unterminated quote") << u"\"1 2"_s << QStringList{u"1 2"_s};
        QTest::newRow("empty between commas")
            << u"1,,2"_s << QStringList{u"1"_s, QString(), u"2"_s};
        QTest::newRow("comma at the end") << u"1, "_s << QStringList{u"1"_s, QString()};
        QTest::newRow("comma at the start") << u",1"_s << QStringList{QString(), u"1"_s};
    }

    void commaText()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, items);
        QCOMPARE(parseCommaText(text), items);
    }

    void keyColumns_data()
    {
        QTest::addColumn<int>("aCol");
        QTest::addColumn<QString>("secondaryIndex");
        QTest::addColumn<QList<int>>("columns");
        QTest::newRow("no secondary keys") << 2 << QString() << QList<int>{2};
        QTest::newRow("secondary keys follow") << 2 << u"3,1"_s << QList<int>{2, 3, 1};
        QTest::newRow("primary moved to the front") << 2 << u"3 2 1"_s << QList<int>{2, 3, 1};
        QTest::newRow("only the first named") << 2 << u"2,3,2"_s << QList<int>{2, 3, 2};
        QTest::newRow("quoted and blanks") << 0 << u"\"4\" , 1"_s << QList<int>{0, 4, 1};
        QTest::newRow("named by text, not value") << 2 << u"02"_s << QList<int>{2, 2};
        // Whole numbers outside the grid name no column: they are left out.
        QTest::newRow("beyond the columns") << 0 << u"5,1"_s << QList<int>{0, 1};
        QTest::newRow("negative") << 0 << u"-1"_s << QList<int>{0};
        QTest::newRow("primary beyond the columns") << 7 << u"1"_s << QList<int>{};
        QTest::newRow("primary negative") << -1 << QString() << QList<int>{};
    }

    void keyColumns()
    {
        QFETCH(int, aCol);
        QFETCH(QString, secondaryIndex);
        QFETCH(QList<int>, columns);
        const SortKeys keys = sortKeys(aCol, secondaryIndex, 5);
        QVERIFY2(keys.isValid(), qPrintable(keys.error));
        QCOMPARE(keys.columns, columns);
    }

    void invalidKeys_data()
    {
        QTest::addColumn<int>("aCol");
        QTest::addColumn<QString>("secondaryIndex");
        QTest::addColumn<QString>("culprit");
        QTest::newRow("word") << 0 << u"1,x"_s << u"\"x\""_s;
        QTest::newRow("decimal") << 0 << u"1.5"_s << u"\"1.5\""_s;
        QTest::newRow("empty item") << 0 << u"1,"_s << u"\"\""_s;
    }

    void invalidKeys()
    {
        QFETCH(int, aCol);
        QFETCH(QString, secondaryIndex);
        QFETCH(QString, culprit);
        const SortKeys keys = sortKeys(aCol, secondaryIndex, 5);
        QVERIFY(!keys.isValid());
        QVERIFY(keys.columns.isEmpty());
        QVERIFY2(keys.error.contains(culprit), qPrintable(keys.error));
    }
};

QTEST_GUILESS_MAIN(TestSortKeys)
#include "tst_SortKeys.moc"
