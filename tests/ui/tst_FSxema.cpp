#include "ui/FSxema.h"

#include "RunModal.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

// exec()'s result when the test closes the configuration dialog itself.
constexpr int kClosedByTest = 43;

// A key as the window system delivers it: pressed in the diagram, released in
// whatever window has the focus once the diagram is gone.
void typeKey(TFormSxema &diagram, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyPress(diagram.windowHandle(), key, modifiers);
    if (QWindow *focus = QGuiApplication::focusWindow())
        QTest::keyRelease(focus, key, modifiers);
}

} // namespace

class TestFSxema : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layout()
    {
        TFormSxema diagram;
        QCOMPARE(diagram.windowTitle(), QStringLiteral("Sxema"));
        QCOMPARE(diagram.minimumSize(), QSize(645, 272));
        QCOMPARE(diagram.maximumSize(), QSize(645, 272));
        QVERIFY(diagram.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!diagram.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QCOMPARE(diagram.font().pixelSize(), 11);

        auto *picture = diagram.findChild<QLabel *>(QStringLiteral("Image1"));
        QVERIFY(picture);
        QCOMPARE(picture->geometry(), QRect(0, 0, 644, 272));
        QCOMPARE(picture->pixmap().size(), QSize(644, 272));
    }

    void anyKeyClosesOnlyTheDiagram_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(Qt::NoModifier);
        QTest::newRow("letter") << int(Qt::Key_A) << int(Qt::NoModifier);
        QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
        QTest::newRow("Tab") << int(Qt::Key_Tab) << int(Qt::NoModifier);
        QTest::newRow("F2") << int(Qt::Key_F2) << int(Qt::NoModifier);
        QTest::newRow("Alt+S") << int(Qt::Key_S) << int(Qt::AltModifier);
    }

    // The configuration dialog opens the diagram from its "Schema" button; the
    // stand-in below reacts to Enter, Escape and typing as that dialog does.
    void anyKeyClosesOnlyTheDiagram()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QWidget mainWindow;
        mainWindow.show();
        QDialog config(&mainWindow);
        auto *edit = new QLineEdit(&config);
        auto *ok = new QPushButton(QStringLiteral("OK"), &config);
        ok->setDefault(true);
        ok->move(0, 40);
        connect(ok, &QPushButton::clicked, &config, &QDialog::accept);
        auto *schema = new QPushButton(QStringLiteral("&Schema"), &config);
        schema->move(100, 40);
        bool schemaClicked = false;
        connect(schema, &QPushButton::clicked, &config, [&] { schemaClicked = true; });
        TFormSxema diagram(&mainWindow);

        bool diagramClosed = false;
        bool configStillShown = false;
        QTimer::singleShot(0, &config, [&] {
            if (!QTest::qWaitForWindowActive(&config)) {
                config.done(kLeftOpen);
                return;
            }
            edit->setFocus();
            diagramClosed = runModal(diagram, [&] {
                                typeKey(diagram, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
                            }) != kLeftOpen;
            // Let anything that leaked reach the configuration dialog.
            QTest::qWait(20);
            configStillShown = config.isVisible();
            if (config.isVisible())
                config.done(kClosedByTest);
        });
        QCOMPARE(config.exec(), kClosedByTest);
        QVERIFY(diagramClosed);
        QVERIFY(!diagram.isVisible());
        QVERIFY(configStillShown);
        QCOMPARE(edit->text(), QString());
        QVERIFY(!schemaClicked);
    }

    void closeButtonClosesAndDiagramOpensAgain()
    {
        QWidget mainWindow;
        mainWindow.show();
        TFormSxema diagram(&mainWindow);
        QVERIFY(runModal(diagram, [&] { diagram.windowHandle()->close(); }) != kLeftOpen);
        QVERIFY(!diagram.isVisible());
        QVERIFY(runModal(diagram, [&] { typeKey(diagram, Qt::Key_X, Qt::NoModifier); }) !=
                kLeftOpen);
        QVERIFY(!diagram.isVisible());
    }
};

QTEST_MAIN(TestFSxema)
#include "tst_FSxema.moc"
