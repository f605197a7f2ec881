#include "ui/Cfg.h"

#include "controls/FlEdit.h"
#include "platform/serial/SerialDevice.h"
#include "settings/CfgChoices.h"
#include "settings/Settings.h"
#include "ui/CfgTrack.h"
#include "ui/DialogBorder.h"
#include "ui/FSxema.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

#include <algorithm>

namespace {

// A group box whose etched frame runs through the middle of its caption, so
// all of the box is content: the track picture starts right under the caption.
class CaptionedFrame : public QGroupBox
{
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const QRect frame = rect().adjusted(0, metrics.height() / 2, -2, -2);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(frame);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawRect(frame.translated(1, 1));
        const QRect caption(6, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
        painter.fillRect(caption, palette().window());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(caption, Qt::AlignCenter, title());
    }
};

// An integer field that takes at most `typedLimit` characters from the
// keyboard; a value set from outside shows in full (1000 in a 3-character
// field), which a line edit's maximum length would cut.
class TypedLimitSpinBox : public QSpinBox
{
public:
    TypedLimitSpinBox(int typedLimit, QWidget *parent)
        : QSpinBox(parent)
        , m_typedLimit(typedLimit)
    {
    }

    QValidator::State validate(QString &text, int &pos) const override
    {
        if (text.size() > m_typedLimit && text != textFromValue(value()))
            return QValidator::Invalid;
        return QSpinBox::validate(text, pos);
    }

private:
    int m_typedLimit;
};

QLabel *label(const QString &text, QRect bounds, QWidget *parent)
{
    auto *control = new QLabel(text, parent);
    control->setGeometry(bounds);
    return control;
}

QSpinBox *distanceField(const char *name, QRect bounds, SettingRange range, int value,
                        int typedLimit, QWidget *parent)
{
    auto *field = new TypedLimitSpinBox(typedLimit, parent);
    field->setObjectName(QLatin1String(name));
    field->setGeometry(bounds);
    field->setRange(range.min, range.max);
    // A distance typed beyond a limit becomes that limit, not the old value.
    field->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    field->setValue(value);
    label(QStringLiteral("m"), QRect(bounds.right() + 3, bounds.top() + 4, 10, 13), parent);
    return field;
}

QComboBox *dropDown(const char *name, QRect bounds, QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(bounds);
    list->setMaxVisibleItems(20);
    return list;
}

// The field's text as it was typed, taken to the nearest limit as the field
// itself does when it is left; its minimum when the text is no integer.
int integerOrMinimum(const QString &text, const QSpinBox *field)
{
    return std::clamp(integerIn(text).value_or(field->minimum()), field->minimum(),
                      field->maximum());
}

} // namespace

TCfgDialog::TCfgDialog(quint32 probedPorts, QWidget *parent)
    : QDialog(parent)
{
    createControls();
    FormCreate(probedPorts);
}

void TCfgDialog::createControls()
{
    setObjectName(QStringLiteral("CfgDialog"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    setDialogBorder(this, QSize(479, 287));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);

    gbLS = new CaptionedFrame(QStringLiteral("Lichtschranken"), this);
    gbLS->setObjectName(QStringLiteral("gbLS"));
    gbLS->setGeometry(8, 4, 465, 157);
    new TTrackPicture(gbLS);

    se3 = distanceField("se3", {128, 16, 50, 22}, kLength3Range, 10, 3, gbLS);
    se2 = distanceField("se2", {128, 64, 50, 22}, kLength2Range, 5, 3, gbLS);
    se4 = distanceField("se4", {338, 64, 50, 22}, kLength4Range, 15, 3, gbLS);
    sfLen = distanceField("sfLen", {360, 20, 52, 22}, kLengthRange, 30, 6, gbLS);
    Label2 = label({}, {270, 24, 87, 13}, gbLS);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto *bevel = new QFrame(gbLS);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(0, 95, 465, 2);

    const struct
    {
        const char *name;
        int top;
        QColor color;
        const char *pins;
        const char *hint;
    } legend[] = {
        {"Shape6", 101, kStartLineColor, "4-6", "Ampel"},
        {"Shape7", 120, kIntermediateLineColor, "1-4", ""},
        {"Shape8", 139, kStopLineColor, "7-8", "Beschleunigung-LS2"},
    };
    for (const auto &entry : legend) {
        auto *circle = new TShape(QLatin1String(entry.name), entry.color, gbLS);
        circle->move(97, entry.top);
        circle->setToolTip(QLatin1String(entry.hint));
        label(QLatin1String(entry.pins), {114, entry.top, 24, 13}, gbLS);
    }

    label(QStringLiteral("Port:"), {28, 101, 60, 13}, gbLS);
    cbPort = dropDown("cbPort", {28, 116, 63, 21}, gbLS);
    label(QStringLiteral("Algorithmus:"), {207, 101, 80, 13}, gbLS);
    cbAlg = dropDown("cbAlg", {207, 116, 43, 21}, gbLS);
    cbAlg->addItems({QStringLiteral("Ein"), QStringLiteral("Aus")});
    label(QStringLiteral("Sperrzeit:"), {298, 101, 70, 13}, gbLS);
    seWait = new TSpinFloatEdit(gbLS);
    seWait->setObjectName(QStringLiteral("seWait"));
    seWait->setGeometry(298, 116, 47, 21);
    seWait->setDigits(2);
    seWait->setIncrement(0.01);
    seWait->setMax(kWaitStartRange.max / 1000.0);
    seWait->setMin(kWaitStartRange.min / 1000.0);
    label(QStringLiteral("Sek."), {348, 120, 26, 13}, gbLS);
    Button1 = new QPushButton(QStringLiteral("Schema"), gbLS);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(376, 112, 75, 25);

    LabMonitor = label(QStringLiteral("TV-Ausgang:"), {40, 168, 110, 13}, this);
    LabMonitor->setObjectName(QStringLiteral("LabMonitor"));
    LabMonitor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cbMonitor = dropDown("cbMonitor", {152, 165, 202, 21}, this);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(80, 252, 81, 25);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(288, 252, 81, 25);

    QWidget *const tabOrder[] = {OKBtn, CancelBtn, cbPort, cbAlg,   seWait,   se3,
                                 se4,   se2,       sfLen,  Button1, cbMonitor};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button1, &QPushButton::clicked, this, &TCfgDialog::Button1Click);
    connect(cbPort, &QComboBox::currentIndexChanged, this, &TCfgDialog::cbPortChange);
}

