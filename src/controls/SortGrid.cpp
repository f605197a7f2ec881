#include "controls/SortGrid.h"

#include "controls/GridDropDownList.h"
#include "controls/GridRules.h"
#include "controls/SortKeys.h"
#include "controls/SortOrder.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>

#include <algorithm>

TSortGrid::TSortGrid(QWidget *parent)
    : TMyStringGrid(parent)
{
    setFixedCols(0);
    m_pictures.emplace(TGridPicture::UP, makeGridPicture(TGridPicture::UP));
    m_pictures.emplace(TGridPicture::DOWN, makeGridPicture(TGridPicture::DOWN));
    m_selectList = {row()};
    m_anchorList = {row()};
    // The cell editor and the grid are one for entering and leaving.
    m_focusConnection = connect(qApp, &QApplication::focusChanged, this, &TSortGrid::focusMoved);
}

TSortGrid::~TSortGrid()
{
    // The base's destruction moves the focus; this grid has no say then.
    disconnect(m_focusConnection);
    // Shown on the form, the list is the form's child; it goes with the grid.
    delete m_dropDown.data();
}

void TSortGrid::setSortOptions(const TSortOptions &options)
{
    m_sortOptions = options;
    invalidateGrid();
}

void TSortGrid::setHideRows(bool hide)
{
    m_hideRows = hide;
    setRow(1);
    invalidateGrid();
}

void TSortGrid::setMultiSelect(bool on)
{
    m_multiSelect = on;
    if (on)
        setOptions(options() | TGridOption::goRowSelect);
}

void TSortGrid::setUserSettings(const QStringList &settings)
{
    m_userSettings = settings;
    setModified(true);
}

void TSortGrid::setAlignmentHorz(TAlignment alignment)
{
    m_alignmentHorz = alignment;
    invalidateGrid();
}

void TSortGrid::setAlignmentVert(TVertAlignment alignment)
{
    m_alignmentVert = alignment;
    invalidateGrid();
}

void TSortGrid::setBevelStyle(TCellBevelStyle style)
{
    m_bevelStyle = style;
    invalidateGrid();
}

void TSortGrid::setModified(bool modified)
{
    if (m_modifiedSuppressed)
        return;
    m_modified = modified;
    if (modified)
        Q_EMIT this->modified();
}

void TSortGrid::BeginUpdate()
{
    if (!nowUpdating()) {
        m_savedUpdateOnSizeChange = m_sortOptions.UpdateOnSizeChange;
        m_sortOptions.UpdateOnSizeChange = false;
    }
    TMyStringGrid::BeginUpdate();
}

void TSortGrid::EndUpdate()
{
    const bool wasUpdating = nowUpdating();
    TMyStringGrid::EndUpdate();
    if (wasUpdating)
        m_sortOptions.UpdateOnSizeChange = m_savedUpdateOnSizeChange;
    Q_EMIT endUpdate();
}

void TSortGrid::SortRows(int ACol)
{
    // A column outside the grid names nothing to sort on, and SortCol stays
    // one the arrow can be drawn in.
    if (!m_sortOptions.CanSort || ACol < 0 || ACol >= colCount())
        return;
    m_sortOptions.SortCol = ACol;
    // A sort inside another bracket (a filter's) leaves it to its owner.
    const bool opened = !nowUpdating();
    if (opened)
        BeginUpdate();
    if (OnBeginSort)
        OnBeginSort(this, ACol);

    const SortKeys keys = sortKeys(ACol, m_sortOptions.SecondaryIndex, colCount());
    if (!keys.isValid() || keys.columns.isEmpty()) {
        if (opened)
            EndUpdate();
        if (!keys.isValid())
            QMessageBox::warning(this, QApplication::applicationDisplayName(), keys.error);
        return;
    }
    QList<int> selected = m_selectList;
    std::sort(selected.begin(), selected.end());

    QList<QStringList> table;
    table.reserve(rowCount());
    for (int r = 0; r < rowCount(); ++r)
        table << rows(r);
    TGetSortStyle getSortStyle;
    if (OnGetSortStyle)
        getSortStyle = [this](int col, TSortStyle &style) { OnGetSortStyle(this, col, style); };
    const QList<int> order =
        sortRowOrder(table, keys.columns, m_sortOptions, getSortStyle, QLocale());

    for (int n = 0; n < order.size(); ++n)
        setRows(n + 1, table[order[n]]);
    moveSelectionWithRows(order, selected);

    m_sortOptions.CustomCompare = nullptr;
    Q_EMIT endSort(keys.columns.front());
    if (opened)
        EndUpdate();
}

