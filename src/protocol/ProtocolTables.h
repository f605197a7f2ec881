#pragma once

#include "controls/GridTypes.h"
#include "protocol/ProtocolData.h"
#include "protocol/SplitSummary.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <array>
#include <functional>

class QAction;
class QMenu;
class QPainter;
class QTabWidget;
class TMyStringGrid;
class TSortGrid;
struct TFormatOptions;

// The results protocol and its split tables: the protocol grid (one row per
// athlete), the hidden split store (six rows per protocol row) and the split
// grid under its one-tab title, which shows the selected athlete's attempts.
// The controls are children of the widget given; the main window places them
// and forwards its commands and the run engine's calls to the operations below.
class TProtocolTables : public QObject
{
    Q_OBJECT

public:
    explicit TProtocolTables(QWidget *parent);

    // Distances of the three intermediate barriers and the finish, metres.
    void FillSplitHeader(int Length2, int Length3, int Length4, int Length);

    // Run start: finds or appends the row of the start number and selects it.
    void OpenProtocolRow(const QString &startNumber);
    // The current start number changed: shows its row when there is one; the
    // row already shown keeps the attempt row picked in the split grid.
    void StartNumberChanged(const QString &startNumber);
    // Run end: writes the attempt into the split grid's selected row and keeps
    // it in the athlete's block. Slots: first, second, third intermediate and
    // finish time since the start, 0 for none.
    void StoreRunSplits(qint32 finalTime, const std::array<qint64, 4> &captures);
    // Both grids are disabled while a run is timed.
    void setTablesEnabled(bool enabled);
    bool tablesEnabled() const { return m_tablesEnabled; }

    void SortGrid1SelectCell(QObject *Sender, int ACol, int ARow, bool &CanSelect);
    void SortGrid1GetCellFormat(QObject *Sender, int Col, int Row, TGridDrawState State,
                                TFormatOptions &FormatOptions, bool &CheckBox, bool &Combobox,
                                bool &Ellipsis);
    void SortGridResDrawCell(QObject *Sender, QPainter &Canvas, int ACol, int ARow,
                             const QRect &Rect, TGridDrawState State);

    // The protocol bar's buttons, told apart by object name: "sbLoad" stays
    // enabled, every other one follows protocolButtonsEnabled().
    void setProtocolButtons(const QList<QWidget *> &buttons);
    bool protocolButtonsEnabled() const;
    void UpdateProtocolButtons();

    // Removes the selected protocol row with its split block.
    void Erase1Click();
    // Clears the whole protocol once the confirmation says yes.
    void sbCLSClick();
    // Asks a yes/no question; true for yes. Without one nothing is cleared.
    void setConfirmation(std::function<bool(const QString &question)> ask);

    void RecalcSplitSummary();
    // Removes the split grid's selected attempt.
    void Zeileentfernen2Click();

    // Column widths for the grids' current client widths.
    void LayoutColumns();

    // The time a file load brought for a protocol row; it stands in "Zeit"
    // while the row has no attempt.
    QString loadedTime(int row) const;
    void setLoadedTime(int row, const QString &time);

    // The stored split table of a protocol row (for files and exports).
    SplitBlock splitBlock(int protocolRow) const;
    // The protocol grid's four columns, header row first, every row occupied or not.
    protocol::ProtocolRows protocolRows() const;
    // Everything the web page shows, with the grids' current column widths.
    protocol::ProtocolReport report(const QString &title) const;
    // Selects a protocol row and shows its split table, as a click in its
    // "Platz" cell does.
    void showProtocolRow(int row);
    // Replaces the data rows and the split store by a loaded protocol: one
    // block per row (missing ones empty). A row with attempts gets its means
    // and "Zeit" from them; one without keeps the loaded "Zeit". No rows give
    // one empty row. The header stays. Ends with row 1
    // selected and shown and the buttons updated.
    void replaceProtocol(const QList<protocol::ProtocolRow> &dataRows,
                         const QList<SplitBlock> &blocks = {});
    // The protocol row whose split table the split grid shows.
    int shownRow() const { return m_shownRow; }
    // Split-grid row struck out of the means, or kNoExcludedRow.
    int excludedRow() const { return m_excludedRow; }

    TSortGrid *const SortGrid1;
    TSortGrid *const SortGridTmp;
    QTabWidget *const TabControl1;
    TMyStringGrid *const SortGridRes;
    QMenu *const PopupMenuProtokol;
    QAction *const Erase1;
    QMenu *const PopupMenu2;
    QAction *const Zeileentfernen2;

Q_SIGNALS:
    // The protocol was cleared: the main window resets its split-time
    // display to zero and hides its distance label.
    void protocolCleared();

private:
    void setUpProtocolGrid();
    void setUpSplitStore();
    void setUpSplitGrid();
    int dataRowCount() const;
    // Grows the store to six rows per protocol row; rows it gains are emptied.
    void ensureStoreRows();
    void clearStoreBlock(int protocolRow);
    void clearProtocolRow(int row);
    void selectWholeRow(int col, int row);
    void showSplitBlock(int protocolRow);
    SplitBlock shownBlock() const;
    void keepShownBlock();
    void updateCaption();

    std::function<bool(const QString &)> m_confirm;
    QList<QPointer<QWidget>> m_buttons;
    int m_shownRow = 1;
    int m_excludedRow = kNoExcludedRow;
    // The split grid's selected row holds the attempt stored last.
    bool m_attemptStored = false;
    bool m_tablesEnabled = true;
    // Set while our own row-count changes move the grid's cursor; the
    // operation selects the row it wants afterwards.
    bool m_restructuring = false;
};
