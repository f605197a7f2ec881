#include "ui/Wordmark.h"

#include "controls/Colors.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

const QString kFirstPart = QStringLiteral("Kor");
const QString kRest = QStringLiteral("vel");
constexpr int kShadowOffset = 2;

} // namespace

TWordmark::TWordmark(QWidget *parent)
    : QWidget(parent)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(27);
    font.setBold(true);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    resize(sizeHint());
}

QSize TWordmark::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(kFirstPart + kRest) + kShadowOffset,
            metrics.height() + kShadowOffset};
}

void TWordmark::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    const QFontMetrics metrics(font());
    const int baseline = metrics.ascent();
    const int restLeft = metrics.horizontalAdvance(kFirstPart);
    painter.setPen(toQColor(clBlack));
    painter.drawText(kShadowOffset, baseline + kShadowOffset, kFirstPart + kRest);
    painter.setPen(toQColor(clRed));
    painter.drawText(0, baseline, kFirstPart);
    painter.setPen(toQColor(clGreen));
    painter.drawText(restLeft, baseline, kRest);
}

void TWordmark::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}
