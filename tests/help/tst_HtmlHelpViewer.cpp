#include "help/HelpManager.h"
#include "help/HtmlHelpViewer.h"
#include "platform/HelpWindow.h"
#include "platform/HtmlHelp.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct HtmlHelpCall
{
    QWidget *caller;
    QString file;
    unsigned command;
    QVariant data;
};

// Records each call of the entry point and hands it on to the built-in help
// when one is given.
class CallRecorder
{
public:
    explicit CallRecorder(platform::BuiltInHtmlHelp *builtIn = nullptr)
        : m_builtIn(builtIn)
    {
    }

    HtmlHelpFunction entryPoint()
    {
        return
            [this](QWidget *caller, const QString &file, unsigned command, const QVariant &data) {
                calls.push_back({caller, file, command, data});
                if (m_builtIn)
                    m_builtIn->HtmlHelpA(caller, file, command, data);
            };
    }

    std::vector<HtmlHelpCall> calls;

private:
    platform::BuiltInHtmlHelp *m_builtIn;
};

// A viewer that claims everything and only counts, to stand beside the HTML one.
class CountingViewer final : public HelpViewer
{
public:
    QString viewerName() const override { return QStringLiteral("Counting"); }
    int understandsKeyword(const QString &) override { return 1; }
    QStringList helpStrings(const QString &keyword) override { return {keyword}; }
    bool canShowTableOfContents() override { return true; }
    void showTableOfContents() override { ++shown; }
    void showHelp(const QString &) override { ++shown; }
    bool understandsTopic(const QString &) override { return true; }
    void displayTopic(const QString &) override { ++shown; }
    bool understandsContext(int, const QString &) override { return true; }
    void displayHelpByContext(int, const QString &) override { ++shown; }
    bool callWinHelp(QWidget *, const QString &, unsigned, quintptr) override { return false; }
    void notifyId(int) override {}
    void softShutDown() override {}
    void shutDown() override {}

    int shown = 0;
};

QString testHelpFile()
{
    return QStringLiteral(TAVRIN_TEST_DATA_DIR "/test.hlp");
}

} // namespace

class TestHtmlHelpViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void viewerAnswers()
    {
        HelpManager manager;
        CallRecorder recorder;
        HtmlHelpInstallation installation(manager, recorder.entryPoint());
        THtmlHelpViewer &viewer = installation.viewer();

        QCOMPARE(viewer.viewerName(), QStringLiteral("HtmlHelp"));
        QCOMPARE(viewer.understandsKeyword(QStringLiteral("Sperrzeit")), 1);
        QCOMPARE(viewer.helpStrings(QStringLiteral("Sperrzeit")),
                 QStringList{QStringLiteral("Sperrzeit: HtmlHelp")});
        QVERIFY(viewer.canShowTableOfContents());
        QVERIFY(viewer.understandsTopic(QStringLiteral("Ziel")));
        QVERIFY(viewer.understandsContext(7, testHelpFile()));
        QVERIFY(!viewer.callWinHelp(nullptr, testHelpFile(), HELP_CONTENTS, 0));
        // The WinHelp viewer came first.
        QCOMPARE(viewer.viewerId(), 2);
        QCOMPARE(manager.viewerCount(), 2);

        THtmlHelpTester tester;
        QVERIFY(!tester.canShowALink(QStringLiteral("Start"), testHelpFile()));
        QVERIFY(!tester.canShowTopic(QStringLiteral("Start"), testHelpFile()));
        QVERIFY(!tester.canShowContext(3, testHelpFile()));
        QVERIFY(tester.helpStrings(QStringLiteral("Start")).isEmpty());
        QVERIFY(recorder.calls.empty());
    }

    void requestsReachBuiltInHtmlHelp()
    {
        HelpManager manager;
        platform::BuiltInHtmlHelp builtIn;
        CallRecorder recorder(&builtIn);
        HtmlHelpInstallation installation(manager, recorder.entryPoint());
        QWidget owner;
        manager.setHandle(&owner);
        manager.setHelpFile(testHelpFile());

        struct Expected
        {
            QString file;
            unsigned command;
            QVariant data;
            QString topLine;
        };
        const auto check = [&](const Expected &expected) {
            QCOMPARE(recorder.calls.size(), size_t(1));
            const HtmlHelpCall &call = recorder.calls.front();
            QCOMPARE(call.caller, &owner);
            QCOMPARE(call.file, expected.file);
            QCOMPARE(call.command, expected.command);
            QCOMPARE(call.data, expected.data);
            QCOMPARE(builtIn.windows().size(), size_t(1));
            platform::HelpWindow *window = builtIn.windows().front();
            QVERIFY(window->isVisible());
            QCOMPARE(window->windowTitle(), QStringLiteral("Testhilfe"));
            QCOMPARE(window->topLine(), expected.topLine);
            recorder.calls.clear();
        };

        manager.showTableOfContents();
        check({testHelpFile(), HH_DISPLAY_TOC, 0, QStringLiteral("Testhilfe")});
        manager.showHelp(QStringLiteral("Sperrzeit"));
        check({testHelpFile(), HH_DISPLAY_INDEX, QStringLiteral("Sperrzeit"),
               QStringLiteral("Sperre nach jeder Schranke")});
        // Not an index entry: the first place in the text that has it.
        manager.showHelp(QStringLiteral("Zielband"));
        check({testHelpFile(), HH_DISPLAY_INDEX, QStringLiteral("Zielband"),
               QStringLiteral("Das Zielband liegt hier.")});
        manager.showTopicHelp(QStringLiteral("Ziel"));
        check({testHelpFile() + QStringLiteral(" ::/Ziel"), HH_DISPLAY_TOPIC, 0,
               QStringLiteral("Ziel und Stopp")});
        manager.showContextHelp(3);
        check({testHelpFile(), HH_HELP_CONTEXT, 3, QStringLiteral("Startlinie")});
        // The file a request names wins over the application's.
        manager.setHelpFile(QStringLiteral("/nonexistent/other.hlp"));
        manager.showContextHelp(7, testHelpFile());
        check({testHelpFile(), HH_HELP_CONTEXT, 7, QStringLiteral("Sperre nach jeder Schranke")});
        manager.setHelpFile(testHelpFile());
        QVERIFY(manager.helpCommand(HELP_CONTENTS, 0));
        check({testHelpFile(), HH_DISPLAY_TOC, 0, QStringLiteral("Testhilfe")});
        QVERIFY(manager.helpCommand(HELP_CONTEXT, 7));
        check({testHelpFile(), HH_HELP_CONTEXT, 7, QStringLiteral("Sperre nach jeder Schranke")});

        // A raw WinHelp command (HELP_QUIT) is nobody's.
        QVERIFY(!manager.helpCommand(0x0002, 0));
        QVERIFY(recorder.calls.empty());

        manager.softShutDown();
        QCOMPARE(recorder.calls.size(), size_t(1));
        QCOMPARE(recorder.calls.front().caller, nullptr);
        QVERIFY(recorder.calls.front().file.isEmpty());
        QCOMPARE(recorder.calls.front().command, HH_CLOSE_ALL);
        QCOMPARE(recorder.calls.front().data, QVariant(0));
        QVERIFY(builtIn.windows().empty());
    }

    void builtInReadsTopicAddresses_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("topLine");
        QTest::newRow("anchor") << u" ::/Ziel"_s << u"Ziel und Stopp"_s;
        QTest::newRow("page name") << u"::/Start.htm"_s << u"Startlinie"_s;
        QTest::newRow("fragment") << u"::/Seite.html#Sperrzeit"_s
                                  << u"Sperre nach jeder Schranke"_s;
        QTest::newRow("heading text") << u"::/unterpunkt"_s << u"Unterpunkt"_s;
        QTest::newRow("unknown: the top") << u"::/Nirgends"_s << u"Testhilfe"_s;
        QTest::newRow("no topic: the top") << QString() << u"Testhilfe"_s;
    }

    void builtInReadsTopicAddresses()
    {
        QFETCH(QString, topic);
        QFETCH(QString, topLine);
        platform::BuiltInHtmlHelp builtIn;
        auto *window = qobject_cast<platform::HelpWindow *>(
            builtIn.HtmlHelpA(nullptr, testHelpFile() + topic, HH_DISPLAY_TOPIC, 0));
        QVERIFY(window);
        QCOMPARE(window->topLine(), topLine);
        // The same file again reuses its window.
        QCOMPARE(builtIn.HtmlHelpA(nullptr, testHelpFile(), HH_HELP_CONTEXT, 99), window);
        QCOMPARE(window->topLine(), u"Testhilfe"_s);
        QCOMPARE(builtIn.windows().size(), size_t(1));
        QCOMPARE(builtIn.HtmlHelpA(nullptr, testHelpFile(), 0x7F, 0), nullptr);
    }

    void operatorSearchesAndClicks()
    {
        platform::BuiltInHtmlHelp builtIn;
        auto *window = qobject_cast<platform::HelpWindow *>(
            builtIn.HtmlHelpA(nullptr, testHelpFile(), HH_DISPLAY_TOC, 0));
        QVERIFY(window);
        auto *contents = window->findChild<QTreeWidget *>(u"contents"_s);
        auto *search = window->findChild<QLineEdit *>(u"search"_s);
        auto *index = window->findChild<QListWidget *>(u"index"_s);
        QVERIFY(contents && search && index);

        // Headings nest by level; a click on one shows it.
        const QList<QTreeWidgetItem *> sub =
            contents->findItems(u"Unterpunkt"_s, Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(sub.size(), 1);
        QCOMPARE(sub.front()->parent()->text(0), u"Ziel und Stopp"_s);
        QTreeWidgetItem *start = contents->findItems(u"Startlinie"_s, Qt::MatchRecursive).front();
        QTest::mouseClick(contents->viewport(), Qt::LeftButton, {},
                          contents->visualItemRect(start).center());
        QCOMPARE(window->topLine(), u"Startlinie"_s);

        // Typing narrows the index; Enter finds words outside it too.
        QCOMPARE(builtIn.HtmlHelpA(nullptr, testHelpFile(), HH_DISPLAY_INDEX, QString()), window);
        QVERIFY(search->isVisible() && index->isVisible());
        QTest::keyClicks(search, u"zi"_s);
        QStringList shown;
        for (int row = 0; row < index->count(); ++row) {
            if (!index->item(row)->isHidden())
                shown << index->item(row)->text();
        }
        QCOMPARE(shown, QStringList{u"Ziel"_s});
        search->clear();
        QTest::keyClicks(search, u"Zielband"_s);
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(window->topLine(), u"Das Zielband liegt hier."_s);
        // A click on an index entry shows it.
        search->clear();
        QTest::keyClicks(search, u"sperr"_s);
        QListWidgetItem *entry = index->findItems(u"Sperrzeit"_s, Qt::MatchExactly).front();
        QTest::mouseClick(index->viewport(), Qt::LeftButton, {},
                          index->visualItemRect(entry).center());
        QCOMPARE(window->topLine(), u"Sperre nach jeder Schranke"_s);
    }

    void selectorTakesLastMatch()
    {
        THtmlHelpSelector selector;
        QCOMPARE(selector.selectKeyword({u"Start: WinHelp"_s, u"Start: HtmlHelp"_s}), 1);
        QCOMPARE(selector.selectKeyword({u"a"_s, u"b"_s, u"c"_s}), 2);
        QCOMPARE(selector.tableOfContents({u"WinHelp"_s, u"HtmlHelp"_s, u"Counting"_s}), 2);

        // Through the help system: with a further viewer after the HTML one,
        // the contents and a keyword go to that last one.
        HelpManager manager;
        manager.setHelpFile(testHelpFile());
        CallRecorder recorder;
        HtmlHelpInstallation installation(manager, recorder.entryPoint());
        manager.showTableOfContents();
        manager.showHelp(u"Start"_s);
        QCOMPARE(recorder.calls.size(), size_t(2));

        CountingViewer last;
        manager.registerViewer(&last);
        manager.showTableOfContents();
        manager.showHelp(u"Start"_s);
        manager.showTopicHelp(u"Start"_s);
        QCOMPARE(last.shown, 3);
        QCOMPARE(recorder.calls.size(), size_t(2));
        manager.unregisterViewer(&last);
    }

    void winHelpKeepsRequestsWithoutTheViewer()
    {
        // Without the HTML help (library missing) only the WinHelp viewer is
        // registered; requests reach no HTML Help at all.
        HelpManager manager;
        manager.setHelpFile(testHelpFile());
        CallRecorder recorder;
        {
            HtmlHelpInstallation installation(manager, recorder.entryPoint());
        }
        recorder.calls.clear();
        QCOMPARE(manager.viewerCount(), 1);
        QCOMPARE(manager.winHelpTester(), nullptr);
        QCOMPARE(manager.helpSelector(), nullptr);
        showHelpContents(manager);
        manager.showHelp(u"Start"_s);
        manager.showContextHelp(3);
        QVERIFY(recorder.calls.empty());
    }

    void missingFileDoesNothing()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString missing = dir.filePath(u"Tavrin.hlp"_s);
        HelpManager manager;
        platform::BuiltInHtmlHelp builtIn;
        CallRecorder recorder(&builtIn);
        HtmlHelpInstallation installation(manager, recorder.entryPoint());
        manager.setHelpFile(missing);

        showHelpContents(manager);
        manager.showHelp(u"Start"_s);
        manager.showTopicHelp(u"Start"_s);
        manager.showContextHelp(3);
        manager.showContextHelp(3, dir.filePath(u"Anderes.hlp"_s));
        manager.setHelpFile(QString());
        showHelpContents(manager);
        QVERIFY(recorder.calls.empty());

        // Neither a missing nor an empty file opens a window.
        QCOMPARE(builtIn.HtmlHelpA(nullptr, missing, HH_DISPLAY_TOC, 0), nullptr);
        QFile empty(dir.filePath(u"Leer.hlp"_s));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        QCOMPARE(builtIn.HtmlHelpA(nullptr, empty.fileName(), HH_DISPLAY_TOC, 0), nullptr);
        QCOMPARE(builtIn.HtmlHelpA(nullptr, dir.path(), HH_DISPLAY_TOC, 0), nullptr);
        QVERIFY(builtIn.windows().empty());
    }

    // Only a compiled help file goes to the system's HTML Help (on Windows);
    // the HTML help the build ships shows in the built-in window there too.
    void compiledHelpFilesAreRecognised_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<bool>("compiled");
        QTest::newRow("compiled") << QByteArray("ITSF\x03\x01\x02\x03") << QString() << true;
        QTest::newRow("compiled, with a topic")
            << QByteArray("ITSF\x03\x01") << u" ::/Verkabelung.htm"_s << true;
        QTest::newRow("HTML") << QByteArray("<!DOCTYPE html><html></html>") << QString() << false;
        QTest::newRow("HTML, with a topic") << QByteArray("<html></html>") << u"::/Lauf"_s << false;
        QTest::newRow("too short") << QByteArray("ITS") << QString() << false;
        QTest::newRow("empty") << QByteArray() << QString() << false;
    }

    void compiledHelpFilesAreRecognised()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, suffix);
        QFETCH(bool, compiled);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile file(dir.filePath(u"Tavrin.hlp"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        QCOMPARE(platform::isCompiledHelpFile(file.fileName() + suffix), compiled);
        QVERIFY(!platform::isCompiledHelpFile(dir.filePath(u"Fehlt.hlp"_s)));
    }

    void shutdownClosesAllHelpWindows()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString second = dir.filePath(u"Halle.hlp"_s);
        QVERIFY(QFile::copy(testHelpFile(), second));

        HelpManager manager;
        platform::BuiltInHtmlHelp builtIn;
        CallRecorder recorder(&builtIn);
        std::vector<QPointer<platform::HelpWindow>> windows;
        {
            HtmlHelpInstallation installation(manager, recorder.entryPoint());
            manager.setHelpFile(testHelpFile());
            showHelpContents(manager);
            manager.setHelpFile(second);
            showHelpContents(manager);
            for (platform::HelpWindow *window : builtIn.windows())
                windows.emplace_back(window);
            QCOMPARE(windows.size(), size_t(2));
            recorder.calls.clear();
        }
        QCOMPARE(recorder.calls.size(), size_t(1));
        QCOMPARE(recorder.calls.front().command, HH_CLOSE_ALL);
        QVERIFY(builtIn.windows().empty());
        for (const auto &window : windows)
            QVERIFY(window.isNull());
        // The viewer has let go of the help system, the tester and selector too.
        QCOMPARE(manager.viewerCount(), 1);
        QCOMPARE(manager.winHelpTester(), nullptr);
        QCOMPARE(manager.helpSelector(), nullptr);
    }

    void helpFileBesideExecutable_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("helpFile");
        QTest::newRow("windows") << u"C:/Sport/Tavrin.exe"_s << u"C:/Sport/Tavrin.hlp"_s;
        QTest::newRow("linux") << u"/opt/tavrin/Tavrin"_s << u"/opt/tavrin/Tavrin.hlp"_s;
        QTest::newRow("dotted folder") << u"/opt/v1.2/Tavrin"_s << u"/opt/v1.2/Tavrin.hlp"_s;
        QTest::newRow("dotted name") << u"/x/Halle.neu.exe"_s << u"/x/Halle.neu.hlp"_s;
    }

    void helpFileBesideExecutable()
    {
        QFETCH(QString, executable);
        QFETCH(QString, helpFile);
        QCOMPARE(helpFilePath(executable), helpFile);
    }

    void operatorHelpHasEveryChapterAndWholeLinks()
    {
        platform::BuiltInHtmlHelp builtIn;
        const QString document = QStringLiteral(TAVRIN_HELP_DOCUMENT);
        auto *window = qobject_cast<platform::HelpWindow *>(
            builtIn.HtmlHelpA(nullptr, document, HH_DISPLAY_TOC, 0));
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), u"Tavrin – Hilfe"_s);

        // Context number n is chapter n.
        const QStringList chapters = {
            u"1. Was Tavrin macht"_s,
            u"2. Lichtschranken anschließen"_s,
            u"3. Port, Polarität und Strecke einstellen"_s,
            u"4. Start und Ziel scharf schalten (F11, F12)"_s,
            u"5. Ein Lauf Schritt für Schritt"_s,
            u"6. Die Sperrzeit"_s,
            u"7. Versuche, Mittelwerte und Streichresultat"_s,
            u"8. Startnummern und Namen"_s,
            u"9. Der zweite Monitor (TV)"_s,
            u"10. Protokoll speichern, öffnen und drucken"_s,
            u"11. Alle Tasten des Hauptfensters"_s,
            u"12. Wenn etwas nicht funktioniert"_s,
        };
        for (int n = 1; n <= chapters.size(); ++n) {
            builtIn.HtmlHelpA(nullptr, document, HH_HELP_CONTEXT, n);
            QCOMPARE(window->topLine(), chapters[n - 1]);
        }

        // Every contents entry is read whole, without scrolling sideways.
        auto *contents = window->findChild<QTreeWidget *>(u"contents"_s);
        QVERIFY(contents);
        const QFontMetrics metrics(contents->font());
        const int margins =
            2 *
            (contents->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, contents) + 1);
        for (QTreeWidgetItemIterator it(contents); *it; ++it) {
            const int right = contents->visualItemRect(*it).left() +
                              metrics.horizontalAdvance((*it)->text(0)) + margins;
            QVERIFY2(right <= contents->viewport()->width(), qPrintable((*it)->text(0)));
        }

        // Every link inside the document leads somewhere.
        QFile file(document);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        const QRegularExpression link(u"href=\"#([^\"]+)\""_s);
        int links = 0;
        for (const auto &match : link.globalMatch(html)) {
            QVERIFY2(window->showTopic(match.captured(1)), qPrintable(match.captured(1)));
            ++links;
        }
        QVERIFY(links >= 12);
        // Its pictures lie beside it.
        const QRegularExpression picture(u"<img src=\"([^\"]+)\""_s);
        for (const auto &match : picture.globalMatch(html))
            QVERIFY2(QFileInfo(QFileInfo(document).dir(), match.captured(1)).isFile(),
                     qPrintable(match.captured(1)));

        // The index is in German alphabetical order, whatever the locale.
        const auto *index = window->findChild<QListWidget *>(u"index"_s);
        QVERIFY(index);
        const auto rowOf = [index](const QString &text) {
            const QList<QListWidgetItem *> found = index->findItems(text, Qt::MatchExactly);
            return found.isEmpty() ? -1 : index->row(found.front());
        };
        QVERIFY(rowOf(u"Sperrzeit"_s) >= 0);
        for (const QString &entry : {u"F5"_s, u"F9"_s, u"START"_s, u"STOPP"_s, u"F11"_s})
            QVERIFY2(rowOf(entry) >= 0, qPrintable(entry));
        QVERIFY(rowOf(u"Algorithmus"_s) < rowOf(u"dialout"_s));
        QVERIFY(rowOf(u"dialout"_s) < rowOf(u"Drucken"_s));
        QVERIFY(rowOf(u"TV"_s) < rowOf(u"Überblick"_s));
        QVERIFY(rowOf(u"Überblick"_s) < rowOf(u"Verkabelung"_s));

        // The document template is named as the program looks for it.
        QVERIFY(html.contains(u"„Protokollvorlage.docx“"_s));
        QVERIFY(!html.contains(u"Protokollvorlage.doc“"_s));

        // Every key of the main window is explained.
        for (const QString &key :
             {u"F1"_s, u"Alt+I"_s, u"F2"_s, u"F3"_s, u"F5"_s, u"F7"_s, u"F8"_s, u"F9"_s, u"F11"_s,
              u"F12"_s, u"Strg+M"_s, u"Strg+T"_s, u"Strg+0"_s})
            QVERIFY2(html.contains(u"<b>"_s + key + u"</b>"_s), qPrintable(key));
    }
};

QTEST_MAIN(TestHtmlHelpViewer)
#include "tst_HtmlHelpViewer.moc"
