#include "controls/FlEdit.h"
#include "controls/FloatKeyFilter.h"
#include "controls/FloatText.h"
#include "controls/SpinButton.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

Q_DECLARE_METATYPE(FloatKeyAction)

namespace {

// Closes every message box that opens while it lives and remembers its text.
class MessageBoxCloser : public QObject
{
public:
    MessageBoxCloser()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->done(QMessageBox::Ok);
            }
        });
        m_timer.start(10);
    }
    QStringList texts;

private:
    QTimer m_timer;
};

// The configuration dialog's lockout field.
void makeLockoutField(TSpinFloatEdit &edit)
{
    edit.setMax(600);
    edit.setDigits(2);
    edit.setIncrement(0.01);
    edit.setValue(0.2);
}

QString sep(const char *text)
{
    return QString::fromLatin1(text).replace(u'#', QLocale().decimalPoint());
}

} // namespace

class TestFlEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    // number texts
    void convertFloat_data();
    void convertFloat();
    void formatFloat_data();
    void formatFloat();
    void readValueCountsPartialTextsAsZero();

    // key filter
    void filterKey_data();
    void filterKey();

    // the field
    void startsAtMinimumWithOneDecimal();
    void typingFollowsTheLocale_data();
    void typingFollowsTheLocale();
    void typedRangeAndExponent();
    void enterGoesToHandlerAndWindowOnly();
    void onKeyPressSeesRejectedAndCanDrop();
    void escapeRestoresValueAtEntry();
    void leavingWithInvalidTextKeepsFocus();
    void leavingFormatsAndRaisesExit();
    void errorMessageOnlyWhenSet();
    void limitsThrowAndKeepState();
    void digitsReformat();
    void stepsByButtonsAndArrows();
    void readOnlyAndComputedIncrement();
    void editorDisabledBlocksTyping();
    void buttonGivesFocusToField();
    void heightNeverBelowMinimum();
    void textStaysLeftOfButtons();
    void look();

private:
    std::unique_ptr<QWidget> m_window;
    QLineEdit *m_neutral = nullptr;
    TSpinFloatEdit *addField();
    void showWindow();
};

void TestFlEdit::init()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    m_window = std::make_unique<QWidget>();
    auto *grid = new QGridLayout(m_window.get());
    // Takes the focus when the window is shown, so fields are entered on purpose.
    m_neutral = new QLineEdit(m_window.get());
    grid->addWidget(m_neutral, 0, 0);
}

void TestFlEdit::cleanup()
{
    m_window.reset();
    QLocale::setDefault(QLocale::c());
}

TSpinFloatEdit *TestFlEdit::addField()
{
    auto *edit = new TSpinFloatEdit(m_window.get());
    auto *grid = static_cast<QGridLayout *>(m_window->layout());
    grid->addWidget(edit, grid->rowCount(), 0);
    return edit;
}

void TestFlEdit::showWindow()
{
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QVERIFY(m_neutral->hasFocus());
}

// ---- number texts ---------------------------------------------------------

void TestFlEdit::convertFloat_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<bool>("converts");
    QTest::addColumn<double>("number");
    const QChar comma(u','), point(u'.');
    QTest::newRow("integer") << QStringLiteral("600") << comma << true << 600.0;
    QTest::newRow("comma") << QStringLiteral("0,25") << comma << true << 0.25;
    QTest::newRow("point") << QStringLiteral("0.25") << point << true << 0.25;
    // No thousands separators here: a point and a comma both mark the decimals.
    QTest::newRow("point in German") << QStringLiteral("0.25") << comma << true << 0.25;
    QTest::newRow("comma in English") << QStringLiteral("0,25") << point << true << 0.25;
    QTest::newRow("point and comma") << QStringLiteral("1.000,5") << comma << false << 0.0;
    QTest::newRow("trailing separator") << QStringLiteral("5,") << comma << true << 5.0;
    QTest::newRow("leading separator") << QStringLiteral(",5") << comma << true << 0.5;
    QTest::newRow("minus zero") << QStringLiteral("-0") << comma << true << 0.0;
    QTest::newRow("negative") << QStringLiteral("-1,5") << comma << true << -1.5;
    QTest::newRow("plus") << QStringLiteral("+3") << comma << true << 3.0;
    QTest::newRow("blanks") << QStringLiteral(" 7 ") << comma << true << 7.0;
    QTest::newRow("exponent") << QStringLiteral("2,5e-1") << comma << true << 0.25;
    QTest::newRow("upper exponent") << QStringLiteral("1E3") << comma << true << 1000.0;
    QTest::newRow("bare e") << QStringLiteral("1e") << comma << true << 1.0;
    QTest::newRow("bare e sign") << QStringLiteral("1e-") << comma << true << 1.0;
    QTest::newRow("empty") << QString() << comma << false << 0.0;
    QTest::newRow("minus") << QStringLiteral("-") << comma << false << 0.0;
    QTest::newRow("separator") << QStringLiteral(",") << comma << false << 0.0;
    QTest::newRow("minus separator") << QStringLiteral("-,") << comma << false << 0.0;
    QTest::newRow("e") << QStringLiteral("e") << comma << false << 0.0;
    QTest::newRow("two separators") << QStringLiteral("1,2,3") << comma << false << 0.0;
    QTest::newRow("two signs") << QStringLiteral("--1") << comma << false << 0.0;
    QTest::newRow("letters") << QStringLiteral("1e5x") << comma << false << 0.0;
    QTest::newRow("point, not thousands") << QStringLiteral("1.000") << comma << true << 1.0;
    QTest::newRow("overflow") << QStringLiteral("1e999") << comma << false << 0.0;
}