void TCfgDialog::FormCreate(quint32 probedPorts)
{
    setProbedPorts(probedPorts);
    seWait->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label2->setText(QStringLiteral("Streckenl\u00E4nge:"));
}

void TCfgDialog::setProbedPorts(quint32 probedPorts)
{
    cbPort->clear();
    for (const QString &entry : portEntries(probedPorts))
        addPortEntry(entry);
}

void TCfgDialog::addPortEntry(const QString &entry, int index)
{
    const int at = index < 0 ? cbPort->count() : index;
    cbPort->insertItem(at, entry);
    if (const int port = portOfEntry(entry))
        cbPort->setItemData(at, platform::serial::deviceName(port), Qt::ToolTipRole);
}

void TCfgDialog::setSxemaWindow(TFormSxema *window)
{
    m_sxema = window;
}

void TCfgDialog::fill(const Settings &settings, int port, qint32 lockoutInterval)
{
    int entry = 0;
    if (port != 0) {
        // A port not found now (unplugged, or held open by this program) is
        // still the chosen one: listed in its place, so "OK" keeps it.
        const QString name = QStringLiteral("COM%1").arg(port);
        entry = cbPort->findText(name);
        if (entry < 0) {
            entry = 1;
            while (entry < cbPort->count() && portOfEntry(cbPort->itemText(entry)) < port)
                ++entry;
            addPortEntry(name, entry);
        }
    }
    cbPort->setCurrentIndex(entry);
    cbPortChange();
    cbAlg->setCurrentIndex(settings.Alg);
    seWait->setValue(lockoutInterval / 1000.0);
    sfLen->setValue(settings.Length);
    se2->setValue(settings.Length2);
    se3->setValue(settings.Length3);
    se4->setValue(settings.Length4);
    m_monitor = settings.Monitor;
}

int TCfgDialog::chosenPort() const
{
    return portOfEntry(cbPort->currentText());
}

int TCfgDialog::chosenMode() const
{
    return cbAlg->currentIndex();
}

qint32 TCfgDialog::chosenLockoutInterval() const
{
    return lockoutInterval(seWait->value());
}

int TCfgDialog::chosenLength2() const
{
    return integerOrMinimum(m_closingTexts.length2, se2);
}

int TCfgDialog::chosenLength3() const
{
    return integerOrMinimum(m_closingTexts.length3, se3);
}

int TCfgDialog::chosenLength4() const
{
    return integerOrMinimum(m_closingTexts.length4, se4);
}

std::optional<int> TCfgDialog::chosenLength() const
{
    if (const auto length = integerIn(m_closingTexts.length))
        return std::clamp(*length, sfLen->minimum(), sfLen->maximum());
    return std::nullopt;
}

QString TCfgDialog::lengthText() const
{
    return m_closingTexts.length;
}

int TCfgDialog::chosenMonitor() const
{
    return qMax(0, cbMonitor->currentIndex());
}

void TCfgDialog::done(int result)
{
    m_closingTexts = {se2->cleanText(), se3->cleanText(), se4->cleanText(), sfLen->cleanText()};
    QDialog::done(result);
}

void TCfgDialog::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
    OKBtn->setFocus(Qt::ActiveWindowFocusReason);
}

void TCfgDialog::FormShow()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    const bool several = screens.size() > 1;
    cbMonitor->setEnabled(several);
    LabMonitor->setEnabled(several);
    cbMonitor->clear();
    if (several) {
        for (int i = 0; i < screens.size(); ++i)
            cbMonitor->addItem(monitorEntry(i, screens.at(i)->geometry()));
        // A monitor unplugged since the settings were read: the first one.
        cbMonitor->setCurrentIndex(m_monitor >= 0 && m_monitor < screens.size() ? m_monitor : 0);
    } else {
        cbMonitor->addItem(QStringLiteral("Kein"));
        cbMonitor->setCurrentIndex(0);
    }
    cbPortChange();
}

void TCfgDialog::cbPortChange()
{
    const bool port = cbPort->currentIndex() > 0;
    for (QWidget *control : std::initializer_list<QWidget *>{cbAlg, seWait, se2, se3, se4})
        control->setEnabled(port);
}

void TCfgDialog::Button1Click()
{
    if (m_sxema)
        m_sxema->exec();
}
