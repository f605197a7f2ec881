#include "ui/DlgYesNo.h"
#include "ui/FontSubstitutes.h"

#include "RunModal.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

namespace {

void pressKey(TFDlgYesNo &dialog, Qt::Key key)
{
    QTest::keyClick(dialog.windowHandle(), key);
}

enum class Way { Enter, Return, Escape, TabThenReturn, CloseButton, ClickJa, ClickNein, SpaceOnJa };

} // namespace

class TestDlgYesNo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installFontSubstitutes(); }

    void answers_data()
    {
        QTest::addColumn<Way>("way");
        QTest::addColumn<int>("result");
        QTest::newRow("Enter") << Way::Enter << int(QDialog::Accepted);
        QTest::newRow("Return") << Way::Return << int(QDialog::Accepted);
        QTest::newRow("Escape") << Way::Escape << int(QDialog::Rejected);
        QTest::newRow("Tab then Return") << Way::TabThenReturn << int(QDialog::Rejected);
        QTest::newRow("close button") << Way::CloseButton << int(QDialog::Rejected);
        QTest::newRow("click Ja") << Way::ClickJa << int(QDialog::Accepted);
        QTest::newRow("click Nein") << Way::ClickNein << int(QDialog::Rejected);
        QTest::newRow("Space on Ja") << Way::SpaceOnJa << int(QDialog::Accepted);
    }

    void answers()
    {
        QFETCH(Way, way);
        QFETCH(int, result);
        TFDlgYesNo dialog(QStringLiteral("Tavrin"));
        dialog.setQuestion(QStringLiteral("Beenden?"));
        const auto operate = [&] {
            auto *ja = dialog.findChild<QPushButton *>(QStringLiteral("OKBtn"));
            auto *nein = dialog.findChild<QPushButton *>(QStringLiteral("CancelBtn"));
            switch (way) {
            case Way::Enter:
                pressKey(dialog, Qt::Key_Enter);
                break;
            case Way::Return:
                pressKey(dialog, Qt::Key_Return);
                break;
            case Way::Escape:
                pressKey(dialog, Qt::Key_Escape);
                break;
            case Way::TabThenReturn:
                pressKey(dialog, Qt::Key_Tab);
                pressKey(dialog, Qt::Key_Return);
                break;
            case Way::CloseButton:
                dialog.windowHandle()->close();
                break;
            case Way::ClickJa:
                QTest::mouseClick(ja, Qt::LeftButton);
                break;
            case Way::ClickNein:
                QTest::mouseClick(nein, Qt::LeftButton);
                break;
            case Way::SpaceOnJa:
                pressKey(dialog, Qt::Key_Space);
                break;
            }
        };
        QCOMPARE(runModal(dialog, operate), result);
        QVERIFY(!dialog.isVisible());
    }

    // The dialog is kept between questions; moving the focus to "Nein" for one
    // question must not make Enter answer no to the next.
    void everyShowingStartsOnJa()
    {
        TFDlgYesNo dialog(QStringLiteral("Tavrin"));
        auto *ja = dialog.findChild<QPushButton *>(QStringLiteral("OKBtn"));
        auto *nein = dialog.findChild<QPushButton *>(QStringLiteral("CancelBtn"));
        QWidget *focusAtStart = nullptr;
        QWidget *focusAfterTab = nullptr;
        QCOMPARE(runModal(dialog,
                          [&] {
                              focusAtStart = QApplication::focusWidget();
                              pressKey(dialog, Qt::Key_Tab);
                              focusAfterTab = QApplication::focusWidget();
                              pressKey(dialog, Qt::Key_Return);
                          }),
                 int(QDialog::Rejected));
        QCOMPARE(focusAtStart, ja);
        QCOMPARE(focusAfterTab, nein);

        QCOMPARE(runModal(dialog, [&] { pressKey(dialog, Qt::Key_Return); }),
                 int(QDialog::Accepted));
    }

    void questionKeptUntilSetAgain()
    {
        TFDlgYesNo dialog(QStringLiteral("Tavrin"));
        auto *label = dialog.findChild<QLabel *>(QStringLiteral("Label1"));
        QCOMPARE(label->text(), QStringLiteral("?"));
        QCOMPARE(dialog.question(), QStringLiteral("?"));

        dialog.setQuestion(QStringLiteral("Zeitenprotokoll  löschen?"));
        QCOMPARE(runModal(dialog, [&] { pressKey(dialog, Qt::Key_Escape); }),
                 int(QDialog::Rejected));
        QCOMPARE(runModal(dialog, [&] { pressKey(dialog, Qt::Key_Return); }),
                 int(QDialog::Accepted));
        QCOMPARE(label->text(), QStringLiteral("Zeitenprotokoll  löschen?"));

        dialog.setQuestion(QStringLiteral("Beenden?"));
        QCOMPARE(label->text(), QStringLiteral("Beenden?"));
        QCOMPARE(dialog.property("question").toString(), QStringLiteral("Beenden?"));
    }

    void layout()
    {
        TFDlgYesNo dialog(QStringLiteral("Halle 2"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Halle 2"));
        QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(dialog.minimumSize(), QSize(222, 94));
        QCOMPARE(dialog.maximumSize(), QSize(222, 94));
        QCOMPARE(dialog.font().pixelSize(), 11);
        QCOMPARE(QFontInfo(dialog.font()).family(), QStringLiteral("Liberation Sans"));

        const struct
        {
            const char *name;
            QRect geometry;
        } controls[] = {
            {"Icon", QRect(4, 14, 32, 32)},
            {"Label1", QRect(40, 6, 169, 49)},
            {"OKBtn", QRect(39, 60, 75, 25)},
            {"CancelBtn", QRect(135, 60, 75, 25)},
        };
        for (const auto &control : controls) {
            auto *widget = dialog.findChild<QWidget *>(QString::fromLatin1(control.name));
            QVERIFY2(widget, control.name);
            QCOMPARE(widget->geometry(), control.geometry);
        }

        auto *label = dialog.findChild<QLabel *>(QStringLiteral("Label1"));
        QCOMPARE(label->alignment(), Qt::AlignCenter);
        QVERIFY(label->wordWrap());
        auto *ja = dialog.findChild<QPushButton *>(QStringLiteral("OKBtn"));
        auto *nein = dialog.findChild<QPushButton *>(QStringLiteral("CancelBtn"));
        QCOMPARE(ja->text(), QStringLiteral("Ja"));
        QCOMPARE(nein->text(), QStringLiteral("Nein"));
        QVERIFY(ja->isDefault());
        QVERIFY(!nein->isDefault());
    }

    void iconIsBlueQuestionMarkOnWhiteBubble()
    {
        TFDlgYesNo dialog(QStringLiteral("Tavrin"));
        const QImage icon = dialog.findChild<QLabel *>(QStringLiteral("Icon"))
                                ->pixmap()
                                .toImage()
                                .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(icon.deviceIndependentSize().toSize(), QSize(32, 32));
        int transparent = 0;
        int white = 0;
        int blue = 0;
        for (int y = 0; y < icon.height(); ++y) {
            for (int x = 0; x < icon.width(); ++x) {
                const QColor c = icon.pixelColor(x, y);
                transparent += c.alpha() == 0;
                white += c.alpha() == 255 && c.red() > 240 && c.green() > 240 && c.blue() > 240;
                blue += c.alpha() == 255 && c.blue() > 160 && c.red() < 60 && c.green() < 110;
            }
        }
        const int area = icon.width() * icon.height();
        QCOMPARE(icon.pixelColor(icon.width() - 1, icon.height() - 1).alpha(), 0);
        QVERIFY2(transparent > area / 10, qPrintable(QString::number(transparent)));
        QVERIFY2(white > area / 4, qPrintable(QString::number(white)));
        QVERIFY2(blue > area / 40, qPrintable(QString::number(blue)));
    }

    void centredOnParent()
    {
        QWidget mainWindow;
        mainWindow.setGeometry(200, 150, 800, 590);
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        TFDlgYesNo dialog(QStringLiteral("Tavrin"), &mainWindow);
        QPoint dialogCentre;
        runModal(dialog, [&] {
            dialogCentre = dialog.frameGeometry().center();
            pressKey(dialog, Qt::Key_Escape);
        });
        const QPoint offset = dialogCentre - mainWindow.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 4,
                 qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    }
};

QTEST_MAIN(TestDlgYesNo)
#include "tst_DlgYesNo.moc"
