#pragma once

#include <QCoreApplication>
#include <QPaintEvent>

#include <functional>

// A control that counts its paints, to tell painting at once (before a setter
// returns) from invalidating (painting in the next cycle).
template <typename Control> class PaintCounting : public Control
{
public:
    using Control::Control;
    int paints = 0;

    // How often change() painted before it returned; pending paints run first.
    int paintsDuring(const std::function<void()> &change)
    {
        QCoreApplication::processEvents();
        const int before = paints;
        change();
        return paints - before;
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        ++paints;
        Control::paintEvent(event);
    }
};
