#include "help/HelpManager.h"

#include <QFileInfo>

#include <algorithm>
#include <iterator>

namespace {

// The toolkit's own viewer of WinHelp files. This platform has no WinHelp
// program, so it claims what the WinHelp test lets it claim and shows nothing;
// with another viewer registered the requests go there.
class WinHelpViewer final : public HelpViewer
{
public:
    explicit WinHelpViewer(const HelpManager &manager)
        : m_manager(manager)
    {
    }

    QString viewerName() const override { return QStringLiteral("WinHelp"); }
    int understandsKeyword(const QString &keyword) override
    {
        WinHelpTester *tester = m_manager.winHelpTester();
        return !tester || tester->canShowALink(keyword, m_manager.currentHelpFile()) ? 1 : 0;
    }
    QStringList helpStrings(const QString &keyword) override
    {
        if (WinHelpTester *tester = m_manager.winHelpTester())
            return tester->helpStrings(keyword);
        return {keyword};
    }
    bool canShowTableOfContents() override { return true; }
    void showTableOfContents() override {}
    void showHelp(const QString &) override {}
    bool understandsTopic(const QString &topic) override
    {
        WinHelpTester *tester = m_manager.winHelpTester();
        return !tester || tester->canShowTopic(topic, m_manager.currentHelpFile());
    }
    void displayTopic(const QString &) override {}
    bool understandsContext(int contextId, const QString &helpFile) override
    {
        WinHelpTester *tester = m_manager.winHelpTester();
        return !tester || tester->canShowContext(contextId, helpFile);
    }
    void displayHelpByContext(int, const QString &) override {}
    bool callWinHelp(QWidget *, const QString &, unsigned, quintptr) override { return false; }
    void notifyId(int) override {}
    void softShutDown() override {}
    void shutDown() override {}

private:
    const HelpManager &m_manager;
};

// Sets the file a request names for as long as the request runs.
class RequestFile
{
public:
    RequestFile(QString &slot, const QString &file)
        : m_slot(slot)
    {
        m_slot = file;
    }
    ~RequestFile() { m_slot.clear(); }
    RequestFile(const RequestFile &) = delete;
    RequestFile &operator=(const RequestFile &) = delete;

private:
    QString &m_slot;
};

} // namespace

HelpManager::HelpManager()
    : m_winHelp(std::make_unique<WinHelpViewer>(*this))
{
    registerViewer(m_winHelp.get());
}

HelpManager::~HelpManager() = default;

int HelpManager::registerViewer(HelpViewer *viewer)
{
    m_viewers.push_back(viewer);
    viewer->notifyId(++m_lastId);
    return m_lastId;
}

void HelpManager::unregisterViewer(HelpViewer *viewer)
{
    std::erase(m_viewers, viewer);
}

QString HelpManager::currentHelpFile() const
{
    return m_requestFile.isEmpty() ? m_helpFile : m_requestFile;
}

HelpViewer *HelpManager::choose(const std::vector<HelpViewer *> &candidates,
                                const QStringList &lines, bool keyword) const
{
    if (candidates.empty())
        return nullptr;
    if (candidates.size() == 1 || !m_selector)
        return candidates.front();
    const int index =
        keyword ? m_selector->selectKeyword(lines) : m_selector->tableOfContents(lines);
    // A selector answering outside the list chooses nothing.
    if (index < 0 || index >= static_cast<int>(candidates.size()))
        return nullptr;
    return candidates[static_cast<size_t>(index)];
}

std::vector<HelpViewer *>
HelpManager::viewersThat(const std::function<bool(HelpViewer *)> &claims) const
{
    // From a copy, because a viewer may unregister while it is asked.
    const auto viewers = m_viewers;
    std::vector<HelpViewer *> result;
    std::copy_if(viewers.begin(), viewers.end(), std::back_inserter(result), claims);
    return result;
}

QStringList HelpManager::viewerNames(const std::vector<HelpViewer *> &viewers)
{
    QStringList names;
    for (const HelpViewer *viewer : viewers)
        names << viewer->viewerName();
    return names;
}

void HelpManager::showTableOfContents()
{
    const auto candidates =
        viewersThat([](HelpViewer *viewer) { return viewer->canShowTableOfContents(); });
    if (HelpViewer *viewer = choose(candidates, viewerNames(candidates), false))
        viewer->showTableOfContents();
}

void HelpManager::showHelp(const QString &keyword)
{
    std::vector<HelpViewer *> candidates;
    QStringList lines;
    const auto claiming =
        viewersThat([&](HelpViewer *viewer) { return viewer->understandsKeyword(keyword) > 0; });
    for (HelpViewer *viewer : claiming) {
        // Each line stands for its viewer, so a chosen line leads back to it.
        const QStringList strings = viewer->helpStrings(keyword);
        for (const QString &line : strings.isEmpty() ? QStringList{keyword} : strings) {
            candidates.push_back(viewer);
            lines << line;
        }
    }
    if (HelpViewer *viewer = choose(candidates, lines, true))
        viewer->showHelp(keyword);
}

void HelpManager::showTopicHelp(const QString &topic)
{
    const auto candidates =
        viewersThat([&](HelpViewer *viewer) { return viewer->understandsTopic(topic); });
    if (HelpViewer *viewer = choose(candidates, viewerNames(candidates), true))
        viewer->displayTopic(topic);
}

void HelpManager::showContextHelp(int contextId, const QString &helpFile)
{
    const RequestFile request(m_requestFile, helpFile);
    const QString file = currentHelpFile();
    // The first viewer that knows the number shows it; a context number names
    // one place, so there is nothing to choose.
    const auto candidates = viewersThat(
        [&](HelpViewer *viewer) { return viewer->understandsContext(contextId, file); });
    if (!candidates.empty())
        candidates.front()->displayHelpByContext(contextId, file);
}

bool HelpManager::helpCommand(unsigned command, quintptr data)
{
    switch (command) {
    case HELP_CONTENTS:
        showTableOfContents();
        return true;
    case HELP_CONTEXT:
        showContextHelp(static_cast<int>(data));
        return true;
    default:
        break;
    }
    // The first viewer that takes the command ends it.
    const auto viewers = m_viewers;
    return std::any_of(viewers.begin(), viewers.end(), [&](HelpViewer *viewer) {
        return viewer->callWinHelp(m_handle, currentHelpFile(), command, data);
    });
}

void HelpManager::softShutDown()
{
    const auto viewers = m_viewers;
    for (HelpViewer *viewer : viewers)
        viewer->softShutDown();
}

HelpManager &helpSystem()
{
    static HelpManager manager;
    return manager;
}

QString helpFilePath(const QString &executablePath)
{
    const QFileInfo info(executablePath);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".hlp");
}

void showHelpContents(HelpManager &manager)
{
    manager.helpCommand(HELP_CONTENTS, 0);
}
