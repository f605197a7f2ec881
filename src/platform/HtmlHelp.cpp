#include "platform/HtmlHelp.h"

#include "platform/HelpWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QWidget>

#include <algorithm>

namespace platform {

namespace {

// "Tavrin.hlp ::/Verkabelung.htm#Pins" -> file "Tavrin.hlp", topic "Pins";
// "Tavrin.hlp::/Messlauf" -> topic "Messlauf".
struct TopicAddress
{
    QString file;
    QString topic;
};

TopicAddress splitTopic(const QString &address)
{
    const qsizetype separator = address.indexOf(QStringLiteral("::"));
    if (separator < 0)
        return {address.trimmed(), {}};
    QString topic = address.mid(separator + 2).trimmed();
    while (topic.startsWith(QLatin1Char('/')))
        topic.remove(0, 1);
    const qsizetype hash = topic.indexOf(QLatin1Char('#'));
    if (hash >= 0) {
        topic = topic.mid(hash + 1);
    } else {
        for (const QLatin1String extension : {QLatin1String(".html"), QLatin1String(".htm")}) {
            if (topic.endsWith(extension, Qt::CaseInsensitive)) {
                topic.chop(extension.size());
                break;
            }
        }
    }
    return {address.left(separator).trimmed(), topic};
}

} // namespace

bool isCompiledHelpFile(const QString &address)
{
    QFile file(splitTopic(address).file);
    // Every compiled HTML Help file begins with this signature.
    return file.open(QIODevice::ReadOnly) && file.read(4) == "ITSF";
}

BuiltInHtmlHelp::BuiltInHtmlHelp() = default;

BuiltInHtmlHelp::~BuiltInHtmlHelp() = default;

std::vector<HelpWindow *> BuiltInHtmlHelp::windows() const
{
    std::vector<HelpWindow *> result;
    for (const auto &window : m_windows)
        result.push_back(window.get());
    return result;
}

HelpWindow *BuiltInHtmlHelp::windowFor(const QString &file)
{
    const QString path = QFileInfo(file).absoluteFilePath();
    const auto known = std::find_if(m_windows.begin(), m_windows.end(),
                                    [&](const auto &window) { return window->file() == path; });
    if (known != m_windows.end())
        return known->get();
    auto window = std::make_unique<HelpWindow>();
    if (!window->load(path))
        return nullptr;
    m_windows.push_back(std::move(window));
    return m_windows.back().get();
}

void BuiltInHtmlHelp::closeAll()
{
    m_windows.clear();
}

QWidget *BuiltInHtmlHelp::HtmlHelpA(QWidget *caller, const QString &file, unsigned command,
                                    const QVariant &data)
{
    // The caller only matters to the system's help; these windows stand alone,
    // so closing the main window does not take an open help page with it.
    Q_UNUSED(caller)
    if (command == HH_CLOSE_ALL) {
        closeAll();
        return nullptr;
    }
    if (command != HH_DISPLAY_TOPIC && command != HH_DISPLAY_TOC && command != HH_DISPLAY_INDEX &&
        command != HH_HELP_CONTEXT)
        return nullptr;

    const TopicAddress address =
        command == HH_DISPLAY_TOPIC ? splitTopic(file) : TopicAddress{file.trimmed(), {}};
    HelpWindow *window = windowFor(address.file);
    if (!window)
        return nullptr;

    // Shown first: the page has its final width only then, and a jump needs it.
    window->show();
    window->raise();
    window->activateWindow();
    switch (command) {
    case HH_DISPLAY_TOPIC:
        if (address.topic.isEmpty() || !window->showTopic(address.topic))
            window->showContents();
        break;
    case HH_DISPLAY_INDEX:
        window->showKeyword(data.toString());
        break;
    case HH_HELP_CONTEXT:
        if (!window->showTopic(QString::number(data.toInt())))
            window->showContents();
        break;
    default:
        window->showContents();
        break;
    }
    return window;
}

} // namespace platform
