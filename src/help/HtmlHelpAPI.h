#pragma once

#include "platform/HtmlHelp.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

class QWidget;

using platform::HH_CLOSE_ALL;
using platform::HH_DISPLAY_INDEX;
using platform::HH_DISPLAY_TOC;
using platform::HH_DISPLAY_TOPIC;
using platform::HH_HELP_CONTEXT;

// The HTML Help entry point as the viewer calls it: the caller's window, the
// help file (for HH_DISPLAY_TOPIC with the topic appended), the command and
// its data (0, a keyword as text, or a context number).
using HtmlHelpFunction = std::function<void(QWidget *caller, const QString &file, unsigned command,
                                            const QVariant &data)>;

// The system's HTML Help: on Windows the library "HHCTRL.OCX" and its entry
// point HtmlHelpA for compiled help files, our built-in help windows for HTML
// help files; elsewhere our built-in help windows for all.
class HtmlHelpLibrary
{
public:
    // nullptr when the library or its entry point is missing.
    static std::unique_ptr<HtmlHelpLibrary> load();
    // Unloads the library.
    ~HtmlHelpLibrary();
    HtmlHelpLibrary(const HtmlHelpLibrary &) = delete;
    HtmlHelpLibrary &operator=(const HtmlHelpLibrary &) = delete;

    void HtmlHelpA(QWidget *caller, const QString &file, unsigned command, const QVariant &data);

private:
    HtmlHelpLibrary();

    struct Loaded;
    std::unique_ptr<Loaded> m_loaded;
};

// What the operator is told when the system has no HTML Help.
inline constexpr char16_t HtmlHelpMissingCaption[] = u"Warning!";
inline constexpr char16_t HtmlHelpMissingText[] =
    u"Unable to view HTML help (*.chm). Update windows help system. Get new \"HHCTRL.OCX\" "
    u"library.";
