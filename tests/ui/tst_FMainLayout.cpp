#include "controls/ColorSpeedButton.h"
#include "controls/Comms.h"
#include "controls/SortGrid.h"
#include "controls/Udigit.h"
#include "platform/Sound.h"
#include "platform/UserStore.h"
#include "protocol/ProtocolTables.h"
#include "settings/ProgramTitle.h"
#include "ui/Artwork.h"
#include "ui/DateCaption.h"
#include "ui/FMain.h"
#include "ui/LockImage.h"
#include "ui/Wordmark.h"

#include "FakeSerial.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QImage pictureOf(const QLabel *label)
{
    return label->pixmap().toImage();
}

QImage artwork(Artwork::Picture picture)
{
    return Artwork::pixmap(picture).toImage();
}

} // namespace

// The main window as the operator first sees it: its layout at the designed
// size, its start-up and its sounds.
class tst_FMainLayout : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_devDir;
    QTemporaryDir m_configHome;
    std::unique_ptr<TFormMain> m_form;

    template <typename T = QWidget> T *child(const char *name) const
    {
        T *found = m_form->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    // Where a control lies in the window.
    QRect placeOf(const char *name) const
    {
        const QWidget *widget = child(name);
        return QRect(widget->mapTo(m_form.get(), QPoint(0, 0)), widget->size());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_devDir.isValid() && m_configHome.isValid());
        qputenv("TAVRIN_DEV_DIR", QFile::encodeName(m_devDir.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome.path()));
        fakeserial::attach(QFile::encodeName(m_devDir.filePath(u"ttyS0"_s)).constData());
    }

    void init() { QFile::remove(openSettingsStore(programTitle()).location()); }

    void cleanup() { m_form.reset(); }

    void layoutFollowsTheForm()
    {
        m_form = std::make_unique<TFormMain>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        QCOMPARE(m_form->size(), QSize(800, 590));
        QCOMPARE(m_form->minimumSize(), QSize(800, 590));
        QCOMPARE(m_form->windowTitle(), u"1.0 "_s + programTitle());

        // Header bar.
        QCOMPARE(placeOf("Panel1"), QRect(0, 0, 800, 38));
        QCOMPARE(placeOf("bHelp"), QRect(9, 0, 38, 40));
        QCOMPARE(placeOf("bCFG"), QRect(51, 0, 38, 40));
        QCOMPARE(placeOf("bInfo"), QRect(97, 0, 38, 40));
        QCOMPARE(child("bCFG")->toolTip(), u"Einstellungen (F2)"_s);
        QCOMPARE(child("bInfo")->toolTip(), u"Info (F3)"_s);
        QCOMPARE(placeOf("LabelKorvel").left(), 161);
        QCOMPARE(placeOf("PanelDate"), QRect(578, 0, 222, 38));

        // Display side: the frame around the black display and its contents.
        QCOMPARE(placeOf("Panel2").top(), 38);
        QCOMPARE(child("Panel2")->height(), 339);
        QCOMPARE(child("PanelLeft")->width(), 395);
        const QPoint side = placeOf("PanelLeft").topLeft();
        QCOMPARE(placeOf("PanelDisplay"), QRect(side + QPoint(18, 19), QSize(357, 283)));
        QCOMPARE(placeOf("Image1"), QRect(side, QSize(393, 21)));
        QCOMPARE(placeOf("Image4"), QRect(side + QPoint(374, 21), QSize(19, 281)));
        QCOMPARE(placeOf("Image3"), QRect(side + QPoint(0, 302), QSize(393, 34)));
        QCOMPARE(child("ImageTVAus")->geometry(), QRect(132, 309, 90, 20));
        QCOMPARE(child("editStartN1")->geometry(), QRect(91, 6, 72, 39));
        QCOMPARE(child("editStartN2")->geometry(), QRect(273, 6, 72, 39));
        QCOMPARE(child("Digit4")->geometry(), QRect(4, 56, 50, 89));
        QCOMPARE(child("Digit8")->geometry(), QRect(300, 56, 50, 89));
        QCOMPARE(child("Digit1")->geometry(), QRect(20, 184, 50, 89));
        QCOMPARE(child("Digit10")->geometry(), QRect(300, 184, 50, 89));
        QCOMPARE(child("LabMin")->x(), 60);
        QCOMPARE(child("LabSec2")->x(), 204);
        QCOMPARE(child<TDigit>("Digit4")->colorOn(), TColor(0x404040));
        QCOMPARE(child<TDigit>("Digit6")->colorOn(), clYellow);

        // Command area and, at the bottom of the right side, the protocol bar.
        QCOMPARE(child("PanelKeys")->width(), 257);
        QCOMPARE(child("bSTART")->geometry(), QRect(6, 0, 110, 40));
        QCOMPARE(child("bSTOP")->y(), 56);
        QCOMPARE(child("bRESET")->y(), 128);
        QCOMPARE(child("ImageLSstart")->geometry(), QRect(122, 8, 22, 22));
        QCOMPARE(child("ImageLSstop")->geometry(), QRect(122, 64, 22, 22));
        const QRect bar = placeOf("Panel4");
        QCOMPARE(bar.height(), 42);
        QCOMPARE(bar.right(), 799 - 1);
        QCOMPARE(bar.bottom(), placeOf("Panel2").bottom() - 1);
        QCOMPARE(child("sbSave")->geometry().topLeft().x(), 4);
        QCOMPARE(child("sbLoad")->x(), 40);
        QCOMPARE(child("sbExcel")->x(), 76);
        QCOMPARE(child("sbSave")->size(), QSize(36, 39));
        QCOMPARE(child("sbCLS")->geometry().right(), bar.width() - 4 - 1);
        QCOMPARE(child("sbPrint")->geometry().right(), child("sbCLS")->x() - 1);
        QCOMPARE(child("sbInet")->geometry().right(), child("sbPrint")->x() - 1);
        QVERIFY(child("sbWord")->isHidden());
        QCOMPARE(child("sbPrint")->property("tag"), QVariant(1));
        QCOMPARE(child("sbLoad")->toolTip(), u"\u00D6ffnen"_s);
        QCOMPARE(child("sbCLS")->toolTip(), u"L\u00F6schen (F8)"_s);
        QCOMPARE(child<QLabel>("LabelProtokoll")->text(), u"      Protokoll"_s);

        // The tables below.
        QCOMPARE(placeOf("Panel5").top(), 38 + 339);
        QCOMPARE(placeOf("Panel5").bottom(), 589);
        QCOMPARE(child("TabControl1")->width(), 272);
        QCOMPARE(placeOf("TabControl1").right(), 799);
    }

    void protocolButtonsShowGreyedPicturesWhileDisabled()
    {
        m_form = std::make_unique<TFormMain>();
        auto *save = child<QToolButton>("sbSave");
        QVERIFY(!save->isEnabled()); // an empty protocol has nothing to save
        const QSize size = save->iconSize();
        QCOMPARE(size, QSize(30, 30));
        const QImage normal = save->icon().pixmap(size, QIcon::Normal).toImage();
        const QImage greyed = save->icon().pixmap(size, QIcon::Disabled).toImage();
        QVERIFY(!normal.isNull() && !greyed.isNull());
        QVERIFY(normal != greyed);
        const QImage strip =
            Artwork::image(Artwork::Picture::SaveGlyphs).copy(QRect(QPoint(0, 0), normal.size()));
        QCOMPARE(normal.convertToFormat(QImage::Format_ARGB32),
                 strip.convertToFormat(QImage::Format_ARGB32));
    }

    void startUpLeavesTheWindowReady()
    {
        Settings stored;
        stored.Port = 1; // the fake device
        platform::UserStore store = openSettingsStore(programTitle());
        QVERIFY(saveSettings(store, stored));
        m_form = std::make_unique<TFormMain>();
        QVERIFY(m_form->comPort()->connected());

        TProtocolTables &tables = *m_form->protocolTables();
        QCOMPARE((QStringList{tables.SortGrid1->cells(0, 0), tables.SortGrid1->cells(1, 0),
                              tables.SortGrid1->cells(2, 0), tables.SortGrid1->cells(3, 0)}),
                 (QStringList{u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s}));
        QCOMPARE(tables.SortGridRes->cells(3, 0), QStringLiteral("%1 m").arg(stored.Length));

        QVERIFY(child("bSTART")->isEnabled());
        QVERIFY(!child("bSTOP")->isEnabled());
        QVERIFY(!child("bRESET")->isEnabled());
        QVERIFY(child<QAction>("EinstellunGen1")->isEnabled());
        QVERIFY(child<QAction>("mInfo")->isEnabled());

        // Both barriers blocked, their icons shown with the port open.
        for (const char *name : {"ImageLSstart", "ImageLSstop"}) {
            auto *lock = child<TLockImage>(name);
            QCOMPARE(lock->tag(), 0);
            QVERIFY(lock->isVisibleTo(m_form.get()));
            QCOMPARE(pictureOf(lock), artwork(Artwork::Picture::LockBlocked));
        }
        m_form->mLockStartLSClick();
        QCOMPARE(pictureOf(child<TLockImage>("ImageLSstart")),
                 artwork(Artwork::Picture::LockArmed));

        // One screen here: no switch to the second monitor.
        QCOMPARE(QGuiApplication::screens().size(), 1);
        QVERIFY(child("ImageTVAus")->isHidden());
        QVERIFY(child("ImageTVEin")->isHidden());
    }

    void datePanelShowsTheDateAtOnceAndEveryFiveSeconds()
    {
        const QDateTime before = QDateTime::currentDateTime();
        m_form = std::make_unique<TFormMain>();
        const QDateTime after = QDateTime::currentDateTime();
        const QString text = child<QLabel>("PanelDate")->text();
        QVERIFY2(text == dateCaption(before, QLocale::system()) ||
                     text == dateCaption(after, QLocale::system()),
                 qPrintable(text));
        auto *timer = child<QTimer>("TimerDate");
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 5000);
    }

    void soundsPlayOnlyWhenPresentAndSwitchedOn()
    {
        if (QFile::exists(QCoreApplication::applicationDirPath() + u"/start.wav"_s))
            QSKIP("a start.wav lies beside the test");
        m_form = std::make_unique<TFormMain>();
        QStringList played;
        m_form->sound().setPlayer([&played](const QString &path) { played << path; });
        QVERIFY(m_form->settings().Sound);

        // No start.wav or stopp.wav beside the program: a run is silent.
        m_form->mStartClick();
        m_form->mStopClick();
        QVERIFY(child("bRESET")->isEnabled()); // the run did happen
        QCOMPARE(played, QStringList());

        m_form->PlaySoundFile(u"/sounds/start.wav"_s);
        QCOMPARE(played, QStringList{u"/sounds/start.wav"_s});
        m_form->settings().Sound = false;
        m_form->PlaySoundFile(u"/sounds/start.wav"_s);
        QCOMPARE(played.size(), 1);
    }

    void infoKeyAndButtonShowTheInformation()
    {
        m_form = std::make_unique<TFormMain>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QStringList texts;
        QTimer answer;
        connect(&answer, &QTimer::timeout, m_form.get(), [&texts] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            QCOMPARE(box->buttons().size(), 1);
            QCOMPARE(box->buttons().constFirst()->text(), u"OK"_s);
            QCOMPARE(box->icon(), QMessageBox::Information);
            texts << box->text();
            box->buttons().constFirst()->click();
        });
        answer.start(20);

        QTest::keyClick(m_form.get(), Qt::Key_F3);
        QTest::mouseClick(child("bInfo"), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(texts.size(), 2);
        QVERIFY(texts[0].startsWith(programTitle() + u" 1.0"_s));
        QVERIFY(texts[0].contains(u"Lichtschranken"_s));
        QVERIFY(texts[0].contains(u"https://www.korvel.de"_s));
    }

    void wordmarkReportsClicksOnItself()
    {
        TWordmark wordmark;
        QSignalSpy clicked(&wordmark, &TWordmark::clicked);
        QVERIFY(wordmark.width() > 60 && wordmark.height() >= 27);
        QTest::mouseClick(&wordmark, Qt::RightButton);
        QCOMPARE(clicked.size(), 0);
        QTest::mouseClick(&wordmark, Qt::LeftButton);
        QCOMPARE(clicked.size(), 1);
        // Pressed on it, released beside it: no click.
        QTest::mousePress(&wordmark, Qt::LeftButton);
        QTest::mouseRelease(&wordmark, Qt::LeftButton, {}, QPoint(-5, -5));
        QCOMPARE(clicked.size(), 1);
    }

    void shutDownSavesTheSettingsAndClosesThePort()
    {
        Settings stored;
        stored.Port = 1;
        platform::UserStore store = openSettingsStore(programTitle());
        QVERIFY(saveSettings(store, stored));
        m_form = std::make_unique<TFormMain>();
        QVERIFY(fakeserial::isOpen());
        m_form->settings().Sound = false;
        m_form.reset();
        QVERIFY(!fakeserial::isOpen());
        QCOMPARE(loadSettings(openSettingsStore(programTitle()), 1).Sound, false);
    }
};

QTEST_MAIN(tst_FMainLayout)
#include "tst_FMainLayout.moc"
