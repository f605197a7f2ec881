#include "controls/GridInplaceEdit.h"

#include "controls/MyGrids.h"

#include <QKeyEvent>

TMyInplaceEdit::TMyInplaceEdit(TMyCustomGrid *grid)
    : QLineEdit(grid->viewport())
    , m_grid(grid)
{
    setObjectName(QStringLiteral("InplaceEditor"));
    setFrame(false);
    hide();
}

void TMyInplaceEdit::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        m_grid->keyPressEvent(event);
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void TMyInplaceEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Leaving the grid keeps what was typed, as moving to another cell does.
    if (isVisible() && editCol >= 0 && m_grid->getEditText(editCol, editRow) != text())
        m_grid->setEditText(editCol, editRow, text());
}
