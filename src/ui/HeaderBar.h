#pragma once

class QLabel;
class QWidget;
class TColorSpeedButton;
class TWordmark;

// The header bar's controls: the help, settings and information buttons, the
// maker's wordmark and the date panel at the right end.
struct HeaderBar
{
    TColorSpeedButton *bHelp;
    TColorSpeedButton *bCFG;
    TColorSpeedButton *bInfo;
    TWordmark *wordmark;
    QLabel *PanelDate;
};

// Puts the header controls on the bar (38 high) at their places.
HeaderBar createHeaderBar(QWidget &bar);
