#pragma once

#include <QDialog>
#include <QPointer>

#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TFormSxema;
class TSpinFloatEdit;
struct Settings;

// The settings dialog ("Einstellungen"): serial port, line-polarity mode,
// barrier lockout, the four distances of the track and the monitor of the
// second display. Created once at program start and shown again and again;
// the main window fills it before each showing and takes the values back
// after "OK". The dialog itself reads and writes no settings.
class TCfgDialog : public QDialog
{
    Q_OBJECT

public:
    // probedPorts: the serial ports found at start-up (bit n-1 for port n, the
    // highest n in the high word), listed for the whole run of the program.
    // parent: the main window, on which the dialog is centred.
    explicit TCfgDialog(quint32 probedPorts, QWidget *parent = nullptr);

    // The wiring diagram that "Schema" shows; nullptr: none.
    void setSxemaWindow(TFormSxema *window);

    // Lists the ports of a new search (as for the constructor).
    void setProbedPorts(quint32 probedPorts);

    // Before showing: the port entry of `port` (listed also when it was not
    // found, so "OK" keeps it; "Kein" for 0), the mode, the lockout in
    // seconds, the distances, and the monitor that the monitor list selects
    // when it is filled on showing.
    void fill(const Settings &settings, int port, qint32 lockoutInterval);

    // After closing. The port number of the chosen entry; 0 for "Kein".
    int chosenPort() const;
    // The chosen mode (0 "Ein", 1 "Aus").
    int chosenMode() const;
    // The lockout in milliseconds, rounded to the nearest.
    qint32 chosenLockoutInterval() const;
    // The intermediate distances: each field's integer as the dialog closed,
    // taken into the field's range, or its minimum when its text was not an
    // integer.
    int chosenLength2() const;
    int chosenLength3() const;
    int chosenLength4() const;
    // The track length, taken into the field's range; none when the field's
    // text is not an integer.
    std::optional<int> chosenLength() const;
    QString lengthText() const;
    // The index of the chosen monitor; 0 when there is only one.
    int chosenMonitor() const;

    // Fills the monitor list and refreshes the enabled states.
    void FormShow();
    // Port, mode, lockout and the intermediate distances count only with a port.
    void cbPortChange();
    // Shows the wiring diagram modally.
    void Button1Click();

    // Takes the distance texts as the dialog closes.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The distance fields' texts at closing: a hidden spin field puts back
    // its last valid value, and the take-back must see what was entered.
    struct DistanceTexts
    {
        QString length2, length3, length4, length;
    };

    void createControls();
    void FormCreate(quint32 probedPorts);
    // Adds a port list entry at index (-1: at the end), with its device as hint.
    void addPortEntry(const QString &entry, int index = -1);

    QPointer<TFormSxema> m_sxema;
    int m_monitor = 0;
    DistanceTexts m_closingTexts;

    QGroupBox *gbLS = nullptr;
    QSpinBox *se2 = nullptr;
    QSpinBox *se3 = nullptr;
    QSpinBox *se4 = nullptr;
    QSpinBox *sfLen = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *cbPort = nullptr;
    QComboBox *cbAlg = nullptr;
    TSpinFloatEdit *seWait = nullptr;
    QPushButton *Button1 = nullptr;
    QLabel *LabMonitor = nullptr;
    QComboBox *cbMonitor = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
};
