#pragma once

#include "controls/Colors.h"
#include "controls/GridAxis.h"
#include "controls/GridCellStore.h"
#include "controls/GridTypes.h"

#include <QAbstractScrollArea>
#include <QPointer>

#include <functional>

class QPainter;
class TMyInplaceEdit;

// The base grid: cells addressed (column, row), fixed rows and columns at the
// top and left painted by the grid itself, row- and column-wise scrolling,
// a current cell with a selection rectangle, an in-place text editor and an
// update bracket. It draws through drawCell(); its subclasses say what a cell
// holds.
class TMyCustomGrid : public QAbstractScrollArea
{
    Q_OBJECT
    Q_PROPERTY(int colCount READ colCount WRITE setColCount)
    Q_PROPERTY(int rowCount READ rowCount WRITE setRowCount)
    Q_PROPERTY(int fixedCols READ fixedCols WRITE setFixedCols)
    Q_PROPERTY(int fixedRows READ fixedRows WRITE setFixedRows)
    Q_PROPERTY(int defaultColWidth READ defaultColWidth WRITE setDefaultColWidth)
    Q_PROPERTY(int defaultRowHeight READ defaultRowHeight WRITE setDefaultRowHeight)
    Q_PROPERTY(TGridOptions options READ options WRITE setOptions)
    Q_PROPERTY(int col READ col WRITE setCol)
    Q_PROPERTY(int row READ row WRITE setRow)
    Q_PROPERTY(TGridRect selection READ selection WRITE setSelection)
    Q_PROPERTY(int topRow READ topRow WRITE setTopRow)
    Q_PROPERTY(int leftCol READ leftCol WRITE setLeftCol)
    Q_PROPERTY(int visibleColCount READ visibleColCount)
    Q_PROPERTY(int visibleRowCount READ visibleRowCount)
    Q_PROPERTY(TScrollStyle scrollBars READ scrollBars WRITE setScrollBars)
    Q_PROPERTY(TColor color READ color WRITE setColor)
    Q_PROPERTY(TColor fixedColor READ fixedColor WRITE setFixedColor)
    Q_PROPERTY(bool defaultDrawing READ defaultDrawing WRITE setDefaultDrawing)
    Q_PROPERTY(bool nowUpdating READ nowUpdating)

public:
    explicit TMyCustomGrid(QWidget *parent = nullptr);
    ~TMyCustomGrid() override;

    int colCount() const { return m_cols.count(); }
    void setColCount(int count);
    int rowCount() const { return m_rows.count(); }
    void setRowCount(int count);
    int fixedCols() const { return m_cols.fixedCount(); }
    void setFixedCols(int count);
    int fixedRows() const { return m_rows.fixedCount(); }
    void setFixedRows(int count);
    int defaultColWidth() const { return m_cols.defaultSize(); }
    void setDefaultColWidth(int width);
    int defaultRowHeight() const { return m_rows.defaultSize(); }
    void setDefaultRowHeight(int height);
    // -1 hides a column.
    int colWidths(int col) const { return m_cols.size(col); }
    void setColWidths(int col, int width);
    int rowHeights(int row) const { return m_rows.size(row); }
    void setRowHeights(int row, int height);

    TGridOptions options() const { return m_options; }
    void setOptions(TGridOptions options);

    // The current cell; setting it asks selectCell() as a click would.
    int col() const { return m_currentCol; }
    void setCol(int col);
    int row() const { return m_currentRow; }
    void setRow(int row);
    // Written without asking selectCell(): callers use it inside their own
    // selection handler.
    TGridRect selection() const;
    void setSelection(const TGridRect &rect);

    int topRow() const { return m_topRow; }
    void setTopRow(int row);
    int leftCol() const { return m_leftCol; }
    void setLeftCol(int col);
    int visibleColCount() const;
    int visibleRowCount() const;

    TScrollStyle scrollBars() const { return m_scrollBars; }
    void setScrollBars(TScrollStyle style);
    TColor color() const { return m_color; }
    void setColor(TColor color);
    TColor fixedColor() const { return m_fixedColor; }
    void setFixedColor(TColor color);
    bool defaultDrawing() const { return m_defaultDrawing; }
    void setDefaultDrawing(bool on) { m_defaultDrawing = on; }

    // The cell's rectangle in viewport coordinates; empty when not shown.
    QRect cellRect(int col, int row) const;
    // The cell under a viewport point; -1 for a coordinate beyond the cells.
    void mouseToCell(const QPoint &pos, int &col, int &row) const;

    // Whether the in-place editor is shown on the current cell.
    bool editorMode() const;
    void setEditorMode(bool shown);
    // A cell's text as the user sees it: the editor's while it edits the cell.
    QString shownEditText(int col, int row) const;

    // Update bracket: blank data rows, hourglass, no repaint, grid disabled.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    bool nowUpdating() const { return m_nowUpdating; }

    void MoveColumn(int from, int to);
    void MoveRow(int from, int to);

