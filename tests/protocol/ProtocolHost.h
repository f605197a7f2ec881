#pragma once

#include "controls/SortGrid.h"
#include "protocol/ProtocolTables.h"

#include <QTabWidget>
#include <QToolButton>
#include <QWidget>

#include <array>

// The protocol tables in a host window as the main window will hold them,
// with the protocol bar's buttons.
struct ProtocolHost
{
    using Captures = std::array<qint64, 4>;

    ProtocolHost()
    {
        window.resize(700, 300);
        tables = new TProtocolTables(&window);
        tables->SortGrid1->setGeometry(0, 0, 400, 300);
        tables->TabControl1->setGeometry(410, 0, 272, 220);
        for (const char *name :
             {"sbSave", "sbLoad", "sbExcel", "sbInet", "sbPrint", "sbCLS", "sbWord"}) {
            auto *button = new QToolButton(&window);
            button->setObjectName(QLatin1String(name));
            buttons.append(button);
        }
        tables->setProtocolButtons(buttons);
        tables->FillSplitHeader(5, 10, 15, 30);
    }

    // One run the way the engine drives it: start, then stop with the times.
    void run(const QString &startNumber, qint32 finalTime, Captures captures = {})
    {
        captures[3] = finalTime;
        tables->setTablesEnabled(false);
        tables->OpenProtocolRow(startNumber);
        tables->StoreRunSplits(finalTime, captures);
    }

    QString nr(int row) const { return tables->SortGrid1->cells(0, row); }
    QString zeit(int row) const { return tables->SortGrid1->cells(2, row); }
    QStringList split(int row) const { return tables->SortGridRes->rows(row); }
    int dataRows() const { return tables->SortGrid1->rowCount() - 1; }
    void select(int row) const
    {
        bool canSelect = true;
        tables->SortGrid1SelectCell(tables->SortGrid1, 3, row, canSelect);
    }
    QWidget *button(const char *name) const
    {
        return window.findChild<QWidget *>(QLatin1String(name));
    }
    // The protocol grid, header row first.
    QList<QStringList> protocol() const
    {
        QList<QStringList> rows;
        for (int row = 0; row < tables->SortGrid1->rowCount(); ++row)
            rows.append(tables->SortGrid1->rows(row));
        return rows;
    }
    // The split store's block of every data row.
    QList<SplitBlock> blocks() const
    {
        QList<SplitBlock> blocks;
        for (int row = 1; row <= dataRows(); ++row)
            blocks.append(tables->splitBlock(row));
        return blocks;
    }

    QWidget window;
    TProtocolTables *tables = nullptr;
    QList<QWidget *> buttons;
};
