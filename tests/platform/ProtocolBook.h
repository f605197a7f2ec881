#pragma once

#include "platform/office/SpreadsheetServer.h"

#include <QStringList>

// Three athletes as the exporter lays them out: added from the last to the
// first, each new sheet in front, then the protocol sheet in front of all.
inline void fillProtocolBook(platform::office::SpreadsheetServer &server)
{
    using namespace platform::office;
    using namespace Qt::StringLiterals;
    Workbook &book = server.workBooks().add();
    const QStringList names{u"Anna Berg"_s, u"Ben"_s, u"Cleo"_s};
    for (qsizetype r = names.size(); r >= 1; --r) {
        if (r != names.size())
            server.workSheets().add();
        Worksheet &sheet = book.workSheets(1);
        sheet.setName(names.at(r - 1));
        Range range = sheet.range(sheet.cells(1, 1), sheet.cells(6, 4));
        range.setValue({{u"1,05"_s, u"2,10"_s, u"3,01"_s, u"10,50"_s},
                        {u"1,05"_s, u"-"_s, u"3,01"_s, u"10,00"_s},
                        {u"1,06"_s, u"2,11"_s, u"3,02"_s, u"12,00"_s},
                        {u""_s, u""_s, u""_s, u""_s},
                        {u""_s, u""_s, u""_s, u""_s},
                        {u""_s, u""_s, u""_s, u""_s}});
        range.borders().setLineStyle(xlContinuous);
        sheet.rows(1).font().setBold(true);
        if (r == 2)
            sheet.rows(3).font().setStrikethrough(true);
        sheet.rows(1).borders().setWeight(3);
        range.setNumberFormat(u"0.00"_s);
        sheet.columns().autofit();
    }
    server.workSheets().add();
    Worksheet &protocol = book.workSheets(1);
    Range range = protocol.range(protocol.cells(1, 1), protocol.cells(4, 4));
    range.setValue({{u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s},
                    {u"7"_s, u"Anna Berg"_s, u"10,50"_s, u""_s},
                    {u"07"_s, u"Ben"_s, u"1.02,34"_s, u"2"_s},
                    {u"12"_s, u"Cleo"_s, u"0,00"_s, u""_s}});
    range.borders().setLineStyle(xlContinuous);
    protocol.rows(1).font().setBold(true);
    protocol.rows(1).borders().setWeight(3);
    protocol.columns(3).setNumberFormat(u"0.00"_s);
    book.setAuthor(u"Korvel Software"_s);
    book.setSubject(u"Tavrin"_s);
    protocol.setName(u"Startliste"_s);
    protocol.columns().autofit();
}
