#include "ui/PortNotice.h"

#include "controls/Colors.h"

QString portNoticeText(TPortRecovery::State state, int port, const QString &device)
{
    const QString com = QStringLiteral("COM") + QString::number(port);
    switch (state) {
    case TPortRecovery::State::Lost:
        return QStringLiteral("Schranken getrennt \u2014 ") + com +
               QStringLiteral("\nAdapter und Kabel pr\u00FCfen; Tavrin verbindet sich von selbst "
                              "wieder. Ein laufender Lauf wird mit F9 gestoppt.");
    case TPortRecovery::State::Missing:
        return QStringLiteral("Schranken nicht gefunden \u2014 ") + com +
               QStringLiteral("\nAdapter einstecken; Tavrin verbindet sich von selbst.");
    case TPortRecovery::State::AccessDenied:
        return QStringLiteral("Keine Berechtigung f\u00FCr ") + device +
               QStringLiteral(" \u2014 Benutzer zur Gruppe dialout hinzuf\u00FCgen und neu "
                              "anmelden");
    case TPortRecovery::State::Idle:
    case TPortRecovery::State::Connected:
        break;
    }
    return {};
}

TPortNotice::TPortNotice(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("LabelPortNotice"));
    setWordWrap(true);
    setMargin(6);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    font.setBold(true);
    setFont(font);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, toQColor(clRed));
    colors.setColor(QPalette::WindowText, toQColor(clWhite));
    setPalette(colors);
    setAutoFillBackground(true);
    hide();
}

void TPortNotice::showState(TPortRecovery::State state, int port, const QString &device)
{
    const QString text = portNoticeText(state, port, device);
    setText(text);
    setVisible(!text.isEmpty());
}