void TestFlEdit::convertFloat()
{
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(bool, converts);
    QFETCH(double, number);
    const auto result = ConvertFloat(text, separator);
    QCOMPARE(result.has_value(), converts);
    if (converts)
        QCOMPARE(*result, number);
}

void TestFlEdit::formatFloat_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("text");
    const QChar comma(u','), point(u'.');
    QTest::newRow("default") << 0.0 << 1 << comma << QStringLiteral("0,0");
    QTest::newRow("lockout") << 0.2 << 2 << comma << QStringLiteral("0,20");
    QTest::newRow("english") << 0.2 << 2 << point << QStringLiteral("0.20");
    QTest::newRow("maximum") << 600.0 << 2 << comma << QStringLiteral("600,00");
    QTest::newRow("step sum") << 0.2 + 0.01 << 2 << comma << QStringLiteral("0,21");
    QTest::newRow("half up") << 0.015 << 2 << comma << QStringLiteral("0,02");
    QTest::newRow("half away") << -2.5 << 0 << comma << QStringLiteral("-3");
    QTest::newRow("carry") << 9.999 << 2 << comma << QStringLiteral("10,00");
    QTest::newRow("no minus zero") << -0.001 << 2 << comma << QStringLiteral("0,00");
    QTest::newRow("negative zero") << -0.0 << 1 << comma << QStringLiteral("0,0");
    QTest::newRow("no thousands") << 1234567.5 << 1 << comma << QStringLiteral("1234567,5");
    QTest::newRow("small") << 0.0001 << 4 << comma << QStringLiteral("0,0001");
    QTest::newRow("below shown") << 0.00004 << 4 << comma << QStringLiteral("0,0000");
    QTest::newRow("18 decimals") << 0.1 << 18 << comma << QStringLiteral("0,100000000000000000");
    QTest::newRow("over 18") << 0.1 << 40 << comma << QStringLiteral("0,100000000000000000");
    QTest::newRow("huge") << 1.5e20 << 2 << comma << QStringLiteral("1,5E+20");
}

void TestFlEdit::formatFloat()
{
    QFETCH(double, value);
    QFETCH(int, digits);
    QFETCH(QChar, separator);
    QFETCH(QString, text);
    QCOMPARE(FormatFloat(value, digits, separator), text);
    // The text reads back as a number in the field's own conversion.
    QVERIFY(ConvertFloat(text, separator).has_value());
}

void TestFlEdit::readValueCountsPartialTextsAsZero()
{
    const QChar comma(u',');
    QCOMPARE(ReadFloatValue(QStringLiteral("-"), comma, -5, 5), 0.0);
    QCOMPARE(ReadFloatValue(QStringLiteral("-"), comma, 2, 5), 2.0); // 0 limited
    QCOMPARE(ReadFloatValue(QStringLiteral(","), comma, -5, 5), 0.0);
    QCOMPARE(ReadFloatValue(QStringLiteral("E"), comma, -5, 5), 0.0);
    QCOMPARE(ReadFloatValue(QString(), comma, -5, 5), 0.0);
    QCOMPARE(ReadFloatValue(QStringLiteral("abc"), comma, -5, 5), -5.0);
    QCOMPARE(ReadFloatValue(QStringLiteral("700"), comma, 0, 600), 600.0);
    QCOMPARE(ReadFloatValue(QStringLiteral("-3"), comma, 0, 600), 0.0);
    QCOMPARE(ReadFloatValue(QStringLiteral("3,5"), comma, 0, 600), 3.5);
}

