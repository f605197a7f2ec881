#pragma once

#include "controls/Colors.h"
#include "timing/TimeDisplay.h"

#include <QWidget>

class QLabel;
class TDigit;

// The running time, the split time, the start numbers and a title line,
// full-screen on the monitor chosen in the settings, for the audience. A scaled
// copy of the main window's display panel. Created once at program start and
// hidden, not destroyed, when closed; everything written to it while hidden
// shows when it is next shown.
class TFormMonitor2 : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int monitor READ monitor WRITE setMonitor)

public:
    // title: the title line, taken once. monitor: index into the screen list.
    // parent: the main window, above which this window stays.
    TFormMonitor2(const QString &title, int monitor, QWidget *parent = nullptr);

    int monitor() const { return m_monitor; }
    // Takes effect with the next PlaceOnMonitor.
    void setMonitor(int monitor) { m_monitor = monitor; }

    // Covers the whole monitor `monitor` (an index outside the screen list
    // means the primary screen) and lays the display out for it.
    void PlaceOnMonitor();
    // Covers `bounds` and lays the display out for it.
    void placeOn(const QRect &bounds);
    void LayoutDisplay();
    double scale() const { return m_scale; }

    // The digit values and lit colours of one row (see showDigits()).
    void showDigits(const QList<DigitShow> &shows, TColor activeColor);
    // On reset: seconds and hundredths of the upper row and its comma lit in `activeColor`.
    void resetColors(TColor activeColor);
    void setTime2Caption(const QString &caption);
    void setStartNumber(int current);
    void setNextNumber(int next);
    void setStartNumbers(int current, int next);

    // Escape closes the window while it shows monitor 0 or covers the main
    // window (its parent); true when the key was handled here.
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift);
    bool coversMainWindow() const;

Q_SIGNALS:
    // Shown or hidden; the main window's "TV on" switch follows it.
    void visibilityChanged(bool shown);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *makeLabel(const char *name, const QString &text, QWidget *parent);
    TDigit *makeDigit(const char *name, TColor lit);

    QLabel *PanelTitle;
    QWidget *PanelLab1;
    QLabel *LabStart1;
    QLabel *LabNext1;
    QWidget *PanelLab2;
    QLabel *LabelTime2;
    QLabel *LabMin;
    QLabel *LabSec;
    QLabel *LabSec2;

    int m_monitor;
    double m_scale = 1.0;
    bool m_reportedShown = false;
};
