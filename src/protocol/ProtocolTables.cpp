#include "protocol/ProtocolTables.h"

#include "controls/SortGrid.h"

#include <QMenu>
#include <QPainter>
#include <QScopedValueRollback>
#include <QTabWidget>

namespace {

// A loaded time is kept in a cell beyond the four shown columns: the grid
// stores such cells and moves them with their row, and nothing shows them.
constexpr int kLoadedTimeCol = protocol::ProtocolColumns;
constexpr int kNrCol = protocol::NrColumn;
constexpr int kNameCol = protocol::NameColumn;
constexpr int kZeitCol = protocol::ZeitColumn;
// Selecting a row by its "Platz" cell selects it whole and shows its split table.
constexpr int kPlatzCol = protocol::PlatzColumn;

QFont tableFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    font.setBold(true);
    return font;
}

QMenu *makeMenu(const QString &name, QWidget *parent)
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(name);
    return menu;
}

// Both popup menus hold one entry, "Zeile entfernen".
QAction *addRemoveRowItem(QMenu *menu, const QString &name)
{
    QAction *item = menu->addAction(QStringLiteral("Zeile entfernen"));
    item->setObjectName(name);
    return item;
}

} // namespace

TProtocolTables::TProtocolTables(QWidget *parent)
    : QObject(parent)
    , SortGrid1(new TSortGrid(parent))
    , SortGridTmp(new TSortGrid(parent))
    , TabControl1(new QTabWidget(parent))
    , SortGridRes(new TMyStringGrid(TabControl1))
    , PopupMenuProtokol(makeMenu(QStringLiteral("PopupMenuProtokol"), parent))
    , Erase1(addRemoveRowItem(PopupMenuProtokol, QStringLiteral("Erase1")))
    , PopupMenu2(makeMenu(QStringLiteral("PopupMenu2"), parent))
    , Zeileentfernen2(addRemoveRowItem(PopupMenu2, QStringLiteral("Zeileentfernen2")))
{
    setUpProtocolGrid();
    setUpSplitStore();
    setUpSplitGrid();
    TabControl1->setObjectName(QStringLiteral("TabControl1"));
    TabControl1->addTab(SortGridRes, QStringLiteral("Name"));

    connect(PopupMenuProtokol, &QMenu::aboutToShow, this, &TProtocolTables::UpdateProtocolButtons);
    connect(Erase1, &QAction::triggered, this, &TProtocolTables::Erase1Click);
    connect(Zeileentfernen2, &QAction::triggered, this, &TProtocolTables::Zeileentfernen2Click);
}

void TProtocolTables::setUpProtocolGrid()
{
    SortGrid1->setObjectName(QStringLiteral("SortGrid1"));
    SortGrid1->setColCount(protocol::ProtocolColumns);
    SortGrid1->setRowCount(2);
    SortGrid1->setFixedRows(1);
    const protocol::ProtocolRow header = protocol::protocolHeader();
    SortGrid1->setRows(0, QStringList(header.begin(), header.end()));
    TSortOptions sort = SortGrid1->sortOptions();
    sort.CanSort = false;
    SortGrid1->setSortOptions(sort);
    SortGrid1->setFont(tableFont());
    SortGrid1->setDefaultRowHeight(19);
    SortGrid1->setAlignmentHorz(TAlignment::taRightJustify);
    SortGrid1->setAlignmentVert(TVertAlignment::taMiddle);
    SortGrid1->setScrollBars(TScrollStyle::ssVertical);
    SortGrid1->setOptions(TGridOption::goFixedVertLine | TGridOption::goFixedHorzLine |
                          TGridOption::goVertLine | TGridOption::goHorzLine |
                          TGridOption::goColSizing | TGridOption::goRowSelect);
    SortGrid1->setPopupMenu(PopupMenuProtokol);
    SortGrid1->OnSelectCell = [this](QObject *sender, int col, int row, bool &canSelect) {
        SortGrid1SelectCell(sender, col, row, canSelect);
    };
    SortGrid1->OnGetCellFormat = [this](QObject *sender, int col, int row, TGridDrawState state,
                                        TFormatOptions &format, bool &checkBox, bool &combobox,
                                        bool &ellipsis) {
        SortGrid1GetCellFormat(sender, col, row, state, format, checkBox, combobox, ellipsis);
    };
    // Typing a start number into "Nr." changes what the buttons may do.
    connect(SortGrid1, &TSortGrid::modified, this, &TProtocolTables::UpdateProtocolButtons);
}

