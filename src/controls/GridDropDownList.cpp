#include "controls/GridDropDownList.h"

#include <QKeyEvent>
#include <QMouseEvent>

TGridDropDownList::TGridDropDownList(QWidget *parent)
    : QListWidget(parent)
{
    setObjectName(QStringLiteral("DropDownList"));
    setSortingEnabled(true);
    // Reached by the grid only, never by Tab.
    setFocusPolicy(Qt::ClickFocus);
    setSelectionMode(QAbstractItemView::SingleSelection);
    hide();
}

int TGridDropDownList::itemHeight() const
{
    const QListWidgetItem *first = item(0);
    const int h = first ? visualItemRect(first).height() : 0;
    return h > 0 ? h : fontMetrics().height();
}

void TGridDropDownList::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        chooseCurrent();
        return;
    case Qt::Key_Escape:
        Q_EMIT dismissed();
        return;
    default:
        QListWidget::keyPressEvent(event);
    }
}

void TGridDropDownList::mouseReleaseEvent(QMouseEvent *event)
{
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && itemAt(event->position().toPoint()))
        chooseCurrent();
}

void TGridDropDownList::chooseCurrent()
{
    if (const QListWidgetItem *chosenItem = currentItem())
        Q_EMIT chosen(chosenItem->text());
}
