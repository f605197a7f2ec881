#pragma once

#include <QListWidget>

// The list a drop-down cell shows: an item is chosen by a click on it, by
// Enter or by Space; Escape closes the list without choosing.
class TGridDropDownList : public QListWidget
{
    Q_OBJECT
public:
    explicit TGridDropDownList(QWidget *parent = nullptr);

    // Height of one item in the list's font.
    int itemHeight() const;

Q_SIGNALS:
    void chosen(const QString &text);
    void dismissed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void chooseCurrent();
};
