#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

// The program's help system: viewers register here, and every help request
// (contents, keyword, topic, context) for the current help file goes to the
// viewer that understands it. Qt has no such service, so this is the least of
// one that the help viewers need.

// WinHelp commands the help system understands on its own.
inline constexpr unsigned HELP_CONTEXT = 0x0001;
inline constexpr unsigned HELP_CONTENTS = 0x0003;

// A viewer of one kind of help file.
class HelpViewer
{
public:
    virtual ~HelpViewer() = default;

    virtual QString viewerName() const = 0;
    // The number of matches the viewer has for the keyword (0: none).
    virtual int understandsKeyword(const QString &keyword) = 0;
    // One line per match, for choosing among viewers.
    virtual QStringList helpStrings(const QString &keyword) = 0;
    virtual bool canShowTableOfContents() = 0;
    virtual void showTableOfContents() = 0;
    virtual void showHelp(const QString &keyword) = 0;
    virtual bool understandsTopic(const QString &topic) = 0;
    virtual void displayTopic(const QString &topic) = 0;
    virtual bool understandsContext(int contextId, const QString &helpFile) = 0;
    virtual void displayHelpByContext(int contextId, const QString &helpFile) = 0;
    // A raw WinHelp command; true when the viewer handled it.
    virtual bool callWinHelp(QWidget *handle, const QString &helpFile, unsigned command,
                             quintptr data) = 0;
    // The identifier the help system gave the viewer when it registered.
    virtual void notifyId(int viewerId) = 0;
    // Close the viewer's windows but stay registered.
    virtual void softShutDown() = 0;
    // Close the windows and let go of the help system.
    virtual void shutDown() = 0;
};

// Chooses one of several matches; answers an index into the list.
class HelpSelector
{
public:
    virtual ~HelpSelector() = default;
    virtual int selectKeyword(const QStringList &keywords) = 0;
    virtual int tableOfContents(const QStringList &contents) = 0;
};

// Decides what the WinHelp viewer may claim.
class WinHelpTester
{
public:
    virtual ~WinHelpTester() = default;
    virtual bool canShowALink(const QString &alink, const QString &helpFile) = 0;
    virtual bool canShowTopic(const QString &topic, const QString &helpFile) = 0;
    virtual bool canShowContext(int contextId, const QString &helpFile) = 0;
    virtual QStringList helpStrings(const QString &alink) = 0;
};

class HelpManager
{
public:
    // The WinHelp viewer is registered from the start.
    HelpManager();
    ~HelpManager();
    HelpManager(const HelpManager &) = delete;
    HelpManager &operator=(const HelpManager &) = delete;

    // Not owned; a viewer unregisters before it goes.
    int registerViewer(HelpViewer *viewer);
    void unregisterViewer(HelpViewer *viewer);
    int viewerCount() const { return static_cast<int>(m_viewers.size()); }

    void setHelpSelector(HelpSelector *selector) { m_selector = selector; }
    HelpSelector *helpSelector() const { return m_selector; }
    void setWinHelpTester(WinHelpTester *tester) { m_tester = tester; }
    WinHelpTester *winHelpTester() const { return m_tester; }

    // The application's help file.
    void setHelpFile(const QString &helpFile) { m_helpFile = helpFile; }
    QString helpFile() const { return m_helpFile; }
    // The file of the request in progress, else the application's.
    QString currentHelpFile() const;

    // The window help windows belong to (the main window).
    void setHandle(QWidget *handle) { m_handle = handle; }
    QWidget *handle() const { return m_handle; }

    void showTableOfContents();
    void showHelp(const QString &keyword);
    void showTopicHelp(const QString &topic);
    void showContextHelp(int contextId, const QString &helpFile = {});
    // HELP_CONTENTS and HELP_CONTEXT are answered here; any other command is
    // offered raw to the viewers. True when something took it.
    bool helpCommand(unsigned command, quintptr data);

    // Every viewer closes its windows.
    void softShutDown();

private:
    std::vector<HelpViewer *> viewersThat(const std::function<bool(HelpViewer *)> &claims) const;
    static QStringList viewerNames(const std::vector<HelpViewer *> &viewers);
    HelpViewer *choose(const std::vector<HelpViewer *> &candidates, const QStringList &lines,
                       bool keyword) const;

    std::unique_ptr<HelpViewer> m_winHelp;
    std::vector<HelpViewer *> m_viewers;
    int m_lastId = 0;
    HelpSelector *m_selector = nullptr;
    WinHelpTester *m_tester = nullptr;
    QString m_helpFile;
    QString m_requestFile;
    QPointer<QWidget> m_handle;
};

// The program-wide help system, as the main window and the help viewer's
// start-up reach it. Tests make HelpManager objects of their own.
HelpManager &helpSystem();

// The help file that belongs to an executable: its path with the extension
// ".hlp" in place of its own ("C:/Sport/Tavrin.exe" -> "C:/Sport/Tavrin.hlp",
// "/opt/tavrin/Tavrin" -> "/opt/tavrin/Tavrin.hlp").
QString helpFilePath(const QString &executablePath);

// F1: the contents of the application's help file.
void showHelpContents(HelpManager &manager = helpSystem());