// ---- key filter -----------------------------------------------------------

void TestFlEdit::filterKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<double>("min");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<FloatKeyAction>("action");
    QTest::addColumn<QString>("newText");
    QTest::addColumn<int>("newSelStart");
    QTest::addColumn<QChar>("inserted");

    using A = FloatKeyAction;
    const QChar comma(u','), point(u'.');
    const QString none;
    auto row = [&](const char *name, const char *text, int start, int length, char16_t key,
                   double min, int digits, QChar separator, A action, const QString &newText = {},
                   int newStart = 0, QChar inserted = {}) {
        QTest::newRow(name) << QString::fromLatin1(text) << start << length << QChar(key) << min
                            << digits << separator << action << newText << newStart
                            << (inserted.isNull() ? QChar(key) : inserted);
    };
    row("first zero", "", 0, 0, u'0', 0, 2, comma, A::Accept);
    row("separator after 0", "0", 1, 0, u',', 0, 2, comma, A::Accept);
    row("first decimal", "0,", 2, 0, u'2', 0, 2, comma, A::Accept);
    row("second decimal", "0,2", 3, 0, u'5', 0, 2, comma, A::Accept);
    row("third decimal", "0,25", 4, 0, u'1', 0, 2, comma, A::Reject);
    row("decimal typed in front", "0,25", 2, 0, u'1', 0, 2, comma, A::Reject);
    row("lone separator", "", 0, 0, u',', 0, 2, comma, A::ReplaceText, QStringLiteral("0,0"), 2);
    row("lone point", "", 0, 0, u'.', 0, 2, point, A::ReplaceText, QStringLiteral("0.0"), 2);
    row("separator over all", "12", 0, 2, u',', 0, 2, comma, A::ReplaceText, QStringLiteral("0,0"),
        2);
    row("lone minus", "", 0, 0, u'-', 0, 2, comma, A::ReplaceText, QStringLiteral("-0"), 1);
    row("digit after minus, min 0", "-0", 1, 1, u'5', 0, 2, comma, A::Reject);
    row("digit after minus, min -10", "-0", 1, 1, u'5', -10, 2, comma, A::Accept);
    row("below min 10", "", 0, 0, u'1', 10, 2, comma, A::Reject);
    row("above max", "60", 2, 0, u'1', 0, 2, comma, A::Reject);
    row("selection replaced", "600", 0, 1, u'5', 0, 2, comma, A::Accept);
    row("selection replaced above", "600", 1, 1, u'5', 0, 2, comma, A::Reject);
    row("upper E", "1", 1, 0, u'E', 0, 2, comma, A::Reject);
    row("lower e", "1", 1, 0, u'e', 0, 2, comma, A::Accept);
    row("exponent digit", "1e", 2, 0, u'2', 0, 2, comma, A::Accept);
    row("exponent out of range", "1e", 2, 0, u'3', 0, 2, comma, A::Reject);
    row("decimals not counted with e", "1,25e", 4, 0, u'9', 0, 2, comma, A::Accept);
    row("point in German", "0", 1, 0, u'.', 0, 2, comma, A::Accept, none, 0, comma);
    row("comma in English", "0", 1, 0, u',', 0, 2, point, A::Accept, none, 0, point);
    row("point in English", "0", 1, 0, u'.', 0, 2, point, A::Accept);
    row("lone point in German", "", 0, 0, u'.', 0, 2, comma, A::ReplaceText, QStringLiteral("0,0"),
        2);
    row("second point in German", "0,2", 3, 0, u'.', 0, 2, comma, A::Reject);
    row("point in German, third decimal", "0,25", 2, 0, u'.', 0, 2, comma, A::Reject);
    row("point without decimals", "5", 1, 0, u'.', 0, 0, comma, A::Reject);
    row("no decimals", "5", 1, 0, u',', 0, 0, comma, A::Reject);
    row("no decimals, empty", "", 0, 0, u',', 0, 0, comma, A::Reject);
    row("letter", "", 0, 0, u'x', 0, 2, comma, A::Reject);
    row("blank", "1", 1, 0, u' ', 0, 2, comma, A::Reject);
    row("plus", "", 0, 0, u'+', 0, 2, comma, A::Reject);
    row("backspace", "1", 1, 0, 8, 0, 2, comma, A::PassOn);
    row("delete", "1", 0, 0, 127, 0, 2, comma, A::PassOn);
    row("enter", "1", 1, 0, 13, 0, 2, comma, A::EnterPress);
    row("ctrl enter", "1", 1, 0, 10, 0, 2, comma, A::EnterPress);
    row("escape", "1", 1, 0, 27, 0, 2, comma, A::Escape);
}

