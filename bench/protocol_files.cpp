// Saves, loads and writes the web page of a protocol of 10,000 athletes with
// five attempts each; prints the median of several rounds of each.

#include "protocol/HtmlReport.h"
#include "protocol/ProtocolText.h"
#include "timing/TimeFormat.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;
using namespace protocol;

namespace {

constexpr int Athletes = 10000;
constexpr int Rounds = 7;

ProtocolReport makeReport()
{
    ProtocolReport report;
    report.title = u"Tavrin"_s;
    report.splitHeader = {u"5 m"_s, u"10 m"_s, u"15 m"_s, u"30 m"_s};
    report.protocol.reserve(Athletes + 1);
    report.protocol.append({u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s});
    report.splits.reserve(Athletes);
    for (int a = 1; a <= Athletes; ++a) {
        protocol::SplitBlock block;
        for (int k = 1; k < SplitBlockRows; ++k) {
            const qint32 base = 4000 + (a * 37 + k * 101) % 3000;
            block.rows[k] = {FormatTime(base / 4), FormatTime(base / 2), FormatTime(base * 3 / 4),
                             FormatTime(base)};
        }
        block.rows[0] = block.rows[1];
        report.protocol.append(
            {QString::number(a), u"Läuferin Nummer %1"_s.arg(a), block.rows[0][3], u""_s});
        report.splits.append(block);
    }
    return report;
}

double medianMs(const std::function<void()> &step)
{
    std::vector<double> times;
    for (int i = 0; i < Rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString text = dir.filePath(u"protocol.txt"_s);
    const QString page = dir.filePath(u"protocol.html"_s);
    const ProtocolReport report = makeReport();
    QTextStream out(stdout);

    bool ok = true;
    const double save =
        medianMs([&] { ok &= saveProtocolTextFile(text, report.protocol).isEmpty(); });
    qsizetype loaded = 0;
    const double load = medianMs([&] { loaded = loadProtocolTextFile(text).rows.size(); });
    const double html = medianMs([&] { ok &= saveHtmlReportFile(page, report).isEmpty(); });

    out << "protocol files, " << Athletes << " athletes, median of " << Rounds << " rounds\n"
        << "  save text:     " << save << " ms\n"
        << "  load text:     " << load << " ms (" << loaded << " rows)\n"
        << "  write web page: " << html << " ms\n";
    return ok && loaded == Athletes ? 0 : 1;
}
