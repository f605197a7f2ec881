// Times the office layer on a protocol of 500 athletes with five attempts:
// building and saving the workbook, opening and reading it back, and writing
// the protocol document. Prints the median of several runs.
#include "platform/office/CellConversion.h"
#include "platform/office/DocumentServer.h"
#include "platform/office/SpreadsheetServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace platform::office;
using namespace Qt::StringLiterals;

namespace {

constexpr int kAthletes = 500;
constexpr int kRuns = 5;

QString time(int hundredths)
{
    return QStringLiteral("%1,%2")
        .arg(hundredths / 100)
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

QList<QStringList> splitBlock(int athlete)
{
    QList<QStringList> block;
    for (int row = 0; row < 6; ++row) {
        const int base = 100 + athlete % 50 + row * 7;
        block.append(
            {time(base), row == 3 ? u"-"_s : time(base * 2), time(base * 3), time(base * 6)});
    }
    return block;
}

QList<QStringList> protocolRows()
{
    QList<QStringList> rows{{u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s}};
    for (int a = 1; a <= kAthletes; ++a)
        rows.append(
            {QString::number(a), u"Athlet Nummer %1"_s.arg(a), time(600 + a % 50), QString()});
    return rows;
}

void exportWorkbook(const QString &fileName)
{
    SpreadsheetServer server;
    Workbook &book = server.workBooks().add();
    for (int r = kAthletes; r >= 1; --r) {
        if (r != kAthletes)
            server.workSheets().add();
        Worksheet &sheet = book.workSheets(1);
        sheet.setName(u"Athlet Nummer %1"_s.arg(r));
        Range range = sheet.range(sheet.cells(1, 1), sheet.cells(6, 4));
        range.setValue(splitBlock(r));
        range.borders().setLineStyle(xlContinuous);
        sheet.rows(1).font().setBold(true);
        sheet.rows(6).font().setStrikethrough(true);
        sheet.rows(1).borders().setWeight(3);
        range.setNumberFormat(u"0.00"_s);
        sheet.columns().autofit();
    }
    server.workSheets().add();
    Worksheet &protocol = book.workSheets(1);
    const QList<QStringList> rows = protocolRows();
    Range range = protocol.range(protocol.cells(1, 1), protocol.cells(int(rows.size()), 4));
    range.setValue(rows);
    range.borders().setLineStyle(xlContinuous);
    protocol.rows(1).font().setBold(true);
    protocol.columns(3).setNumberFormat(u"0.00"_s);
    protocol.setName(u"Startliste"_s);
    protocol.columns().autofit();
    book.saveAs(fileName);
}

void importWorkbook(const QString &fileName)
{
    SpreadsheetServer server;
    Workbook &book = server.workBooks().open(fileName);
    Worksheet &protocol = book.workSheets(1);
    const auto rows =
        protocol.range(protocol.cells(1, 1), protocol.cells(protocol.rows().count(), 4)).value();
    QStringList texts;
    for (int k = 1; k < rows.size(); ++k) {
        Worksheet &sheet = book.workSheets(k + 1);
        for (const QVariantList &row : sheet.range(sheet.cells(1, 1), sheet.cells(6, 4)).value()) {
            for (const QVariant &value : row)
                texts.append(cellText(value, u',', WholeNumbers::AsDecimal));
        }
    }
    if (texts.size() != kAthletes * 24)
        qFatal("read %lld cells", static_cast<long long>(texts.size()));
}

void exportDocument(const QString &fileName)
{
    QString text;
    for (const QStringList &row : protocolRows())
        text += row.join(u'\t') + u"\r\n"_s;
    DocumentServer server;
    server.fileNew();
    server.insert(text);
    server.lineUp(kAthletes + 1, true);
    server.textToTable(ConvertFrom::Tabs, 4);
    server.fileSaveAs(fileName);
}

double medianMs(const std::function<void()> &work)
{
    QList<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(kRuns / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString workbook = dir.filePath(u"protokoll.xlsx"_s);
    std::printf("%d athletes, five attempts, median of %d runs\n", kAthletes, kRuns);
    std::printf("workbook export: %8.1f ms\n", medianMs([&] { exportWorkbook(workbook); }));
    std::printf("workbook import: %8.1f ms\n", medianMs([&] { importWorkbook(workbook); }));
    std::printf("document export: %8.1f ms\n",
                medianMs([&] { exportDocument(dir.filePath(u"protokoll.docx"_s)); }));
    return 0;
}
