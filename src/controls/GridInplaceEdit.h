#pragma once

#include <QLineEdit>

class TMyCustomGrid;

// The grid's in-place cell editor. Keys that move between cells, and Enter
// and Escape, belong to the grid.
class TMyInplaceEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit TMyInplaceEdit(TMyCustomGrid *grid);

    // The cell whose text the editor holds.
    int editCol = -1;
    int editRow = -1;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    TMyCustomGrid *m_grid;
};
