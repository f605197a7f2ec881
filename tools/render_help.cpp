// Renders the built-in help window offscreen to a PNG:
//   QT_QPA_PLATFORM=offscreen render_help --file build/Tavrin.hlp --out help.png
// With --topic, --keyword or --context it shows that place instead of the contents.

#include "platform/HelpWindow.h"
#include "platform/HtmlHelp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the help window to a PNG file."));
    parser.addHelpOption();
    const QCommandLineOption fileOption(QStringLiteral("file"), QStringLiteral("Help file."),
                                        QStringLiteral("path"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("PNG file to write."),
                                       QStringLiteral("path"), QStringLiteral("help.png"));
    const QCommandLineOption topicOption(QStringLiteral("topic"), QStringLiteral("Topic to show."),
                                         QStringLiteral("name"));
    const QCommandLineOption keywordOption(
        QStringLiteral("keyword"), QStringLiteral("Keyword to look up."), QStringLiteral("word"));
    const QCommandLineOption contextOption(QStringLiteral("context"),
                                           QStringLiteral("Context number to show."),
                                           QStringLiteral("number"));
    const QCommandLineOption sizeOption(QStringLiteral("size"), QStringLiteral("Window size."),
                                        QStringLiteral("WxH"), QStringLiteral("970x660"));
    parser.addOptions(
        {fileOption, outOption, topicOption, keywordOption, contextOption, sizeOption});
    parser.process(app);

    QTextStream err(stderr);
    const QString file = parser.value(fileOption);
    platform::BuiltInHtmlHelp help;
    const auto showRequested = [&]() -> QWidget * {
        if (parser.isSet(topicOption))
            return help.HtmlHelpA(nullptr, file + QStringLiteral("::/") + parser.value(topicOption),
                                  platform::HH_DISPLAY_TOPIC, 0);
        if (parser.isSet(keywordOption))
            return help.HtmlHelpA(nullptr, file, platform::HH_DISPLAY_INDEX,
                                  parser.value(keywordOption));
        if (parser.isSet(contextOption))
            return help.HtmlHelpA(nullptr, file, platform::HH_HELP_CONTEXT,
                                  parser.value(contextOption).toInt());
        return help.HtmlHelpA(nullptr, file, platform::HH_DISPLAY_TOC, 0);
    };
    QWidget *window = showRequested();
    if (!window) {
        err << "cannot show " << file << Qt::endl;
        return 1;
    }
    const QStringList size = parser.value(sizeOption).split(QLatin1Char('x'));
    if (size.size() == 2)
        window->resize(size[0].toInt(), size[1].toInt());
    QApplication::processEvents();
    // The resize re-wraps the page: show the place again at the final size.
    showRequested();
    if (!window->grab().save(parser.value(outOption))) {
        err << "cannot write " << parser.value(outOption) << Qt::endl;
        return 1;
    }
    return 0;
}