void TestFlEdit::filterKey()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QChar, key);
    QFETCH(double, min);
    QFETCH(int, digits);
    QFETCH(QChar, separator);
    QFETCH(FloatKeyAction, action);
    QFETCH(QString, newText);
    QFETCH(int, newSelStart);
    QFETCH(QChar, inserted);

    const FloatKeyRules rules{min, 600, digits, separator};
    const auto verdict = FilterFloatKey(key, text, selStart, selLength, rules);
    QCOMPARE(verdict.action, action);
    if (action == FloatKeyAction::Accept)
        QCOMPARE(verdict.key, inserted);
    if (action == FloatKeyAction::ReplaceText) {
        QCOMPARE(verdict.text, newText);
        QCOMPARE(verdict.selStart, newSelStart);
        QCOMPARE(verdict.selLength, 1);
    }
}

// ---- the field --------------------------------------------------------------

void TestFlEdit::startsAtMinimumWithOneDecimal()
{
    TSpinFloatEdit german;
    QCOMPARE(german.text(), QStringLiteral("0,0"));
    QCOMPARE(german.value(), 0.0);
    QCOMPARE(german.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(german.property("digits").toInt(), 1);
    QCOMPARE(german.property("max").toDouble(), 100.0);
    QCOMPARE(german.property("increment").toDouble(), 1.0);
    QVERIFY(german.property("editorEnabled").toBool());
    QVERIFY(german.property("autoSelect").toBool());

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const TSpinFloatEdit english;
    QCOMPARE(english.text(), QStringLiteral("0.0"));
    // The separator is taken once, when the field is made.
    QCOMPARE(german.decimalSeparator(), QChar(u','));
    german.setValue(1.5);
    QCOMPARE(german.text(), QStringLiteral("1,5"));
}

void TestFlEdit::typingFollowsTheLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates);
}

void TestFlEdit::typingFollowsTheLocale()
{
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    auto *edit = addField();
    makeLockoutField(*edit);
    showWindow();
    edit->setFocus(Qt::TabFocusReason);
    QVERIFY(edit->hasFocus());

    // Digits 2, Min 0, empty field: 0, separator, 2, 5 go in; a third decimal does not.
    edit->clear();
    QTest::keyClicks(edit, sep("0#251"));
    QCOMPARE(edit->text(), sep("0#25"));
    QCOMPARE(edit->value(), 0.25);
    // The other locale's separator and thousands marks are refused.
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("1.,5"));
    QCOMPARE(edit->text(), sep("1#5"));

    // The separator alone becomes 0, separator, 0 with the last 0 selected, so
    // the next digit replaces it.
    edit->clear();
    QTest::keyClicks(edit, sep("#"));
    QCOMPARE(edit->text(), sep("0#0"));
    QCOMPARE(edit->selectionStart(), 2);
    QCOMPARE(edit->selectedText(), QStringLiteral("0"));
    QTest::keyClicks(edit, QStringLiteral("7"));
    QCOMPARE(edit->text(), sep("0#7"));

    // A lone minus becomes -0 with the 0 selected; with Min 0 no digit follows.
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("-"));
    QCOMPARE(edit->text(), QStringLiteral("-0"));
    QCOMPARE(edit->selectionStart(), 1);
    QCOMPARE(edit->selectedText(), QStringLiteral("0"));
    QTest::keyClicks(edit, QStringLiteral("5"));
    QCOMPARE(edit->text(), QStringLiteral("-0"));
    QCOMPARE(edit->value(), 0.0);

    // Backspace and the cursor keys still edit.
    edit->setText(sep("12#5"));
    edit->end(false);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(edit->text(), sep("2#"));
}