void TSortGrid::moveSelectionWithRows(const QList<int> &order, const QList<int> &sortedSelection)
{
    bool first = true;
    for (int n = 0; n < order.size(); ++n) {
        if (!std::binary_search(sortedSelection.begin(), sortedSelection.end(), order[n]))
            continue;
        const int newRow = n + 1;
        if (first) {
            // Through the ordinary selection, so its events tell the new row.
            setRow(newRow);
            m_selectList.clear();
            m_anchorList.clear();
            first = false;
        }
        m_selectList << newRow;
        m_anchorList << newRow;
    }
}

int TSortGrid::FindRow(int ACol, const QString &Text, bool IgnoreCase) const
{
    const QString wanted = IgnoreCase ? gridrules::lowerAscii(Text) : Text;
    const int last = rowCount() - 1 + m_hiddenRowCount;
    for (int r = 1; r <= last; ++r) {
        const QString text = cells(ACol, r);
        if ((IgnoreCase ? gridrules::lowerAscii(text) : text) == wanted)
            return r;
    }
    return -1;
}

void TSortGrid::GoToCell(int ACol, int ARow, bool Scroll)
{
    ACol = std::clamp(ACol, 0, colCount() - 1);
    ARow = std::clamp(ARow, 1, std::max(1, rowCount() - 1));
    if (ARow >= rowCount() || !selectCell(ACol, ARow))
        return;
    QWidget *form = window();
    const bool formUpdates = form->updatesEnabled();
    form->setUpdatesEnabled(false);
    focusCell(ACol, ARow, true, true);
    setSingleSelection(ARow);
    invalidateGrid();
    if (Scroll)
        ScrollToCell(ACol, ARow);
    form->setUpdatesEnabled(formUpdates);
}

void TSortGrid::ScrollToCell(int ACol, int ARow)
{
    ACol = std::clamp(ACol, 0, colCount() - 1);
    ARow = std::clamp(ARow, 1, std::max(1, rowCount() - 1));
    if (ACol < leftCol()) {
        // Left of the view: bring it to the left edge.
        setLeftCol(ACol);
    }
    while (ACol > leftCol() + visibleColCount() - 1 && leftCol() + 1 < colCount()) {
        const int before = leftCol();
        setLeftCol(before + 1);
        if (leftCol() == before)
            break; // the view already shows the last columns
    }
    setTopRow(gridrules::scrollToCellTopRow(rowCount(), visibleRowCount(), ARow));
}

void TSortGrid::AutoSizeColumn(int ACol, bool Force)
{
    if (ACol < 0 || ACol >= colCount() || (colWidths(ACol) == TGridAxis::Hidden && !Force))
        return;
    QFont lastFont = font();
    int headerWidth = 0;
    int widest = 0;
    for (int r = 0; r < rowCount(); ++r) {
        lastFont = cellFormat(ACol, r, {}).Font;
        const int w = QFontMetrics(lastFont).horizontalAdvance(cells(ACol, r));
        if (r == 0)
            headerWidth = w + (sortArrowShownIn(ACol) ? 12 : 0);
        else
            widest = std::max(widest, w);
    }
    widest = std::max(widest, headerWidth);
    const QFontMetrics fm(lastFont);
    setColWidths(ACol, widest <= 0 ? fm.horizontalAdvance(QStringLiteral("xx"))
                                   : widest + fm.horizontalAdvance(QStringLiteral("X")));
}

void TSortGrid::withoutAlwaysShowEditor(const std::function<void()> &change)
{
    const TGridOptions before = options();
    setOptions(before & ~TGridOptions(TGridOption::goAlwaysShowEditor));
    change();
    setOptions(before);
}

void TSortGrid::InsertRow(int ARow)
{
    ARow = std::clamp(ARow, fixedRows(), std::max(fixedRows(), rowCount() - 1));
    // On the last row the new row follows it; elsewhere it comes before.
    if (ARow == rowCount() - 1)
        ++ARow;
    // The rows from ARow on, those kept beyond RowCount included, move down
    // and leave an empty row behind.
    insertRowAt(ARow);
    setRow(ARow);
    setSingleSelection(ARow);
    Q_EMIT rowInsert(ARow);
}

