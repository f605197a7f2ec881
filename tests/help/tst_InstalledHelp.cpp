#include "help/InstalledHelp.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_InstalledHelp : public QObject
{
    Q_OBJECT

private slots:
    void dataFolderBesideBinFolder()
    {
        QCOMPARE(installedDataFolder(u"/usr/bin/Tavrin"_s), u"/usr/share/tavrin"_s);
        QCOMPARE(installedDataFolder(u"/opt/sport/bin/Halle"_s), u"/opt/sport/share/tavrin"_s);
    }

    void findsHelp_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("expected");
        const QString shipped = u"usr/share/tavrin/Tavrin.hlp"_s;
        QTest::newRow("build folder") << QStringList{u"build/Tavrin.hlp"_s, shipped}
                                      << u"build/Tavrin"_s << u"build/Tavrin.hlp"_s;
        QTest::newRow("installed") << QStringList{shipped} << u"usr/bin/Tavrin"_s << shipped;
        QTest::newRow("beside comes first") << QStringList{u"usr/bin/Tavrin.hlp"_s, shipped}
                                            << u"usr/bin/Tavrin"_s << u"usr/bin/Tavrin.hlp"_s;
        QTest::newRow("renamed copy with its own")
            << QStringList{u"usr/share/tavrin/Halle.hlp"_s, shipped} << u"usr/bin/Halle"_s
            << u"usr/share/tavrin/Halle.hlp"_s;
        QTest::newRow("renamed copy") << QStringList{shipped} << u"usr/bin/Halle"_s << shipped;
        QTest::newRow("other prefix")
            << QStringList{u"opt/sport/share/tavrin/Tavrin.hlp"_s} << u"opt/sport/bin/Tavrin"_s
            << u"opt/sport/share/tavrin/Tavrin.hlp"_s;
        QTest::newRow("a folder is no help file")
            << QStringList{u"usr/bin/Tavrin.hlp/"_s, shipped} << u"usr/bin/Tavrin"_s << shipped;
        QTest::newRow("none: beside") << QStringList{u"usr/share/tavrin/sxema.jpg"_s}
                                      << u"usr/bin/Tavrin"_s << u"usr/bin/Tavrin.hlp"_s;
        QTest::newRow("other program's help") << QStringList{u"usr/share/tavrin/Andere.hlp"_s}
                                              << u"usr/bin/Tavrin"_s << u"usr/bin/Tavrin.hlp"_s;
    }

    void findsHelp()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, executable);
        QFETCH(QString, expected);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QDir dir(root.path());
        QVERIFY(dir.mkpath(QFileInfo(dir.filePath(executable)).path()));
        for (const QString &file : std::as_const(files)) {
            QVERIFY(dir.mkpath(QFileInfo(dir.filePath(file)).path()));
            if (file.endsWith(u'/'))
                continue;
            QFile help(dir.filePath(file));
            QVERIFY(help.open(QIODevice::WriteOnly));
        }
        QCOMPARE(findHelpFile(dir.filePath(executable)), dir.filePath(expected));
    }
};

QTEST_GUILESS_MAIN(tst_InstalledHelp)
#include "tst_InstalledHelp.moc"