void TestFlEdit::typedRangeAndExponent()
{
    auto *edit = addField();
    edit->setMax(1000);
    edit->setMin(10);
    showWindow();
    edit->setFocus(Qt::TabFocusReason);

    // Every intermediate text must be in range, so with Min 10 no number can be
    // started in an empty field; digits can be added to one in range.
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("15"));
    QCOMPARE(edit->text(), QString());
    edit->setText(QStringLiteral("20"));
    edit->end(false);
    QTest::keyClicks(edit, QStringLiteral("5,5"));
    QCOMPARE(edit->text(), QStringLiteral("205,5"));

    // Exponent: lower-case only, and then the decimal count is not tested.
    edit->setMin(0);
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("1,2E"));
    QCOMPARE(edit->text(), QStringLiteral("1,2"));
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("5e1"));
    QCOMPARE(edit->text(), QStringLiteral("5e1"));
    edit->setCursorPosition(1);
    QTest::keyClicks(edit, QStringLiteral(",25"));
    QCOMPARE(edit->text(), QStringLiteral("5,25e1"));
    QCOMPARE(edit->value(), 52.5);
}

void TestFlEdit::enterGoesToHandlerAndWindowOnly()
{
    auto *edit = addField();
    edit->setText(sep("5#0"));
    QList<QChar> enterKeys;
    int keyPresses = 0;
    edit->OnEnterPress = [&](QObject *sender, QChar &key) {
        QCOMPARE(sender, edit);
        enterKeys << key;
    };
    edit->OnKeyPress = [&](QObject *, QChar &) { ++keyPresses; };
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(edit, &enter);
    QKeyEvent ctrlEnter(QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier,
                        QStringLiteral("\n"));
    QApplication::sendEvent(edit, &ctrlEnter);

    QCOMPARE(enterKeys, (QList<QChar>{QChar(13), QChar(10)}));
    QCOMPARE(keyPresses, 0);
    QCOMPARE(edit->text(), sep("5#0"));
    // Left unhandled, so the dialog around it can press its default button.
    QVERIFY(!enter.isAccepted());
}

void TestFlEdit::onKeyPressSeesRejectedAndCanDrop()
{
    auto *edit = addField();
    edit->clear();
    QString seen;
    edit->OnKeyPress = [&](QObject *, QChar &key) {
        seen += key;
        if (key == u'7')
            key = QChar(); // the handler drops this one
    };
    QTest::keyClicks(edit, QStringLiteral("x172"));
    QCOMPARE(seen, QStringLiteral("x172"));
    QCOMPARE(edit->text(), QStringLiteral("12"));
}

void TestFlEdit::escapeRestoresValueAtEntry()
{
    auto *edit = addField();
    auto *other = addField();
    makeLockoutField(*edit);
    showWindow();
    edit->setValue(0.3);
    edit->setFocus(Qt::TabFocusReason);
    QCOMPARE(edit->selectedText(), sep("0#30")); // entered by key: all selected

    QTest::keyClicks(edit, QStringLiteral("45"));
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(edit->text(), sep("45#01"));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(edit, &escape);
    QCOMPARE(edit->text(), sep("0#30"));
    QCOMPARE(edit->selectedText(), edit->text());
    QVERIFY(!escape.isAccepted()); // a dialog's cancel button still sees it

    // The value at entry is taken on entering only, not by writing the value.
    edit->setValue(2);
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(edit->value(), 0.3);
    other->setFocus(Qt::TabFocusReason);
    edit->setValue(2);
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(edit, QStringLiteral("9"));
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(edit->value(), 2.0);
}

void TestFlEdit::leavingWithInvalidTextKeepsFocus()
{
    auto *edit = addField();
    auto *other = addField();
    makeLockoutField(*edit);
    showWindow();
    edit->setFocus(Qt::TabFocusReason);
    QSignalSpy exits(edit, &TCustomFloatEdit::exit);

    // Pasted text is not filtered; it is caught on leaving.
    const QStringList invalid{QStringLiteral("700"), QStringLiteral("-1"), QStringLiteral("abc"),
                              QStringLiteral("-"), QStringLiteral("1,2.5")};
    for (const QString &text : invalid) {
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Tab);
        QVERIFY2(edit->hasFocus(), qPrintable(text));
        QCOMPARE(edit->text(), sep("0#20"));
        QCOMPARE(edit->selectedText(), edit->text());
        edit->setText(text);
        other->setFocus(Qt::MouseFocusReason);
        QVERIFY(edit->hasFocus());
        QCOMPARE(edit->text(), sep("0#20"));
    }
    QCOMPARE(exits.count(), 0);

    // Pasting is not filtered either.
    QApplication::clipboard()->setText(QStringLiteral("7x"));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), QStringLiteral("7x"));
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->text(), sep("0#20"));

    // Moving to another window and back is not leaving.
    edit->setText(QStringLiteral("700"));
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(edit, &away);
    QCOMPARE(edit->text(), QStringLiteral("700"));
}

