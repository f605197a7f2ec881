#include "help/HtmlHelpViewer.h"

#include <QFileInfo>
#include <QMessageBox>

THtmlHelpViewer::THtmlHelpViewer(HelpManager &manager, HtmlHelpFunction htmlHelp)
    : m_manager(&manager)
    , m_htmlHelp(std::move(htmlHelp))
{
}

QString THtmlHelpViewer::viewerName() const
{
    return QStringLiteral("HtmlHelp");
}

int THtmlHelpViewer::understandsKeyword(const QString &)
{
    return 1;
}

QStringList THtmlHelpViewer::helpStrings(const QString &keyword)
{
    return {keyword + QStringLiteral(": ") + viewerName()};
}

bool THtmlHelpViewer::canShowTableOfContents()
{
    return true;
}

void THtmlHelpViewer::showTableOfContents()
{
    call(helpFile({}), HH_DISPLAY_TOC, 0);
}

void THtmlHelpViewer::showHelp(const QString &keyword)
{
    call(helpFile({}), HH_DISPLAY_INDEX, keyword);
}

bool THtmlHelpViewer::understandsTopic(const QString &)
{
    return true;
}

void THtmlHelpViewer::displayTopic(const QString &topic)
{
    const QString file = helpFile({});
    if (!file.isEmpty())
        call(file + QStringLiteral(" ::/") + topic, HH_DISPLAY_TOPIC, 0);
}

bool THtmlHelpViewer::understandsContext(int, const QString &)
{
    return true;
}

void THtmlHelpViewer::displayHelpByContext(int contextId, const QString &helpFile)
{
    call(this->helpFile(helpFile), HH_HELP_CONTEXT, contextId);
}

bool THtmlHelpViewer::callWinHelp(QWidget *, const QString &, unsigned, quintptr)
{
    return false;
}

void THtmlHelpViewer::notifyId(int viewerId)
{
    m_viewerId = viewerId;
}

void THtmlHelpViewer::softShutDown()
{
    if (m_htmlHelp)
        m_htmlHelp(nullptr, QString(), HH_CLOSE_ALL, 0);
}

void THtmlHelpViewer::shutDown()
{
    softShutDown();
    if (m_manager) {
        m_manager->unregisterViewer(this);
        m_manager = nullptr;
    }
}

QString THtmlHelpViewer::helpFile(const QString &requested) const
{
    if (!m_manager)
        return {};
    const QString file = requested.isEmpty() ? m_manager->currentHelpFile() : requested;
    return !file.isEmpty() && QFileInfo(file).isFile() ? file : QString();
}

void THtmlHelpViewer::call(const QString &file, unsigned command, const QVariant &data) const
{
    if (!file.isEmpty() && m_htmlHelp)
        m_htmlHelp(m_manager->handle(), file, command, data);
}

int THtmlHelpSelector::selectKeyword(const QStringList &keywords)
{
    return static_cast<int>(keywords.size()) - 1;
}

int THtmlHelpSelector::tableOfContents(const QStringList &contents)
{
    return static_cast<int>(contents.size()) - 1;
}

bool THtmlHelpTester::canShowALink(const QString &, const QString &)
{
    return false;
}

bool THtmlHelpTester::canShowTopic(const QString &, const QString &)
{
    return false;
}

bool THtmlHelpTester::canShowContext(int, const QString &)
{
    return false;
}

QStringList THtmlHelpTester::helpStrings(const QString &)
{
    return {};
}

std::unique_ptr<HtmlHelpInstallation> HtmlHelpInstallation::install(HelpManager &manager)
{
    std::unique_ptr<HtmlHelpLibrary> library = HtmlHelpLibrary::load();
    if (!library) {
        QMessageBox::warning(nullptr, QString::fromUtf16(HtmlHelpMissingCaption),
                             QString::fromUtf16(HtmlHelpMissingText));
        return nullptr;
    }
    HtmlHelpLibrary *entry = library.get();
    auto installation = std::make_unique<HtmlHelpInstallation>(
        manager, [entry](QWidget *caller, const QString &file, unsigned command,
                         const QVariant &data) { entry->HtmlHelpA(caller, file, command, data); });
    installation->m_library = std::move(library);
    return installation;
}

HtmlHelpInstallation::HtmlHelpInstallation(HelpManager &manager, HtmlHelpFunction htmlHelp)
    : m_manager(manager)
    , m_viewer(manager, std::move(htmlHelp))
{
    m_manager.registerViewer(&m_viewer);
    m_manager.setWinHelpTester(&m_tester);
    m_manager.setHelpSelector(&m_selector);
}

HtmlHelpInstallation::~HtmlHelpInstallation()
{
    m_viewer.shutDown();
    if (m_manager.winHelpTester() == &m_tester)
        m_manager.setWinHelpTester(nullptr);
    if (m_manager.helpSelector() == &m_selector)
        m_manager.setHelpSelector(nullptr);
}
