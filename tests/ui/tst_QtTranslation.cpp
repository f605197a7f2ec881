#include "ui/QtTranslation.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

// Qt's own texts reach the coach in German once the program has started.
class TestQtTranslation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void qtTextsAreGerman()
    {
        QVERIFY2(installQtTranslation(*qApp),
                 "qtbase_de.qm fehlt (qt6-translations-l10n, tools/install-deps.sh)");

        QMessageBox box(QMessageBox::Question, u"Tavrin"_s, u"Beenden?"_s,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), u"&Ja"_s);
        QCOMPARE(box.button(QMessageBox::No)->text(), u"&Nein"_s);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), u"Abbrechen"_s);

        QDialogButtonBox buttons(QDialogButtonBox::Save | QDialogButtonBox::Open);
        QCOMPARE(buttons.button(QDialogButtonBox::Save)->text(), u"Speichern"_s);
        QCOMPARE(buttons.button(QDialogButtonBox::Open)->text(), u"Öffnen"_s);

        // The workbook reader passes this text on when a file is damaged.
        QXmlStreamReader xml("<worksheet><row>");
        while (!xml.atEnd())
            xml.readNext();
        QVERIFY(xml.hasError());
        QVERIFY2(!xml.errorString().contains(u"document"_s, Qt::CaseInsensitive),
                 qPrintable(xml.errorString()));
    }
};

QTEST_MAIN(TestQtTranslation)
#include "tst_QtTranslation.moc"
