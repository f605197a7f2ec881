// Cells that act instead of being typed into (check boxes, drop-down lists,
// ellipsis buttons), the validation of edited cells and the keys that insert
// and delete rows and columns.
#include "controls/SortGrid.h"

#include "controls/GridDropDownList.h"
#include "controls/GridRules.h"

#include <QKeyEvent>

namespace {
// The part of an ellipsis cell, from its right edge, that is the button.
constexpr int EllipsisButtonWidth = 16;
} // namespace

TCellKind TSortGrid::cellKind(int ACol, int ARow)
{
    TCellKind kind;
    cellFormat(ACol, ARow, {}, &kind);
    return kind;
}

bool TSortGrid::IsChecked(int ACol, int ARow)
{
    return cellKind(ACol, ARow).CheckBox && gridrules::isCheckedText(cells(ACol, ARow));
}

void TSortGrid::SetChecked(int ACol, int ARow, bool State)
{
    if (!cellKind(ACol, ARow).CheckBox)
        return;
    setCells(ACol, ARow, State ? QStringLiteral("V") : QString());
    invalidateRow(ARow);
    Q_EMIT setChecked(ACol, ARow, State);
}

void TSortGrid::cellActivated(int ACol, int ARow, bool byKey, int x)
{
    const TCellKind kind = cellKind(ACol, ARow);
    if (kind.CheckBox)
        SetChecked(ACol, ARow, !IsChecked(ACol, ARow));
    if (kind.Ellipsis) {
        const QRect cell = cellRect(ACol, ARow);
        if (byKey || x > cell.right() - EllipsisButtonWidth)
            Q_EMIT setEllipsis(ACol, ARow);
    }
}

bool TSortGrid::actsOnSpace()
{
    const TCellKind kind = cellKind(col(), row());
    return kind.CheckBox || kind.Combobox || kind.Ellipsis;
}

bool TSortGrid::refusedWhileEditing(int ACol, int ARow)
{
    if (!editorMode())
        return false;
    const TCellKind kind = cellKind(ACol, ARow);
    if (kind.Combobox) {
        showDropDownList(ACol, ARow);
        // Tabbing through a row goes past the drop-down cell.
        if (m_tabHeld && ACol < colCount() - 2)
            moveCurrent(ACol + 1, ARow, true, true);
        return true;
    }
    return kind.CheckBox;
}

void TSortGrid::showDropDownList(int ACol, int ARow)
{
    if (!OnGetComboBox)
        return;
    QStringList items;
    int width = 0;
    int height = 0;
    bool sorted = true;
    OnGetComboBox(this, ACol, ARow, items, width, height, sorted);
    if (items.isEmpty())
        return;

    QWidget *form = window();
    if (!m_dropDown) {
        m_dropDown = new TGridDropDownList(form);
        connect(m_dropDown, &TGridDropDownList::chosen, this, &TSortGrid::dropDownChosen);
        connect(m_dropDown, &TGridDropDownList::dismissed, this, [this] {
            hideDropDownList();
            setFocus(Qt::OtherFocusReason);
        });
    } else if (m_dropDown->parentWidget() != form) {
        m_dropDown->setParent(form);
    }
    m_dropDown->setFont(font());
    m_dropDown->clear();
    m_dropDown->setSortingEnabled(sorted);
    m_dropDown->addItems(items);
    const QList<QListWidgetItem *> same =
        m_dropDown->findItems(cells(ACol, ARow), Qt::MatchExactly);
    m_dropDown->setCurrentItem(same.isEmpty() ? m_dropDown->item(0) : same.front());
    m_dropDown->setGeometry(gridrules::dropDownListRect(cellRect(ACol, ARow), mapTo(form, QPoint()),
                                                        width, height, int(items.size()),
                                                        m_dropDown->itemHeight()));
    m_dropDown->show();
    m_dropDown->raise();
    m_dropDown->setFocus(Qt::OtherFocusReason);
}

void TSortGrid::hideDropDownList()
{
    if (m_dropDown)
        m_dropDown->hide();
}

void TSortGrid::dropDownChosen(const QString &text)
{
    int c = -1;
    int r = -1;
    mouseToCell(gridrules::dropDownListCellPoint(m_dropDown->geometry(),
                                                 mapTo(m_dropDown->parentWidget(), QPoint())),
                c, r);
    hideDropDownList();
    setFocus(Qt::OtherFocusReason);
    if (c < 0 || r < 1)
        return;
    setCells(c, r, text);
    invalidateGrid();
    Q_EMIT setComboBox(c, r, text);
}

void TSortGrid::rememberForValidation()
{
    if (!editorMode()) {
        m_validation.reset();
        return;
    }
    m_validation = ValidationMemory{col(), row(), shownEditText(col(), row()), m_modified};
}

void TSortGrid::editorOpened(int ACol, int ARow)
{
    // Whatever opened the editor, its edit is validated against this text.
    m_validation = ValidationMemory{ACol, ARow, getEditText(ACol, ARow), m_modified};
}

void TSortGrid::validateEditedCell()
{
    if (!editorMode() || !m_validation) {
        rememberForValidation();
        return;
    }
    const ValidationMemory memory = *m_validation;
    const QString current = shownEditText(memory.col, memory.row);
    if (current != memory.text) {
        QString newValue = current;
        bool valid = true;
        if (OnCellValidate)
            OnCellValidate(this, memory.col, memory.row, memory.text, newValue, valid);
        if (newValue != current)
            replaceEditText(memory.col, memory.row, newValue);
        else if (!valid)
            replaceEditText(memory.col, memory.row, memory.text);
        if (!valid)
            setModified(memory.modified);
    }
    rememberForValidation();
}

void TSortGrid::focusMoved(QWidget *old, QWidget *now)
{
    const auto inGrid = [this](QWidget *w) { return w && (w == this || isAncestorOf(w)); };
    if (inGrid(now) && !inGrid(old)) {
        m_entered = true;
        rememberForValidation();
    } else if (inGrid(old) && !inGrid(now)) {
        validateEditedCell();
        m_entered = false;
    }
}

void TSortGrid::extendedKeyDown(const QKeyEvent *event)
{
    if (!m_extendedKeys || editorMode() || !(event->modifiers() & Qt::ControlModifier))
        return;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Insert:
        if (shift)
            InsertColumn(col());
        else
            InsertRow(row());
        return;
    case Qt::Key_Delete:
        if (shift && colCount() > 1)
            DeleteColumn(col());
        else if (!shift && rowCount() > 2)
            DeleteRow(row());
        return;
    default:
        return;
    }
}
