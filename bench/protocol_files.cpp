// Saves, loads and writes the web page of a protocol of 10,000 athletes with
// five attempts each, and exports to and imports from a workbook and exports
// to a document a protocol of 500 athletes; prints the median of several
// rounds of each.

#include "controls/SortGrid.h"
#include "protocol/HtmlReport.h"
#include "protocol/OfficeExchange.h"
#include "protocol/ProtocolTables.h"
#include "protocol/ProtocolText.h"
#include "timing/TimeFormat.h"

#include <QApplication>
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
constexpr int OfficeAthletes = 500;
constexpr int Rounds = 7;

ProtocolReport makeReport(int athletes)
{
    ProtocolReport report;
    report.title = u"Tavrin"_s;
    report.splitHeader = {u"5 m"_s, u"10 m"_s, u"15 m"_s, u"30 m"_s};
    report.protocol.reserve(athletes + 1);
    report.protocol.append({u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s});
    report.splits.reserve(athletes);
    for (int a = 1; a <= athletes; ++a) {
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

// The protocol tables of a main window holding the report.
void fillTables(TProtocolTables &tables, const ProtocolReport &report)
{
    const QList<ProtocolRow> rows = report.protocol.mid(1);
    QList<::SplitBlock> blocks;
    for (const protocol::SplitBlock &block : report.splits)
        blocks.append(block.rows);
    tables.replaceProtocol(rows, blocks);
}

} // namespace

int main(int argc, char *argv[])
{
    // The protocol tables are widgets, but nothing is shown.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString text = dir.filePath(u"protocol.txt"_s);
    const QString page = dir.filePath(u"protocol.html"_s);
    const ProtocolReport report = makeReport(Athletes);
    QTextStream out(stdout);

    bool ok = true;
    const double save =
        medianMs([&] { ok &= saveProtocolTextFile(text, report.protocol).isEmpty(); });
    qsizetype loaded = 0;
    const double load = medianMs([&] { loaded = loadProtocolTextFile(text).rows.size(); });
    const double html = medianMs([&] { ok &= saveHtmlReportFile(page, report).isEmpty(); });

    QWidget window;
    auto *tables = new TProtocolTables(&window);
    fillTables(*tables, makeReport(OfficeAthletes));
    const QString workbook = dir.filePath(u"protocol.xlsx"_s);
    const double excelExport = medianMs([&] { ExportToExcel(*tables, workbook, u"Tavrin"_s); });
    const double excelImport =
        medianMs([&] { ok &= ImportFromExcel(*tables, workbook).isEmpty(); });
    const int imported = tables->SortGrid1->rowCount() - 1;
    const double wordExport = medianMs([&] {
        ExportToWord(*tables, dir.filePath(u"protocol.docx"_s), dir.filePath(u"none"_s),
                     u"Tavrin"_s);
    });

    out << "protocol files, " << Athletes << " athletes, median of " << Rounds << " rounds\n"
        << "  save text:     " << save << " ms\n"
        << "  load text:     " << load << " ms (" << loaded << " rows)\n"
        << "  write web page: " << html << " ms\n"
        << "office files, " << OfficeAthletes << " athletes, five attempts\n"
        << "  workbook export: " << excelExport << " ms\n"
        << "  workbook import: " << excelImport << " ms (" << imported << " rows)\n"
        << "  document export: " << wordExport << " ms\n";
    return ok && loaded == Athletes && imported == OfficeAthletes ? 0 : 1;
}