void TProtocolTables::setUpSplitStore()
{
    SortGridTmp->setObjectName(QStringLiteral("SortGridTmp"));
    SortGridTmp->hide();
    SortGridTmp->setColCount(kSplitColumns);
    SortGridTmp->setRowCount(kSplitBlockRows);
    TSortOptions sort = SortGridTmp->sortOptions();
    sort.CanSort = false;
    SortGridTmp->setSortOptions(sort);
    for (int col = 0; col < kSplitColumns; ++col)
        SortGridTmp->setColWidths(col, protocol::SplitStoreWidths[col]);
}

void TProtocolTables::setUpSplitGrid()
{
    SortGridRes->setObjectName(QStringLiteral("SortGridRes"));
    SortGridRes->setColCount(kSplitColumns);
    SortGridRes->setRowCount(kLastAttemptRow + 1);
    SortGridRes->setFixedCols(0);
    SortGridRes->setFixedRows(kFirstAttemptRow);
    SortGridRes->setDefaultRowHeight(20);
    SortGridRes->setFont(tableFont());
    SortGridRes->setScrollBars(TScrollStyle::ssNone);
    SortGridRes->setOptions(TGridOption::goFixedVertLine | TGridOption::goFixedHorzLine |
                            TGridOption::goVertLine | TGridOption::goHorzLine |
                            TGridOption::goRowSelect);
    SortGridRes->setDefaultDrawing(false);
    SortGridRes->OnDrawCell = [this](QObject *sender, QPainter &canvas, int col, int row,
                                     const QRect &rect, TGridDrawState state) {
        SortGridResDrawCell(sender, canvas, col, row, rect, state);
    };
    SortGridRes->setSelection({0, kFirstAttemptRow, kSplitColumns - 1, kFirstAttemptRow});
    // A click on an attempt row picks it for the next run.
    SortGridRes->OnSelectCell = [this](QObject *, int, int, bool &) { m_attemptStored = false; };
    SortGridRes->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SortGridRes, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        // A scroll area reports the position in its viewport's coordinates.
        PopupMenu2->popup(SortGridRes->viewport()->mapToGlobal(pos));
    });
}

void TProtocolTables::FillSplitHeader(int Length2, int Length3, int Length4, int Length)
{
    const int metres[kSplitColumns] = {Length2, Length3, Length4, Length};
    for (int col = 0; col < kSplitColumns; ++col)
        SortGridRes->setCells(col, 0, QString::number(metres[col]) + QStringLiteral(" m"));
}

int TProtocolTables::dataRowCount() const
{
    return SortGrid1->rowCount() - 1;
}

void TProtocolTables::ensureStoreRows()
{
    const int have = SortGridTmp->rowCount();
    const int need = splitStoreRowCount(dataRowCount());
    if (have >= need)
        return;
    SortGridTmp->setRowCount(need);
    // Rows beyond the old count may still hold texts of a protocol that was
    // cleared; a new block starts empty.
    for (int row = have; row < need; ++row)
        SortGridTmp->setRows(row, {});
}

void TProtocolTables::clearStoreBlock(int protocolRow)
{
    const int first = splitBlockFirstRow(protocolRow);
    for (int row = first; row < first + kSplitBlockRows; ++row)
        SortGridTmp->setRows(row, {});
}

void TProtocolTables::clearProtocolRow(int row)
{
    SortGrid1->setRows(row, {});
    SortGrid1->setCells(kLoadedTimeCol, row, QString());
}

void TProtocolTables::OpenProtocolRow(const QString &startNumber)
{
    const int found = SortGrid1->FindRow(kNrCol, startNumber, false);
    int row = found;
    if (found >= 1 && found == m_shownRow && !m_attemptStored) {
        // The split grid already shows this athlete, with the attempt row the
        // operator may have picked for this run: keep it.
        selectWholeRow(kPlatzCol, found);
    } else {
        if (found < 1) {
            row = dataRowCount();
            if (!SortGrid1->cells(kNrCol, row).isEmpty()) {
                const QScopedValueRollback guard(m_restructuring, true);
                SortGrid1->setRowCount(SortGrid1->rowCount() + 1);
                ++row;
                clearProtocolRow(row);
                ensureStoreRows();
            }
        }
        // Found but not shown: the attempt must go into this athlete's table,
        // so show it, or the table on screen would be stored into its block.
        // Shown with the last run's attempt still selected: choose afresh, or
        // this run would overwrite that attempt.
        showProtocolRow(row);
    }
    SortGrid1->setCells(kNrCol, row, startNumber);
    updateCaption();
    UpdateProtocolButtons();
}

