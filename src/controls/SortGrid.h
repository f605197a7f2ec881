#pragma once

#include "controls/GridPictures.h"
#include "controls/MyGrids.h"
#include "controls/SortTypes.h"

#include <QBrush>
#include <QFont>
#include <QList>
#include <QMenu>
#include <QPointer>

#include <functional>
#include <map>
#include <optional>

class TGridDropDownList;

// Kept for the callers that print; the grid prints nothing itself.
struct TPrintOptions
{
    QString JobTitle;
    QString PageTitle;
    unsigned Copies = 1;
    TMyPrintRange PrintRange = TMyPrintRange::prAll;
    unsigned FromRow = 0;
    unsigned ToRow = 0;
    unsigned PreviewPage = 0;
};

struct TCellBevel
{
    TCellBevelStyle Style = TCellBevelStyle::cbNone;
    TColor UpperLeftColor = clWindow;
    TColor LowerRightColor = clWindow;
};

// How one cell is painted; OnGetCellFormat may change every field.
struct TFormatOptions
{
    QBrush Brush;
    QFont Font;
    QColor FontColor;
    TAlignment AlignmentHorz = TAlignment::taLeftJustify;
    TVertAlignment AlignmentVert = TVertAlignment::taTopJustify;
    TCellBevel Bevel;
    bool HideText = false;
};

// The kind of a cell besides its format, as OnGetCellFormat reports it.
struct TCellKind
{
    bool CheckBox = false;
    bool Combobox = false;
    bool Ellipsis = false;
};

Q_DECLARE_METATYPE(TSortOptions)
Q_DECLARE_METATYPE(TPrintOptions)

// The string grid the program's tables are made of: a per-cell format event,
// a sort arrow and shortened texts in the header, the last column stretched
// to the window, row and column insertion and deletion, a first-letter jump,
// a modified flag and an update bracket that keeps the grid blank and still;
// switched on by properties and handlers: sorting, a row filter, selection of
// several rows, check-box, drop-down and ellipsis cells, validation of edited
// cells and keys that insert and delete rows and columns.
class TSortGrid : public TMyStringGrid
{
    Q_OBJECT
    Q_PROPERTY(TSortOptions sortOptions READ sortOptions WRITE setSortOptions)
    Q_PROPERTY(TPrintOptions printOptions READ printOptions WRITE setPrintOptions)
    Q_PROPERTY(bool hideRows READ hideRows WRITE setHideRows)
    Q_PROPERTY(bool filtered READ filtered WRITE setFiltered)
    Q_PROPERTY(bool multiSelect READ multiSelect WRITE setMultiSelect)
    Q_PROPERTY(QStringList userSettings READ userSettings WRITE setUserSettings)
    Q_PROPERTY(TAlignment alignmentHorz READ alignmentHorz WRITE setAlignmentHorz)
    Q_PROPERTY(TVertAlignment alignmentVert READ alignmentVert WRITE setAlignmentVert)
    Q_PROPERTY(TCellBevelStyle bevelStyle READ bevelStyle WRITE setBevelStyle)
    Q_PROPERTY(
        bool proportionalScrollBars READ proportionalScrollBars WRITE setProportionalScrollBars)
    Q_PROPERTY(bool extendedKeys READ extendedKeys WRITE setExtendedKeys)
    Q_PROPERTY(bool modified READ isModified WRITE setModified NOTIFY modified)

public:
    explicit TSortGrid(QWidget *parent = nullptr);
    ~TSortGrid() override;

