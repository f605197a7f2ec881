#pragma once

#include "help/HelpManager.h"
#include "help/HtmlHelpAPI.h"

#include <memory>

// Shows help files through HTML Help. Every request uses the help file it
// names, else the help system's current one, and does nothing when that file
// does not exist.
class THtmlHelpViewer final : public HelpViewer
{
public:
    THtmlHelpViewer(HelpManager &manager, HtmlHelpFunction htmlHelp);

    QString viewerName() const override;
    int understandsKeyword(const QString &keyword) override;
    QStringList helpStrings(const QString &keyword) override;
    bool canShowTableOfContents() override;
    void showTableOfContents() override;
    void showHelp(const QString &keyword) override;
    bool understandsTopic(const QString &topic) override;
    void displayTopic(const QString &topic) override;
    bool understandsContext(int contextId, const QString &helpFile) override;
    void displayHelpByContext(int contextId, const QString &helpFile) override;
    bool callWinHelp(QWidget *handle, const QString &helpFile, unsigned command,
                     quintptr data) override;
    void notifyId(int viewerId) override;
    void softShutDown() override;
    void shutDown() override;

    int viewerId() const { return m_viewerId; }

private:
    // The existing file a request is about, or empty.
    QString helpFile(const QString &requested) const;
    void call(const QString &file, unsigned command, const QVariant &data) const;

    HelpManager *m_manager;
    HtmlHelpFunction m_htmlHelp;
    int m_viewerId = 0;
};

// Of several matches, always the last: the HTML help viewer registers after
// the WinHelp viewer, so its line comes last.
class THtmlHelpSelector final : public HelpSelector
{
public:
    int selectKeyword(const QStringList &keywords) override;
    int tableOfContents(const QStringList &contents) override;
};

// Keeps the WinHelp viewer from claiming A-links, topics and contexts, so
// those go to the HTML help viewer.
class THtmlHelpTester final : public WinHelpTester
{
public:
    bool canShowALink(const QString &alink, const QString &helpFile) override;
    bool canShowTopic(const QString &topic, const QString &helpFile) override;
    bool canShowContext(int contextId, const QString &helpFile) override;
    QStringList helpStrings(const QString &alink) override;
};

// The HTML help viewer's place in the help system, from the program's start
// (before the main window) to its end: registers the viewer and installs the
// selector and the tester; on destruction closes every help window and takes
// them out again.
class HtmlHelpInstallation
{
public:
    // Loads the system's HTML Help. Without it, tells the operator and answers
    // nullptr: help then stays with the WinHelp viewer.
    static std::unique_ptr<HtmlHelpInstallation> install(HelpManager &manager = helpSystem());

    // With any entry point (the start-up passes the library's; tests their own).
    HtmlHelpInstallation(HelpManager &manager, HtmlHelpFunction htmlHelp);
    ~HtmlHelpInstallation();
    HtmlHelpInstallation(const HtmlHelpInstallation &) = delete;
    HtmlHelpInstallation &operator=(const HtmlHelpInstallation &) = delete;

    THtmlHelpViewer &viewer() { return m_viewer; }

private:
    // First, so it is unloaded after the viewer has closed its windows.
    std::unique_ptr<HtmlHelpLibrary> m_library;
    HelpManager &m_manager;
    THtmlHelpViewer m_viewer;
    THtmlHelpSelector m_selector;
    THtmlHelpTester m_tester;
};