void TProtocolTables::StartNumberChanged(const QString &startNumber)
{
    const int row = SortGrid1->FindRow(kNrCol, startNumber, false);
    if (row < 1)
        return;
    // The athlete on show keeps the attempt row the operator picked for the
    // next run: showing the table again would pick the first empty one.
    if (row == m_shownRow)
        selectWholeRow(kPlatzCol, row);
    else
        showProtocolRow(row);
}

void TProtocolTables::selectWholeRow(int col, int row)
{
    TGridOptions options = SortGrid1->options();
    options &= ~TGridOptions(TGridOption::goEditing);
    options |= TGridOption::goRowSelect;
    SortGrid1->setOptions(options);
    SortGrid1->setSelection({col, row, col, row});
    if (row < SortGrid1->topRow() || row >= SortGrid1->topRow() + SortGrid1->visibleRowCount())
        SortGrid1->ScrollToCell(col, row);
}

void TProtocolTables::SortGrid1SelectCell(QObject *, int ACol, int ARow, bool &CanSelect)
{
    if (m_restructuring || ARow < 1 || ARow > dataRowCount())
        return;
    if (ACol == kNrCol || ACol == kNameCol) {
        TGridOptions options = SortGrid1->options();
        options |= TGridOption::goEditing;
        options &= ~TGridOptions(TGridOption::goRowSelect);
        SortGrid1->setOptions(options);
    } else {
        CanSelect = false;
        selectWholeRow(ACol, ARow);
    }
    showSplitBlock(ARow);
}

void TProtocolTables::showSplitBlock(int protocolRow)
{
    ensureStoreRows();
    const int first = splitBlockFirstRow(protocolRow);
    for (int k = 0; k < kSplitBlockRows; ++k)
        SortGridRes->setRows(kMeanRow + k, SortGridTmp->rows(first + k));
    const int attemptRow = nextAttemptRow(shownBlock());
    SortGridRes->setSelection({0, attemptRow, kSplitColumns - 1, attemptRow});
    m_attemptStored = false;
    m_shownRow = protocolRow;
    updateCaption();
    RecalcSplitSummary();
}

void TProtocolTables::updateCaption()
{
    if (m_shownRow < 1 || m_shownRow > dataRowCount())
        return;
    TabControl1->setTabText(0, SortGrid1->cells(kNrCol, m_shownRow) + QStringLiteral(") ") +
                                   SortGrid1->cells(kNameCol, m_shownRow));
}

SplitBlock TProtocolTables::shownBlock() const
{
    SplitBlock block;
    for (int k = 0; k < kSplitBlockRows; ++k) {
        for (int col = 0; col < kSplitColumns; ++col)
            block[k][col] = SortGridRes->cells(col, kMeanRow + k);
    }
    return block;
}

SplitBlock TProtocolTables::splitBlock(int protocolRow) const
{
    SplitBlock block;
    if (protocolRow < 1)
        return block;
    const int first = splitBlockFirstRow(protocolRow);
    for (int k = 0; k < kSplitBlockRows; ++k) {
        for (int col = 0; col < kSplitColumns; ++col)
            block[k][col] = first + k < SortGridTmp->rowCount() ? SortGridTmp->cells(col, first + k)
                                                                : QString();
    }
    return block;
}

void TProtocolTables::replaceProtocol(const QList<protocol::ProtocolRow> &dataRows,
                                      const QList<SplitBlock> &blocks)
{
    const int rows = std::max(1, int(dataRows.size()));
    {
        const QScopedValueRollback guard(m_restructuring, true);
        SortGrid1->setRowCount(rows + 1);
        SortGridTmp->setRowCount(splitStoreRowCount(rows));
        for (int row = 1; row <= rows; ++row) {
            protocol::ProtocolRow cells = dataRows.value(row - 1);
            SplitBlock block = blocks.value(row - 1);
            setLoadedTime(row, cells[kZeitCol]);
            // A file's means and "Zeit" may be stale (an attempt edited in a
            // spreadsheet): the attempts decide, as they do for every run.
            if (const SplitSummary summary = summarizeSplits(block); summary.filledAttempts > 0) {
                block[kMeanRow - 1] = summary.means;
                cells[kZeitCol] = protocolTime(summary, cells[kZeitCol]);
            }
            SortGrid1->setRows(row, QStringList(cells.begin(), cells.end()));
            const int first = splitBlockFirstRow(row);
            for (int k = 0; k < kSplitBlockRows; ++k)
                SortGridTmp->setRows(first + k, QStringList(block[k].begin(), block[k].end()));
        }
    }
    showProtocolRow(1);
    UpdateProtocolButtons();
}

