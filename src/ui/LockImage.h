#pragma once

#include <QLabel>
#include <QList>
#include <QPixmap>

// A list of equally sized pictures, picked by number.
class TImageList : public QObject
{
    Q_OBJECT

public:
    TImageList(QList<QPixmap> pictures, QObject *parent);

    qsizetype count() const { return m_pictures.size(); }
    // An empty picture for a number outside the list.
    QPixmap picture(qsizetype index) const { return m_pictures.value(index); }

private:
    QList<QPixmap> m_pictures;
};

// A picture that carries a number (Tag) and reports clicks, like the icons of
// the barrier locks.
class TLockImage : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(int tag READ tag WRITE setTag)

public:
    explicit TLockImage(QWidget *parent = nullptr);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_tag = 0;
};
