#pragma once

#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

class QWidget;

namespace platform {

class HelpWindow;

// Commands of the HTML Help entry point.
inline constexpr unsigned HH_DISPLAY_TOPIC = 0;
inline constexpr unsigned HH_DISPLAY_TOC = 1;
inline constexpr unsigned HH_DISPLAY_INDEX = 2;
inline constexpr unsigned HH_HELP_CONTEXT = 15;
inline constexpr unsigned HH_CLOSE_ALL = 18;

// Whether the help file an address names (for HH_DISPLAY_TOPIC followed by
// "::/" and the topic) is a compiled HTML Help file, the only kind the
// system's HTML Help reads; the build ships a plain HTML one.
bool isCompiledHelpFile(const QString &address);

// Our own HTML Help for HTML help files, and for systems without HHCTRL.OCX:
// one help window per help file, kept (hidden when the user closes it) until
// HH_CLOSE_ALL.
class BuiltInHtmlHelp
{
public:
    BuiltInHtmlHelp();
    ~BuiltInHtmlHelp();
    BuiltInHtmlHelp(const BuiltInHtmlHelp &) = delete;
    BuiltInHtmlHelp &operator=(const BuiltInHtmlHelp &) = delete;

    // As the system's HtmlHelpA: file is the help file, for HH_DISPLAY_TOPIC
    // followed by "::/" and the topic; data is 0, the keyword (text) or the
    // context number. Answers the help window, or nullptr when nothing is
    // shown (unknown command, unreadable file, HH_CLOSE_ALL).
    QWidget *HtmlHelpA(QWidget *caller, const QString &file, unsigned command,
                       const QVariant &data);

    std::vector<HelpWindow *> windows() const;

private:
    HelpWindow *windowFor(const QString &file);
    void closeAll();

    std::vector<std::unique_ptr<HelpWindow>> m_windows;
};

} // namespace platform
