#include "ui/DlgYesNo.h"

#include "ui/DialogBorder.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace {

// A blue question mark in a white speech bubble on a transparent ground.
QPixmap questionIcon(qreal devicePixelRatio)
{
    const int side = qRound(32 * devicePixelRatio);
    QPixmap pixmap(side, side);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath bubble;
    bubble.addEllipse(QRectF(1.5, 1.5, 29, 24));
    QPainterPath tail;
    tail.moveTo(8, 20);
    tail.lineTo(5, 30.5);
    tail.lineTo(16, 24);
    tail.closeSubpath();
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.2));
    painter.setBrush(Qt::white);
    painter.drawPath(bubble.united(tail));

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(21);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0x00, 0x40, 0xD0));
    painter.drawText(QRectF(1.5, 1.5, 29, 24), Qt::AlignCenter, QStringLiteral("?"));
    return pixmap;
}

} // namespace

TFDlgYesNo::TFDlgYesNo(const QString &title, QWidget *parent)
    : QDialog(parent)
    , Icon(new QLabel(this))
    , Label1(new QLabel(QStringLiteral("?"), this))
    , OKBtn(new QPushButton(QStringLiteral("Ja"), this))
    , CancelBtn(new QPushButton(QStringLiteral("Nein"), this))
{
    setObjectName(QStringLiteral("FDlgYesNo"));
    setDialogBorder(this, QSize(222, 94));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowTitle(title);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);

    Icon->setObjectName(QStringLiteral("Icon"));
    Icon->setGeometry(4, 14, 32, 32);
    Icon->setPixmap(questionIcon(devicePixelRatio()));

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(40, 6, 169, 49);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    // Questions are shown as written, never read as markup.
    Label1->setTextFormat(Qt::PlainText);

    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(39, 60, 75, 25);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(135, 60, 75, 25);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(OKBtn, CancelBtn);
}

QString TFDlgYesNo::question() const
{
    return Label1->text();
}

void TFDlgYesNo::setQuestion(const QString &question)
{
    Label1->setText(question);
}

void TFDlgYesNo::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    OKBtn->setFocus(Qt::ActiveWindowFocusReason);
}
