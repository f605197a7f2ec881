#pragma once

#include <QWidget>

// The maker's wordmark: its first part red, the rest green, over a black
// copy two pixels to the right and below. Reports clicks.
class TWordmark : public QWidget
{
    Q_OBJECT

public:
    explicit TWordmark(QWidget *parent = nullptr);

    QSize sizeHint() const override;

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
