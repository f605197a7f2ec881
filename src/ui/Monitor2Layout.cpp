#include "ui/Monitor2Layout.h"

#include "ui/MainDisplayGeometry.h"

#include <cmath>
#include <cstdlib>

int roundHalfEven(double x)
{
    return int(std::nearbyint(x)); // the default rounding mode rounds halves to even
}

int pointsToPixels(int points)
{
    const int scaled = points * 96;
    return (scaled + (scaled >= 0 ? 36 : -36)) / 72;
}

double monitor2Scale(int clientWidth)
{
    return double(clientWidth) / MainDisplay::kFrameInnerWidth;
}

QRect ScaleRect(const QRect &rect, double s)
{
    const int left = roundHalfEven(rect.left() * s);
    const int top = roundHalfEven(rect.top() * s);
    const int right = roundHalfEven((rect.left() + rect.width()) * s);
    const int bottom = roundHalfEven((rect.top() + rect.height()) * s);
    return QRect(left, top, right - left, bottom - top);
}

Monitor2Layout layoutDisplay(QSize client, double s)
{
    using namespace MainDisplay;
    const int width = client.width();
    const int height = client.height();

    Monitor2Layout out;
    out.captionPointSize = roundHalfEven(kCaptionPointSize * s);
    out.captionPixelSize = pointsToPixels(out.captionPointSize);
    const int captionHeight = out.captionPixelSize;
    const int titleHeight = std::abs(roundHalfEven(out.captionPixelSize * 1.15));

    out.digitHeight = (height - captionHeight - titleHeight - 2 * captionHeight) / 2;
    out.upperRowTop = titleHeight + captionHeight;
    out.lowerRowTop = height - out.digitHeight - captionHeight / 2;

    out.panelTitle = QRect(0, 0, width, titleHeight);
    out.panelLab1 = QRect(0, titleHeight, width, captionHeight);
    out.panelLab2 = QRect(0, out.lowerRowTop - captionHeight, width, captionHeight);

    const int thickness = roundHalfEven(kDigitThickness * s);
    for (const DesignDigit &digit : kDigits) {
        QRect rect = ScaleRect(digit.rect, s);
        const int top = digit.rect.top() == kUpperRowTop ? out.upperRowTop : out.lowerRowTop;
        rect.setTop(top);
        rect.setHeight(out.digitHeight);
        out.digits.append({QString::fromLatin1(digit.name), rect, thickness});
    }

    // Both upper separators take LabMin's top; the lower one keeps the same
    // offset to its row.
    const int separatorPoints = roundHalfEven(kSeparatorPointSize * s);
    const QRect labMin = ScaleRect(kSeparators[0].rect, s);
    const int upperSeparatorTop = out.upperRowTop + out.digitHeight - labMin.height() * 73 / 100;
    for (const DesignRect &separator : kSeparators) {
        QRect rect = ScaleRect(separator.rect, s);
        const bool upper = separator.rect.top() < kLowerRowTop;
        rect.moveTop(upper ? upperSeparatorTop
                           : out.lowerRowTop + upperSeparatorTop - out.upperRowTop);
        out.separators.append({QString::fromLatin1(separator.name), rect, separatorPoints});
    }
    return out;
}