    // Shown on a right-button release below the header; not owned.
    QMenu *popupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu *menu) { m_popupMenu = menu; }
    const TSortOptions &sortOptions() const { return m_sortOptions; }
    void setSortOptions(const TSortOptions &options);
    const TPrintOptions &printOptions() const { return m_printOptions; }
    void setPrintOptions(const TPrintOptions &options) { m_printOptions = options; }
    bool hideRows() const { return m_hideRows; }
    void setHideRows(bool hide);
    bool filtered() const { return m_filtered; }
    // Switching it on hides the rows OnSetFilter rejects; off shows them again.
    void setFiltered(bool on);
    bool multiSelect() const { return m_multiSelect; }
    void setMultiSelect(bool on);
    QStringList userSettings() const { return m_userSettings; }
    void setUserSettings(const QStringList &settings);
    TAlignment alignmentHorz() const { return m_alignmentHorz; }
    void setAlignmentHorz(TAlignment alignment);
    TVertAlignment alignmentVert() const { return m_alignmentVert; }
    void setAlignmentVert(TVertAlignment alignment);
    TCellBevelStyle bevelStyle() const { return m_bevelStyle; }
    void setBevelStyle(TCellBevelStyle style);
    bool proportionalScrollBars() const { return m_proportionalScrollBars; }
    void setProportionalScrollBars(bool on) { m_proportionalScrollBars = on; }
    bool extendedKeys() const { return m_extendedKeys; }
    void setExtendedKeys(bool on) { m_extendedKeys = on; }

    bool isModified() const { return m_modified; }
    void setModified(bool modified);
    // While suppressed, the modified flag keeps its value.
    bool modifiedSuppressed() const { return m_modifiedSuppressed; }
    void setModifiedSuppressed(bool suppressed) { m_modifiedSuppressed = suppressed; }

    // Rows taken out by the filter; they stay stored from RowCount on.
    int hiddenRowCount() const { return m_hiddenRowCount; }
    // Rows of the selection (the current row in single selection).
    const QList<int> &selectedRows() const { return m_selectList; }
    const QList<int> &anchorRows() const { return m_anchorList; }

    void BeginUpdate() override;
    void EndUpdate() override;

    void SortRows(int ACol);
    int FindRow(int ACol, const QString &Text, bool IgnoreCase) const;
    void GoToCell(int ACol, int ARow, bool Scroll);
    void ScrollToCell(int ACol, int ARow);
    void AutoSizeColumn(int ACol, bool Force);
    void InsertRow(int ARow);
    void DeleteRow(int ARow);
    void InsertColumn(int ACol);
    void DeleteColumn(int ACol);
    void ExchangeRows(int A, int B);
    bool IsRowEmpty(int ARow) const;
    // Check-box cells (as OnGetCellFormat marks them) count "true", "1" and
    // "V" as ticked; SetChecked writes "V" or empties the cell.
    bool IsChecked(int ACol, int ARow);
    void SetChecked(int ACol, int ARow, bool State);

    // The format and kind of a cell: the defaults, then OnGetCellFormat.
    TFormatOptions cellFormat(int ACol, int ARow, TGridDrawState State, TCellKind *Kind = nullptr);
    TCellKind cellKind(int ACol, int ARow);

    // In-out events; raised only when assigned.
    std::function<void(QObject *Sender, int Col, int Row, TGridDrawState State,
                       TFormatOptions &FormatOptions, bool &CheckBox, bool &Combobox,
                       bool &Ellipsis)>
        OnGetCellFormat;
    std::function<void(const QStringList &ARows, bool &Accept)> OnSetFilter;
    std::function<void(QObject *Sender, int Col, TSortStyle &SortStyle)> OnGetSortStyle;
    // Raised as a sort begins; the handler may change the column sorted on.
    std::function<void(QObject *Sender, int &ACol)> OnBeginSort;
    std::function<void(QObject *Sender, int ACol, int ARow, const QString &OldValue,
                       QString &NewValue, bool &Valid)>
        OnCellValidate;
    std::function<void(QObject *Sender, int ACol, int ARow, QStringList &Strs, int &Width,
                       int &Height, bool &Sorted)>
        OnGetComboBox;

Q_SIGNALS:
    void modified();
    void rowSelected();
    void rowInsert(int ARow);
    void rowDelete(int ARow);
    void columnInsert(int ACol);
    void columnDelete(int ACol);
    void columnWidthsChanged();
    void rowHeightsChanged();
    void sizeChanged(int OldColCount, int OldRowCount);
    void endUpdate();
    // At the end of a sort, with its primary column.
    void endSort(int ACol);
    void setChecked(int ACol, int ARow, bool State);
    void setComboBox(int ACol, int ARow, const QString &Str);
    void setEllipsis(int ACol, int ARow);