void TProtocolTables::keepShownBlock()
{
    if (m_shownRow < 1 || m_shownRow > dataRowCount())
        return;
    ensureStoreRows();
    const int first = splitBlockFirstRow(m_shownRow);
    for (int k = 0; k < kSplitBlockRows; ++k)
        SortGridTmp->setRows(first + k, SortGridRes->rows(kMeanRow + k));
}

void TProtocolTables::RecalcSplitSummary()
{
    const SplitSummary summary = summarizeSplits(shownBlock());
    for (int col = 0; col < kSplitColumns; ++col)
        SortGridRes->setCells(col, kMeanRow, summary.means[col]);
    m_excludedRow = summary.excludedRow;
    if (m_shownRow >= 1 && m_shownRow <= dataRowCount())
        SortGrid1->setCells(kZeitCol, m_shownRow, protocolTime(summary, loadedTime(m_shownRow)));
    SortGridRes->viewport()->update();
}

void TProtocolTables::StoreRunSplits(qint32 finalTime, const std::array<qint64, 4> &captures)
{
    const int attemptRow = SortGridRes->row();
    if (attemptRow >= kFirstAttemptRow && attemptRow <= kLastAttemptRow) {
        const SplitRow texts = attemptTexts(finalTime, captures);
        for (int col = 0; col < kSplitColumns; ++col)
            SortGridRes->setCells(col, attemptRow, texts[col]);
        RecalcSplitSummary();
        keepShownBlock();
        m_attemptStored = true;
    }
    setTablesEnabled(true);
}

void TProtocolTables::Zeileentfernen2Click()
{
    const int attemptRow = SortGridRes->row();
    if (attemptRow < kFirstAttemptRow || attemptRow > kLastAttemptRow)
        return;
    SortGridRes->setRows(attemptRow, {});
    RecalcSplitSummary();
    keepShownBlock();
}

void TProtocolTables::setTablesEnabled(bool enabled)
{
    m_tablesEnabled = enabled;
    SortGrid1->setEnabled(enabled);
    SortGridRes->setEnabled(enabled);
}

void TProtocolTables::Erase1Click()
{
    // While a run is timed its attempt belongs to the row selected at its
    // start; removing a row now would credit it to another athlete.
    if (m_tablesEnabled) {
        const int row = SortGrid1->row();
        if (row >= 1 && row <= dataRowCount()) {
            {
                const QScopedValueRollback guard(m_restructuring, true);
                ensureStoreRows();
                if (dataRowCount() == 1) {
                    // The protocol keeps one row: it is emptied instead.
                    SortGrid1->DeleteRow(row);
                    clearProtocolRow(row);
                    clearStoreBlock(row);
                } else {
                    SortGrid1->DeleteRow(row);
                    const int first = splitBlockFirstRow(row);
                    for (int k = 0; k < kSplitBlockRows; ++k)
                        SortGridTmp->DeleteRow(first);
                }
            }
            showProtocolRow(std::min(row, dataRowCount()));
        }
    }
    UpdateProtocolButtons();
}

void TProtocolTables::setConfirmation(std::function<bool(const QString &)> ask)
{
    m_confirm = std::move(ask);
}

void TProtocolTables::sbCLSClick()
{
    if (!m_tablesEnabled || !m_confirm || !m_confirm(QStringLiteral("Zeitenprotokoll  löschen?")))
        return;
    {
        const QScopedValueRollback guard(m_restructuring, true);
        SortGridTmp->setRowCount(kSplitBlockRows);
        clearStoreBlock(1);
        SortGrid1->setRowCount(2);
        clearProtocolRow(1);
    }
    UpdateProtocolButtons();
    Q_EMIT protocolCleared();
    for (int row = kMeanRow; row <= kLastAttemptRow; ++row)
        SortGridRes->setRows(row, {});
    SortGridRes->setSelection({0, kFirstAttemptRow, kSplitColumns - 1, kFirstAttemptRow});
    m_shownRow = 1;
    m_attemptStored = false;
    m_excludedRow = kNoExcludedRow;
    TabControl1->setTabText(0, QStringLiteral("Name"));
    SortGridRes->viewport()->update();
}