void TestFlEdit::leavingFormatsAndRaisesExit()
{
    auto *edit = addField();
    auto *other = addField();
    makeLockoutField(*edit);
    showWindow();
    QSignalSpy enters(edit, &TCustomFloatEdit::enter);
    QSignalSpy exits(edit, &TCustomFloatEdit::exit);
    edit->setFocus(Qt::TabFocusReason);
    QCOMPARE(enters.count(), 1);

    edit->setText(QStringLiteral("12,3"));
    other->setFocus(Qt::TabFocusReason);
    QVERIFY(other->hasFocus());
    QCOMPARE(exits.count(), 1);
    QCOMPARE(edit->text(), QStringLiteral("12,30"));

    // Empty counts as the minimum; more decimals than shown are cut off the value.
    edit->setFocus(Qt::TabFocusReason);
    edit->clear();
    other->setFocus(Qt::TabFocusReason);
    QCOMPARE(edit->text(), QStringLiteral("0,00"));
    edit->setFocus(Qt::TabFocusReason);
    edit->setText(QStringLiteral("1,23456"));
    other->setFocus(Qt::TabFocusReason);
    QCOMPARE(edit->text(), QStringLiteral("1,23"));
    QCOMPARE(edit->value(), 1.23);
    QCOMPARE(exits.count(), 3);
}

void TestFlEdit::errorMessageOnlyWhenSet()
{
    auto *edit = addField();
    auto *other = addField();
    makeLockoutField(*edit);
    showWindow();
    MessageBoxCloser closer;

    edit->setFocus(Qt::TabFocusReason);
    edit->setText(QStringLiteral("abc"));
    other->setFocus(Qt::TabFocusReason);
    QVERIFY(edit->hasFocus());
    edit->setValue(700);
    QCOMPARE(edit->value(), 600.0);
    edit->setValue(-1);
    QCOMPARE(edit->value(), 0.0);
    QCOMPARE(closer.texts, QStringList());

    const QString message = QStringLiteral("Wert außerhalb des Bereichs");
    edit->setErrorMessage(message);
    edit->setText(QStringLiteral("abc"));
    other->setFocus(Qt::TabFocusReason);
    QCOMPARE(closer.texts, QStringList{message});
    QCOMPARE(edit->text(), QStringLiteral("0,20"));
    // The field is its window's focus control again, so it has the focus as
    // soon as the window is active again.
    QCOMPARE(m_window->focusWidget(), edit);
    m_window->activateWindow();
    QTRY_VERIFY(edit->hasFocus());

    edit->setValue(700);
    QCOMPARE(edit->value(), 600.0);
    edit->setValue(-1);
    QCOMPARE(closer.texts.size(), 3);
}

void TestFlEdit::limitsThrowAndKeepState()
{
    TSpinFloatEdit edit;
    edit.setValue(50);
    try {
        edit.setMin(200);
        QFAIL("no exception");
    } catch (const EFloatEditError &e) {
        QCOMPARE(e.message(),
                 QStringLiteral("Minimum value must not be greater than maximum value !"));
        QCOMPARE(QString::fromUtf8(e.what()), e.message());
    }
    try {
        edit.setMax(-1);
        QFAIL("no exception");
    } catch (const EFloatEditError &e) {
        QCOMPARE(e.message(),
                 QStringLiteral("Maximum value must not be less than minimum value !"));
    }
    QVERIFY_THROWS_EXCEPTION(EFloatEditError, edit.setMin(qQNaN()));
    QCOMPARE(edit.min(), 0.0);
    QCOMPARE(edit.max(), 100.0);
    QCOMPARE(edit.text(), QStringLiteral("50,0"));

    // Narrowing the range pulls the shown value in.
    edit.setMin(60);
    QCOMPARE(edit.text(), QStringLiteral("60,0"));
    edit.setMax(80);
    edit.setValue(90);
    QCOMPARE(edit.text(), QStringLiteral("80,0"));
    edit.setMax(70);
    QCOMPARE(edit.text(), QStringLiteral("70,0"));
    edit.setMin(70); // equal limits are allowed
    QCOMPARE(edit.value(), 70.0);
    edit.setValue(qQNaN());
    QCOMPARE(edit.value(), 70.0);
}