    // In-out events; raised only when assigned.
    std::function<void(QObject *Sender, int ACol, int ARow, bool &CanSelect)> OnSelectCell;
    std::function<void(QObject *Sender, QPainter &Canvas, int ACol, int ARow, const QRect &Rect,
                       TGridDrawState State)>
        OnDrawCell;

Q_SIGNALS:
    void beginUpdate();
    void topLeftChanged();

protected:
    // Whether the cell may become the current one; raises OnSelectCell.
    virtual bool selectCell(int col, int row);
    // Called after the current cell moved (the selection already updated).
    virtual void currentCellMoved() {}
    // Paints one cell; the painter is clipped to it and carries the brush,
    // font and text colour (pen) prepared for the cell's state.
    virtual void drawCell(QPainter &canvas, int col, int row, const QRect &rect,
                          TGridDrawState state);
    // The in-place editor has just been put on a cell, still showing its text.
    virtual void editorOpened(int /*col*/, int /*row*/) {}
    virtual QString getEditText(int col, int row) const;
    virtual void setEditText(int col, int row, const QString &text);
    // Structure hooks for the cell contents of subclasses.
    virtual void columnMoved(int from, int to);
    virtual void rowMoved(int from, int to);
    virtual void columnInserted(int col);
    virtual void rowInserted(int row);
    virtual void columnRemoved(int col);
    virtual void rowRemoved(int row);
    // After ColCount or RowCount changed.
    virtual void countsChanged(int oldColCount, int oldRowCount);
    virtual void widthsChanged() {}
    virtual void heightsChanged() {}

    // Moves the current cell after asking selectCell(); false when refused.
    bool moveCurrent(int col, int row, bool moveAnchor, bool show);
    // Makes the cell current without asking (the caller asked already).
    void focusCell(int col, int row, bool moveAnchor, bool show);
    // Scrolls just enough to show the cell wholly.
    void showCell(int col, int row);
    bool rowOnScreen(int row) const;
    void invalidateCell(int col, int row);
    void invalidateRow(int row);
    void invalidateGrid();

    // Structural changes; cells below or right of the place move with it.
    void insertRowAt(int row);
    void insertColumnAt(int col);
    void DeleteRow(int row);
    void DeleteColumn(int col);

    // Writes a cell's text, into the editor too while it edits the cell.
    void replaceEditText(int col, int row, const QString &text);
    // Ends a column sizing or a range selection by mouse.
    void endMouseAction();
    // The background and text colours the grid prepares for a cell's state.
    void cellColors(TGridDrawState state, QColor &brush, QColor &text) const;
    int columnBorderAt(const QPoint &pos) const;
    const TGridAxis &colAxis() const { return m_cols; }
    const TGridAxis &rowAxis() const { return m_rows; }
    // Width used for the grid's own arithmetic: the control without a shown vertical scroll bar.
    int gridWidth() const;

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void changeEvent(QEvent *event) override;

private:
    friend class TMyInplaceEdit;

    void changeCounts(int colCount, int rowCount);
    void countsApplied(int oldColCount, int oldRowCount);
    void clampPositions();
    void updateScrollBars();
    void prepareCanvas(QPainter &canvas, TGridDrawState state) const;
    void drawCellLines(QPainter &canvas, const QRect &rect, TGridDrawState state) const;
    void drawCellDecoration(QPainter &canvas, const QRect &rect, TGridDrawState state) const;
    TGridDrawState drawStateOf(int col, int row) const;
    void showEditor(const QString *firstKey = nullptr);
    void hideEditor(bool store);
    void updateEditorGeometry();
    bool moveByKey(int key, Qt::KeyboardModifiers modifiers);

    TGridAxis m_cols;
    TGridAxis m_rows;
    TGridOptions m_options;
    TScrollStyle m_scrollBars = TScrollStyle::ssBoth;
    TColor m_color = clWindow;
    TColor m_fixedColor = clBtnFace;
    bool m_defaultDrawing = true;
    int m_currentCol = 0;
    int m_currentRow = 0;
    int m_anchorCol = 0;
    int m_anchorRow = 0;
    int m_topRow = 0;
    int m_leftCol = 0;
    bool m_nowUpdating = false;
    bool m_focusBeforeUpdate = false;
    bool m_hidingEditor = false;
    bool m_updatingScrollBars = false;

    enum class MouseState { None, Selecting, ColSizing, ColMoving };
    MouseState m_mouseState = MouseState::None;
    int m_sizingCol = -1;
    int m_movingCol = -1;
    int m_sizingOrigin = 0;

    QPointer<TMyInplaceEdit> m_editor;
};

// A grid whose cells are painted by its OnDrawCell handler.
class TMyDrawGrid : public TMyCustomGrid
{
    Q_OBJECT
public:
    using TMyCustomGrid::TMyCustomGrid;
};

// A grid of texts. Texts outside RowCount/ColCount stay stored.
class TMyStringGrid : public TMyDrawGrid
{
    Q_OBJECT
public:
    using TMyDrawGrid::TMyDrawGrid;

    QString cells(int col, int row) const { return m_cells.cell(col, row); }
    void setCells(int col, int row, const QString &text);
    // The texts of a row or column within the current counts.
    QStringList rows(int row) const { return m_cells.row(row, colCount()); }
    void setRows(int row, const QStringList &texts);
    QStringList cols(int col) const { return m_cells.column(col, rowCount()); }
    void setCols(int col, const QStringList &texts);

protected:
    const TGridCellStore &cellStore() const { return m_cells; }
    TGridCellStore &cellStore() { return m_cells; }

    void drawCell(QPainter &canvas, int col, int row, const QRect &rect,
                  TGridDrawState state) override;
    QString getEditText(int col, int row) const override { return cells(col, row); }
    void setEditText(int col, int row, const QString &text) override;
    void columnMoved(int from, int to) override;
    void rowMoved(int from, int to) override;
    void columnInserted(int col) override;
    void rowInserted(int row) override;
    void columnRemoved(int col) override;
    void rowRemoved(int row) override;

private:
    TGridCellStore m_cells;
};