protected:
    bool selectCell(int col, int row) override;
    void currentCellMoved() override;
    void drawCell(QPainter &canvas, int col, int row, const QRect &rect,
                  TGridDrawState state) override;
    void editorOpened(int ACol, int ARow) override;
    void setEditText(int col, int row, const QString &text) override;
    void columnMoved(int from, int to) override;
    void countsChanged(int oldColCount, int oldRowCount) override;
    void widthsChanged() override { Q_EMIT columnWidthsChanged(); }
    void heightsChanged() override { Q_EMIT rowHeightsChanged(); }

    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // The cell, its text and the modified flag when editing it began, so a
    // rejected edit can be undone.
    struct ValidationMemory
    {
        int col;
        int row;
        QString text;
        bool modified;
    };

    bool sortArrowShownIn(int col) const;
    const QImage &picture(TGridPicture which);
    void stretchLastColumn();
    void setSingleSelection(int row);
    // After a sort: the rows that were selected stay selected where they went.
    void moveSelectionWithRows(const QList<int> &order, const QList<int> &sortedSelection);
    void startRowDrag();
    void withoutAlwaysShowEditor(const std::function<void()> &change);

    void hideFilteredRows();
    void showFilteredRows(bool sort);

    void setRangeSelect(bool on);
    void makeRowCurrent(int row);
    void addSelectionRangeRows();
    // Multi-selection's part of the mouse and keys; a press it keeps from
    // the base grid returns true.
    bool multiSelectPress(QMouseEvent *event, int row);
    void multiSelectRelease(QMouseEvent *event, int row);
    void multiSelectKeyDown(QKeyEvent *event);
    void multiSelectKeyUp(QKeyEvent *event);

    // Space or a click on a check-box or ellipsis cell (x: where the click
    // ended, in viewport coordinates).
    void cellActivated(int ACol, int ARow, bool byKey, int x = 0);
    bool actsOnSpace();
    bool refusedWhileEditing(int ACol, int ARow);
    void showDropDownList(int ACol, int ARow);
    void hideDropDownList();
    void dropDownChosen(const QString &text);
    void rememberForValidation();
    void validateEditedCell();
    void focusMoved(QWidget *old, QWidget *now);
    void extendedKeyDown(const QKeyEvent *event);

    QPointer<QMenu> m_popupMenu;
    TSortOptions m_sortOptions;
    TPrintOptions m_printOptions;
    bool m_hideRows = false;
    bool m_filtered = false;
    bool m_multiSelect = false;
    QStringList m_userSettings;
    TAlignment m_alignmentHorz = TAlignment::taLeftJustify;
    TVertAlignment m_alignmentVert = TVertAlignment::taTopJustify;
    TCellBevelStyle m_bevelStyle = TCellBevelStyle::cbNone;
    bool m_proportionalScrollBars = false;
    bool m_extendedKeys = false;

    bool m_modified = false;
    bool m_modifiedSuppressed = false;
    int m_hiddenRowCount = 0;
    QList<int> m_selectList;
    QList<int> m_anchorList;
    // Row-selection events are held back while multi-selection keys are down.
    bool m_rowSelectedSuspended = false;
    bool m_rowSelectedPending = false;
    bool m_savedUpdateOnSizeChange = false;
    int m_pressCol = -1;
    int m_pressRow = -1;
    QPoint m_dragStart{-1, -1};
    bool m_dragging = false;
    bool m_entered = false;
    int m_wheelDelta = 0;
    bool m_filterPlaceholder = false;
    // Set while the Tab key moves the current cell.
    bool m_tabHeld = false;
    std::optional<ValidationMemory> m_validation;
    // Lives on the grid's form while shown.
    QPointer<TGridDropDownList> m_dropDown;
    QMetaObject::Connection m_focusConnection;
    std::map<TGridPicture, QImage> m_pictures;
};