void TestFlEdit::digitsReformat()
{
    TSpinFloatEdit edit;
    edit.setValue(0.25);
    QCOMPARE(edit.text(), QStringLiteral("0,3"));
    edit.setDigits(3);
    QCOMPARE(edit.text(), QStringLiteral("0,300")); // the shown value, not the one written
    edit.setValue(0.125);
    edit.setDigits(0);
    QCOMPARE(edit.text(), QStringLiteral("0"));
    edit.setDigits(200);
    QCOMPARE(edit.digits(), 18);
    QCOMPARE(edit.text(), QStringLiteral("0,") + QString(18, u'0'));
    edit.setValue(12345678.5);
    QCOMPARE(edit.text(), QStringLiteral("100,000000000000000000"));
    edit.setMax(1e9);
    edit.setDigits(1);
    edit.setValue(12345678.5);
    QCOMPARE(edit.text(), QStringLiteral("12345678,5"));
}

void TestFlEdit::stepsByButtonsAndArrows()
{
    auto *edit = addField();
    makeLockoutField(*edit);
    showWindow();
    edit->setFocus(Qt::TabFocusReason);
    QSignalSpy changes(edit, &QLineEdit::textChanged);

    QTest::mouseClick(edit->button()->upButton(), Qt::LeftButton);
    QCOMPARE(edit->text(), QStringLiteral("0,21"));
    QTest::keyClick(edit, Qt::Key_Up);
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(edit->text(), QStringLiteral("0,23"));
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::mouseClick(edit->button()->downButton(), Qt::LeftButton);
    QCOMPARE(edit->text(), QStringLiteral("0,21"));
    QCOMPARE(changes.count(), 5);

    // At a limit a step stays there; no message box without a message.
    MessageBoxCloser closer;
    edit->setValue(600);
    QTest::mouseClick(edit->button()->upButton(), Qt::LeftButton);
    QCOMPARE(edit->value(), 600.0);
    edit->setValue(0);
    QTest::keyClick(edit, Qt::Key_Down);
    QCOMPARE(edit->value(), 0.0);
    QCOMPARE(closer.texts, QStringList());
    // A step starts from the shown value, even a half-typed one.
    edit->setText(QStringLiteral("-"));
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(edit->text(), QStringLiteral("0,01"));
}