void TProtocolTables::setProtocolButtons(const QList<QWidget *> &buttons)
{
    m_buttons.clear();
    for (QWidget *button : buttons)
        m_buttons.append(button);
    UpdateProtocolButtons();
}

bool TProtocolTables::protocolButtonsEnabled() const
{
    return dataRowCount() >= 1 && !SortGrid1->cells(kNrCol, 1).isEmpty();
}

void TProtocolTables::UpdateProtocolButtons()
{
    const bool enabled = protocolButtonsEnabled();
    for (const QPointer<QWidget> &button : std::as_const(m_buttons)) {
        if (button)
            button->setEnabled(enabled || button->objectName() == QLatin1String("sbLoad"));
    }
}

void TProtocolTables::SortGrid1GetCellFormat(QObject *, int Col, int Row, TGridDrawState,
                                             TFormatOptions &FormatOptions, bool &, bool &, bool &)
{
    if (Row == 0)
        FormatOptions.AlignmentHorz = TAlignment::taCenter;
    else if (Col == kNameCol)
        FormatOptions.AlignmentHorz = TAlignment::taLeftJustify;
}

void TProtocolTables::SortGridResDrawCell(QObject *, QPainter &Canvas, int ACol, int ARow,
                                          const QRect &Rect, TGridDrawState)
{
    Canvas.fillRect(Rect, Canvas.brush());
    if (ARow == m_excludedRow) {
        QFont font = Canvas.font();
        font.setStrikeOut(true);
        Canvas.setFont(font);
    }
    Canvas.drawText(Rect.adjusted(0, 0, -3, 0), Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine,
                    SortGridRes->cells(ACol, ARow));
}

void TProtocolTables::LayoutColumns()
{
    const int protocolWidth = SortGrid1->viewport()->width();
    using namespace protocol;
    // Each column also takes one pixel of grid line.
    SortGrid1->setColWidths(NrColumn, NrWidth);
    SortGrid1->setColWidths(NameColumn,
                            protocolWidth - NrWidth - ZeitWidth - PlatzWidth - ProtocolColumns);
    SortGrid1->setColWidths(ZeitColumn, ZeitWidth);
    SortGrid1->setColWidths(PlatzColumn, PlatzWidth);

    const int splitWidth = SortGridRes->viewport()->width();
    const int quarter = splitWidth / 4;
    for (int col = 0; col < 3; ++col)
        SortGridRes->setColWidths(col, quarter);
    SortGridRes->setColWidths(3, splitWidth - 3 * quarter - kSplitColumns);
}

QString TProtocolTables::loadedTime(int row) const
{
    return SortGrid1->cells(kLoadedTimeCol, row);
}

void TProtocolTables::setLoadedTime(int row, const QString &time)
{
    SortGrid1->setCells(kLoadedTimeCol, row, time);
}

protocol::ProtocolRows TProtocolTables::protocolRows() const
{
    protocol::ProtocolRows rows;
    rows.reserve(SortGrid1->rowCount());
    for (int row = 0; row < SortGrid1->rowCount(); ++row) {
        protocol::ProtocolRow &cells = rows.emplace_back();
        for (int col = 0; col < protocol::ProtocolColumns; ++col)
            cells[col] = SortGrid1->cells(col, row);
    }
    return rows;
}

protocol::ProtocolReport TProtocolTables::report(const QString &title) const
{
    protocol::ProtocolReport report;
    report.title = title;
    report.protocol = protocolRows();
    for (int col = 0; col < protocol::ProtocolColumns; ++col)
        report.protocolWidths[col] = SortGrid1->colWidths(col);
    for (int col = 0; col < kSplitColumns; ++col) {
        report.splitHeader[col] = SortGridRes->cells(col, 0);
        report.splitWidths[col] = SortGridTmp->colWidths(col);
    }
    for (int row = 1; row <= dataRowCount(); ++row) {
        protocol::SplitBlock &block = report.splits.emplace_back();
        block.rows = splitBlock(row);
        const int excluded = summarizeSplits(block.rows).excludedRow;
        if (excluded != kNoExcludedRow)
            block.excludedRow = excluded - kMeanRow;
    }
    return report;
}

void TProtocolTables::showProtocolRow(int row)
{
    bool canSelect = true;
    SortGrid1SelectCell(SortGrid1, kPlatzCol, row, canSelect);
}