void TSortGrid::DeleteRow(int ARow)
{
    setModified(true);
    if (rowCount() < 3) {
        for (int c = 0; c < colCount(); ++c)
            setCells(c, 1, QString());
    } else {
        withoutAlwaysShowEditor([&] { TMyStringGrid::DeleteRow(ARow); });
    }
    Q_EMIT rowDelete(ARow);
}

void TSortGrid::InsertColumn(int ACol)
{
    ACol = std::clamp(ACol, 0, colCount());
    insertColumnAt(ACol);
    setCol(ACol);
    Q_EMIT columnInsert(ACol);
}

void TSortGrid::DeleteColumn(int ACol)
{
    // The column's texts leave the store with it; nothing of it reappears.
    withoutAlwaysShowEditor([&] { TMyStringGrid::DeleteColumn(ACol); });
    Q_EMIT columnDelete(ACol);
}

void TSortGrid::ExchangeRows(int A, int B)
{
    // Both first: with one index outside the rows, the second move alone
    // would shift others (the header into the data).
    const auto isRow = [this](int r) { return r >= 0 && r < rowCount(); };
    if (A == B || !isRow(A) || !isRow(B))
        return;
    MoveRow(A, B);
    MoveRow(A < B ? B - 1 : B + 1, A);
}

bool TSortGrid::IsRowEmpty(int ARow) const
{
    for (int c = 0; c < colCount(); ++c) {
        if (!cells(c, ARow).isEmpty())
            return false;
    }
    return true;
}

bool TSortGrid::selectCell(int col, int row)
{
    m_rowSelectedPending = false;
    const int oldRow = this->row();
    const bool accepted = !refusedWhileEditing(col, row) && TMyStringGrid::selectCell(col, row);
    if (accepted && !m_rowSelectedSuspended) {
        for (int r : std::as_const(m_selectList))
            invalidateRow(r);
        setSingleSelection(row);
        m_rowSelectedPending = true;
    }
    invalidateRow(oldRow);
    invalidateRow(row);
    return accepted;
}

void TSortGrid::currentCellMoved()
{
    // Raised once the cell is current, so handlers see the new Row and Col.
    if (m_rowSelectedPending) {
        m_rowSelectedPending = false;
        Q_EMIT rowSelected();
    }
}

void TSortGrid::setSingleSelection(int row)
{
    m_selectList = {row};
    m_anchorList = {row};
}

void TSortGrid::setEditText(int col, int row, const QString &text)
{
    if (text == cells(col, row))
        return;
    TMyStringGrid::setEditText(col, row, text);
    setModified(true);
}

void TSortGrid::columnMoved(int from, int to)
{
    TMyStringGrid::columnMoved(from, to);
    m_sortOptions.SortCol = gridrules::sortColAfterColumnMove(m_sortOptions.SortCol, from, to);
    setModified(true);
}

void TSortGrid::countsChanged(int oldColCount, int oldRowCount)
{
    TMyStringGrid::countsChanged(oldColCount, oldRowCount);
    if (nowUpdating())
        return; // the bracket's owner brings the grid into shape itself
    setModified(true);
    if (m_sortOptions.UpdateOnSizeChange)
        SortRows(m_sortOptions.SortCol);
    GoToCell(0, 1, true);
    if (rowCount() < 2) {
        QMessageBox::information(this, QApplication::applicationDisplayName(),
                                 QStringLiteral("Rowsize too small"), QMessageBox::Ok);
    }
    Q_EMIT sizeChanged(oldColCount, oldRowCount);
}

void TSortGrid::resizeEvent(QResizeEvent *event)
{
    TMyStringGrid::resizeEvent(event);
    stretchLastColumn();
}

void TSortGrid::stretchLastColumn()
{
    // A last column cut by the window counts as reached, so that it also
    // shrinks with the window.
    const int shown = colAxis().startedCount(leftCol(), viewport()->width());
    if (const auto w =
            gridrules::stretchedLastColumnWidth(colAxis(), leftCol(), shown, gridWidth()))
        setColWidths(colCount() - 1, *w);
    invalidateGrid();
}