void TestFlEdit::readOnlyAndComputedIncrement()
{
    auto *edit = addField();
    makeLockoutField(*edit);
    showWindow();
    edit->setFocus(Qt::TabFocusReason);

    edit->setReadOnly(true);
    QTest::mouseClick(edit->button()->upButton(), Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClicks(edit, QStringLiteral("-,5"));
    QCOMPARE(edit->text(), QStringLiteral("0,20"));

    edit->setReadOnly(false);
    QList<bool> steps;
    edit->OnComputedIncrement = [&](QObject *sender, bool up) {
        QCOMPARE(sender, edit);
        steps << up;
    };
    QTest::mouseClick(edit->button()->upButton(), Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_Down);
    QCOMPARE(steps, (QList<bool>{true, false}));
    QCOMPARE(edit->text(), QStringLiteral("0,20"));
}

void TestFlEdit::editorDisabledBlocksTyping()
{
    auto *edit = addField();
    makeLockoutField(*edit);
    edit->setEditorEnabled(false);
    showWindow();
    edit->setFocus(Qt::TabFocusReason);
    int enterPresses = 0;
    edit->OnEnterPress = [&](QObject *, QChar &) { ++enterPresses; };

    QTest::keyClicks(edit, QStringLiteral("5-,"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QApplication::clipboard()->setText(QStringLiteral("7"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(edit->text(), QStringLiteral("0,20"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(enterPresses, 1);

    QTest::mouseClick(edit->button()->upButton(), Qt::LeftButton);
    QCOMPARE(edit->text(), QStringLiteral("0,21"));
    QVERIFY(!edit->acceptDrops());

    // The context menu offers copying but nothing that changes the text.
    edit->setSelection(0, 2);
    QApplication::clipboard()->setText(QStringLiteral("5"));
    auto enabledMenuActions = [edit]() -> QStringList {
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5),
                                    edit->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(edit, &menuEvent);
        const QPointer<QMenu> menu = edit->findChild<QMenu *>();
        QStringList enabled;
        for (const QAction *action : menu->actions()) {
            if (action->isEnabled() && !action->isSeparator())
                enabled << action->text().section(u'\t', 0, 0).remove(u'&');
        }
        menu->close();
        if (!QTest::qWaitFor([&] { return menu.isNull(); }))
            return {QStringLiteral("menu not deleted")};
        return enabled;
    };
    const QStringList locked = enabledMenuActions();
    QCOMPARE(locked, (QStringList{QStringLiteral("Copy"), QStringLiteral("Select All")}));
    QVERIFY(!edit->isReadOnly());
    edit->setEditorEnabled(true);
    QVERIFY(enabledMenuActions().contains(QStringLiteral("Paste")));
}

void TestFlEdit::buttonGivesFocusToField()
{
    auto *edit = addField();
    auto *other = addField();
    showWindow();
    other->setFocus(Qt::TabFocusReason);
    QCOMPARE(edit->button()->focusPolicy(), Qt::NoFocus);
    QCOMPARE(edit->button()->upButton()->focusPolicy(), Qt::NoFocus);

    QTest::mouseClick(edit->button()->upButton(), Qt::LeftButton);
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->text(), QStringLiteral("1,0"));

    // The other field may refuse to be left: then it keeps the focus.
    other->setFocus(Qt::TabFocusReason);
    other->setText(QStringLiteral("abc"));
    QTest::mouseClick(edit->button()->upButton(), Qt::LeftButton);
    QVERIFY(other->hasFocus());
}

void TestFlEdit::heightNeverBelowMinimum()
{
    TSpinFloatEdit edit;
    const int low = edit.minimumHeight();
    QVERIFY(low >= edit.fontMetrics().height() + 6);
    edit.resize(80, 3);
    QCOMPARE(edit.height(), low);
    edit.resize(80, low + 10);
    QCOMPARE(edit.height(), low + 10);

    QFont big = edit.font();
    big.setPixelSize(40);
    edit.setFont(big);
    QVERIFY(edit.minimumHeight() >= 40 + 6);
    QCOMPARE(edit.height(), edit.minimumHeight());
}

void TestFlEdit::textStaysLeftOfButtons()
{
    auto *edit = addField();
    edit->setMax(1e17);
    edit->setDigits(3);
    edit->setValue(123456789012.5);
    edit->setFixedWidth(60);
    showWindow();
    const QRect buttons = edit->button()->geometry();
    QVERIFY(edit->rect().contains(buttons));
    QCOMPARE(buttons.width(), 15);
    QVERIFY(buttons.height() >= edit->height() - 6);

    for (const auto align : {Qt::AlignRight, Qt::AlignLeft, Qt::AlignHCenter}) {
        edit->setAlignment(align | Qt::AlignVCenter);
        edit->end(false);
        QVERIFY2(edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x() <
                     buttons.left(),
                 qPrintable(QString::number(align)));
    }
}

void TestFlEdit::look()
{
    auto *grid = static_cast<QGridLayout *>(m_window->layout());
    auto row = [&](const QString &caption, TSpinFloatEdit *edit) {
        grid->addWidget(new QLabel(caption, m_window.get()), grid->rowCount() - 1, 1);
        return edit;
    };
    makeLockoutField(*row(QStringLiteral("lockout, right"), addField()));
    auto *left = row(QStringLiteral("left"), addField());
    makeLockoutField(*left);
    left->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto *centre = row(QStringLiteral("centre, 3 digits"), addField());
    centre->setMax(1000);
    centre->setDigits(3);
    centre->setValue(123.4567);
    centre->setAlignment(Qt::AlignCenter);
    auto *disabled = row(QStringLiteral("disabled"), addField());
    disabled->setValue(42);
    disabled->setEnabled(false);
    auto *big = row(QStringLiteral("large font"), addField());
    QFont font = big->font();
    font.setPixelSize(24);
    big->setFont(font);
    big->setValue(99.9);
    // As the configuration dialog places its lockout field: 47 wide, 11-pixel font.
    auto *dialogSized = row(QStringLiteral("47 wide, 11 px"), addField());
    makeLockoutField(*dialogSized);
    dialogSized->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    font.setFamily(QStringLiteral("Arial"));
    font.setPixelSize(11);
    dialogSized->setFont(font);
    dialogSized->setFixedSize(47, 21);
    m_window->resize(260, 10);
    showWindow();
    left->setFocus(Qt::TabFocusReason);

    const QImage image = m_window->grab().toImage();
    if (const QString dir = qEnvironmentVariable("TAVRIN_RENDER_DIR"); !dir.isEmpty())
        QVERIFY(image.save(QDir(dir).filePath(QStringLiteral("FlEdit.png"))));
    // The arrows are drawn: the button pair is not one flat colour.
    const QImage pair = big->button()->grab().toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < pair.height(); ++y)
        for (int x = 0; x < pair.width(); ++x)
            colours.insert(pair.pixel(x, y));
    QVERIFY(colours.size() > 3);
}

QTEST_MAIN(TestFlEdit)
#include "tst_FlEdit.moc"
