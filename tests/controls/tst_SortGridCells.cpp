// Check-box, drop-down and ellipsis cells, the validation of edited cells and
// the keys that insert and delete rows and columns.
#include "controls/GridDropDownList.h"
#include "controls/GridRules.h"
#include "controls/SortGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Column 0 check box, 1 drop-down list, 2 ellipsis, 3 and 4 plain text; on a form.
struct Form
{
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    TSortGrid *grid = new TSortGrid(window.get());
    QLineEdit *other = new QLineEdit(window.get());

    explicit Form(int dataRows = 3)
    {
        grid->setColCount(5);
        grid->setRowCount(dataRows + 1);
        grid->setRows(0, {u"OK"_s, u"Lauf"_s, u"Datei"_s, u"Name"_s, u"Ort"_s});
        for (int r = 1; r <= dataRows; ++r)
            grid->setRows(r, {{}, u"Sprint"_s, u"f%1"_s.arg(r), u"Name %1"_s.arg(r), {}});
        grid->OnGetCellFormat = [](QObject *, int col, int row, TGridDrawState, TFormatOptions &,
                                   bool &checkBox, bool &combobox, bool &ellipsis) {
            checkBox = row > 0 && col == 0;
            combobox = row > 0 && col == 1;
            ellipsis = row > 0 && col == 2;
        };
        grid->setGeometry(10, 20, 400, 200);
        other->setGeometry(10, 240, 100, 20);
        window->resize(420, 300);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        grid->setFocus();
    }

    void edit(int col, int row)
    {
        grid->GoToCell(col, row, false);
        grid->setOptions(grid->options() | TGridOption::goEditing);
        grid->setEditorMode(true);
        QVERIFY(grid->editorMode());
    }
    QLineEdit *editor() const { return grid->findChild<QLineEdit *>(u"InplaceEditor"_s); }
    TGridDropDownList *list() const
    {
        return window->findChild<TGridDropDownList *>(u"DropDownList"_s);
    }
};

} // namespace

class TestSortGridCells : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checkBoxes()
    {
        Form f;
        TSortGrid &g = *f.grid;
        for (const QString &ticked : {u"true"_s, u"1"_s, u"V"_s}) {
            g.setCells(0, 1, ticked);
            QVERIFY2(g.IsChecked(0, 1), qPrintable(ticked));
        }
        for (const QString &not_ : {u"True"_s, u"v"_s, u"x"_s, QString()}) {
            g.setCells(0, 1, not_);
            QVERIFY2(!g.IsChecked(0, 1), qPrintable(not_));
        }
        g.setCells(3, 1, u"V"_s);
        QVERIFY(!g.IsChecked(3, 1)); // not a check-box cell

        QSignalSpy set(&g, &TSortGrid::setChecked);
        g.SetChecked(3, 1, false);
        QCOMPARE(g.cells(3, 1), u"V"_s);
        QCOMPARE(set.count(), 0);

        // "1" is ticked: toggling empties it, again writes "V".
        g.setCells(0, 2, u"1"_s);
        g.GoToCell(0, 2, false);
        QTest::keyClick(&g, Qt::Key_Space);
        QCOMPARE(g.cells(0, 2), QString());
        QTest::keyClick(&g, Qt::Key_Space);
        QCOMPARE(g.cells(0, 2), u"V"_s);
        QCOMPARE(set.count(), 2);
        QCOMPARE(set.last(), (QList<QVariant>{0, 2, true}));

        // The mouse toggles on press and release on the same cell only.
        QWidget *vp = g.viewport();
        QTest::mouseClick(vp, Qt::LeftButton, {}, g.cellRect(0, 3).center());
        QCOMPARE(g.cells(0, 3), u"V"_s);
        QTest::mousePress(vp, Qt::LeftButton, {}, g.cellRect(0, 3).center());
        QTest::mouseRelease(vp, Qt::LeftButton, {}, g.cellRect(3, 3).center());
        QCOMPARE(g.cells(0, 3), u"V"_s);
        // Space on a check-box cell does not start editing.
        g.setOptions(g.options() | TGridOption::goEditing);
        QTest::keyClick(&g, Qt::Key_Space);
        QVERIFY(!g.editorMode());
    }

    void dropDownChosenByKeyboard()
    {
        Form f;
        TSortGrid &g = *f.grid;
        QStringList asked;
        f.grid->OnGetComboBox = [&](QObject *, int col, int row, QStringList &strs, int &width,
                                    int &height, bool &sorted) {
            asked << u"%1,%2"_s.arg(col).arg(row);
            QCOMPARE(width, 0);
            QCOMPARE(height, 0);
            QVERIFY(sorted);
            strs = {u"Sprint"_s, u"Hürden"_s, u"Anlauf"_s};
        };
        QSignalSpy set(&g, &TSortGrid::setComboBox);
        f.edit(3, 2);
        g.setCol(1);
        QCOMPARE(g.col(), 3); // refused: the list is shown instead
        QCOMPARE(asked, QStringList{u"1,2"_s});
        TGridDropDownList *list = f.list();
        QVERIFY(list && list->isVisible());
        QCOMPARE(list->parentWidget(), f.window.get());
        QVERIFY(list->hasFocus());
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), u"Anlauf"_s); // kept sorted
        QCOMPARE(list->currentItem()->text(), u"Sprint"_s);
        const QRect cell = g.cellRect(1, 2);
        QCOMPARE(list->geometry(),
                 gridrules::dropDownListRect(cell, g.mapTo(f.window.get(), QPoint()), 0, 0, 3,
                                             list->itemHeight()));
        QCOMPARE(list->width(), cell.width() + 1);
        QCOMPARE(list->height(), 3 * list->itemHeight() + 5);

        QTest::keyClick(list, Qt::Key_Up);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(g.cells(1, 2), u"Hürden"_s);
        QVERIFY(!list->isVisible());
        QVERIFY(g.hasFocus() || g.isAncestorOf(QApplication::focusWidget()));
        QCOMPARE(set.count(), 1);
        QCOMPARE(set.first(), (QList<QVariant>{1, 2, u"Hürden"_s}));

        // Space chooses too.
        g.setCol(1);
        QVERIFY(list->isVisible());
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(g.cells(1, 2), u"Sprint"_s);
    }

    void dropDownWithoutItemsAndTheTabRule()
    {
        Form f;
        TSortGrid &g = *f.grid;
        g.OnGetComboBox = [](QObject *, int, int, QStringList &, int &, int &, bool &) {};
        f.edit(0, 1);
        g.setCol(1);
        QCOMPARE(g.col(), 0); // refused, no list
        QVERIFY(!f.list() || !f.list()->isVisible());
        // A check-box cell is refused while editing as well.
        f.edit(3, 1);
        g.setCol(0);
        QCOMPARE(g.col(), 3);

        // Tab past a drop-down cell left of the last two columns goes on to the next.
        g.OnGetCellFormat = [](QObject *, int col, int row, TGridDrawState, TFormatOptions &,
                               bool &, bool &combobox, bool &) { combobox = row > 0 && col == 1; };
        g.setOptions(g.options() | TGridOption::goTabs);
        g.OnGetComboBox = [](QObject *, int, int, QStringList &strs, int &, int &height, bool &) {
            strs = {u"a"_s};
            height = 1;
        };
        f.edit(0, 1);
        QTest::keyClick(f.editor(), Qt::Key_Tab);
        QCOMPARE(g.col(), 2);
        QCOMPARE(f.list()->height(), 10 * f.list()->itemHeight() + 5);
    }

    void ellipsisButtons()
    {
        Form f;
        TSortGrid &g = *f.grid;
        QSignalSpy pressed(&g, &TSortGrid::setEllipsis);
        QWidget *vp = g.viewport();
        const QRect cell = g.cellRect(2, 2);
        QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(cell.left() + 4, cell.center().y()));
        QCOMPARE(pressed.count(), 0);
        QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(cell.right() - 4, cell.center().y()));
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed.first(), (QList<QVariant>{2, 2}));
        g.GoToCell(2, 3, false);
        QTest::keyClick(&g, Qt::Key_Space);
        QCOMPARE(pressed.count(), 2);
        QCOMPARE(pressed.last(), (QList<QVariant>{2, 3}));
    }

    void validationRestoresTextAndModifiedFlag()
    {
        Form f;
        TSortGrid &g = *f.grid;
        g.setModified(false);
        QStringList calls;
        bool accept = false;
        g.OnCellValidate = [&](QObject *, int col, int row, const QString &oldValue,
                               QString &newValue, bool &valid) {
            calls << u"%1,%2 %3 -> %4"_s.arg(col).arg(row).arg(oldValue, newValue);
            valid = accept;
        };
        f.edit(3, 1);
        f.other->setFocus();
        f.editor()->setFocus(); // entering remembers the edited cell
        f.editor()->setText(u"Neu"_s);
        QTest::keyClick(f.editor(), Qt::Key_Return);
        QCOMPARE(calls, QStringList{u"3,1 Name 1 -> Neu"_s});
        QCOMPARE(g.cells(3, 1), u"Name 1"_s);
        QVERIFY(!g.isModified());

        // A valid edit may be corrected by the handler.
        calls.clear();
        accept = true;
        g.OnCellValidate = [&](QObject *, int, int, const QString &, QString &newValue, bool &) {
            calls << newValue;
            newValue = newValue.toUpper();
        };
        f.edit(3, 2);
        f.other->setFocus();
        f.editor()->setFocus();
        f.editor()->setText(u"klein"_s);
        QTest::keyClick(f.editor(), Qt::Key_Return);
        QCOMPARE(calls, QStringList{u"klein"_s});
        QCOMPARE(g.cells(3, 2), u"KLEIN"_s);
        QVERIFY(g.isModified());
    }

    void everyEditIsValidated_data()
    {
        QTest::addColumn<int>("opening");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("edited");
        enum Opening { TypedKey, F2, Enter, ClickOnCurrentCell, Program };
        QTest::newRow("editor opened by typing") << int(TypedKey) << u"eu"_s << u"Neu"_s;
        QTest::newRow("editor opened by F2") << int(F2) << u"!"_s << u"Name 1!"_s;
        QTest::newRow("editor opened by Enter") << int(Enter) << u"?"_s << u"Name 1?"_s;
        QTest::newRow("editor opened by a click")
            << int(ClickOnCurrentCell) << u"x"_s << u"Name 1x"_s;
        QTest::newRow("editor opened by the program") << int(Program) << u"y"_s << u"Name 1y"_s;
    }

    void everyEditIsValidated()
    {
        QFETCH(int, opening);
        QFETCH(QString, typed);
        QFETCH(QString, edited);
        Form f;
        TSortGrid &g = *f.grid;
        g.setOptions(g.options() | TGridOption::goEditing);
        g.GoToCell(3, 1, false);
        QTRY_VERIFY(g.hasFocus()); // entered without an editor
        QVERIFY(!g.editorMode());
        QStringList calls;
        g.OnCellValidate = [&](QObject *, int col, int row, const QString &oldValue,
                               QString &newValue, bool &valid) {
            calls << u"%1,%2 %3 -> %4"_s.arg(col).arg(row).arg(oldValue, newValue);
            valid = false;
        };
        switch (opening) {
        case 0: // the first key opens the editor and replaces the text
            QTest::keyClick(&g, Qt::Key_N);
            break;
        case 1:
            QTest::keyClick(&g, Qt::Key_F2);
            break;
        case 2:
            QTest::keyClick(&g, Qt::Key_Return);
            break;
        case 3:
            QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.cellRect(3, 1).center());
            break;
        default:
            g.setEditorMode(true);
            break;
        }
        QVERIFY(g.editorMode());
        f.editor()->end(false);
        QTest::keyClicks(f.editor(), typed);
        QCOMPARE(f.editor()->text(), edited);
        QTest::keyClick(f.editor(), Qt::Key_Return);
        QCOMPARE(calls, QStringList{u"3,1 Name 1 -> "_s + edited});
        QCOMPARE(g.cells(3, 1), u"Name 1"_s); // refused: the old text is back
    }

    void alwaysShownEditorFollowsTheCurrentCell_data()
    {
        QTest::addColumn<int>("move");
        QTest::newRow("Down key in the editor") << 0;
        QTest::newRow("click on another cell") << 1;
        QTest::newRow("GoToCell") << 2;
    }

    void alwaysShownEditorFollowsTheCurrentCell()
    {
        QFETCH(int, move);
        Form f;
        TSortGrid &g = *f.grid;
        g.GoToCell(3, 1, false);
        g.setOptions(g.options() | TGridOption::goEditing | TGridOption::goAlwaysShowEditor);
        QTRY_VERIFY(g.editorMode());
        QCOMPARE(f.editor()->text(), u"Name 1"_s);
        QList<QWidget *> focused;
        const auto record = connect(qApp, &QApplication::focusChanged, this,
                                    [&focused](QWidget *, QWidget *now) { focused << now; });

        switch (move) {
        case 0:
            QTest::keyClick(f.editor(), Qt::Key_Down);
            break;
        case 1:
            QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.cellRect(3, 2).center());
            break;
        default:
            g.GoToCell(3, 2, false);
            break;
        }
        disconnect(record);
        QCOMPARE(g.row(), 2);
        QVERIFY(g.editorMode());
        // The editor moved with the cell and shows its text ...
        QCOMPARE(f.editor()->text(), u"Name 2"_s);
        QCOMPARE(f.editor()->geometry(), g.cellRect(3, 2));
        // ... and the focus never left the grid on the way.
        for (QWidget *w : std::as_const(focused))
            QVERIFY2(w == &g || w == f.editor(), qPrintable(w ? w->objectName() : u"none"_s));
        f.editor()->selectAll();
        QTest::keyClicks(f.editor(), u"Zwei"_s);
        QTest::keyClick(f.editor(), Qt::Key_Return);
        QCOMPARE(g.cells(3, 2), u"Zwei"_s);
        QCOMPARE(g.cells(3, 1), u"Name 1"_s);
    }

    void extendedKeys()
    {
        Form f(1);
        TSortGrid &g = *f.grid;
        g.GoToCell(3, 1, false);
        QTest::keyClick(&g, Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(g.rowCount(), 2); // off until switched on
        g.setExtendedKeys(true);
        QTest::keyClick(&g, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(g.rowCount(), 2); // one data row stays
        QCOMPARE(g.cells(3, 1), u"Name 1"_s);
        QTest::keyClick(&g, Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(g.rowCount(), 3);
        QCOMPARE(g.cells(3, 1), u"Name 1"_s);
        QVERIFY(g.IsRowEmpty(2));
        QTest::keyClick(&g, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(g.rowCount(), 2);
        QCOMPARE(g.cells(3, 1), u"Name 1"_s);

        g.GoToCell(3, 1, false);
        QTest::keyClick(&g, Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(g.colCount(), 6);
        QCOMPARE(g.cells(4, 1), u"Name 1"_s);
        QTest::keyClick(&g, Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(g.colCount(), 5);
        QCOMPARE(g.cells(3, 1), u"Name 1"_s);
    }
};

QTEST_MAIN(TestSortGridCells)
#include "tst_SortGridCells.moc"
