// Renders controls offscreen to a PNG, to look at them without a display:
//   QT_QPA_PLATFORM=offscreen render_controls --scene controls --out controls.png
// Each scene builds a widget tree; new scenes (windows) go into the table below.

#include "controls/ColorSpeedButton.h"
#include "controls/SortGrid.h"
#include "controls/Udigit.h"
#include "platform/Tick.h"
#include "protocol/ProtocolTables.h"
#include "settings/Settings.h"
#include "ui/Artwork.h"
#include "ui/Cfg.h"
#include "ui/CommandButtons.h"
#include "ui/FMain.h"
#include "ui/FMonitor2.h"
#include "ui/FontSubstitutes.h"
#include "ui/PortNotice.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QEnterEvent>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

namespace {

enum class ButtonState { Normal, Hot, Down, Disabled };

// Put a shown button into a state the way a user would get it there.
void applyState(TColorSpeedButton *button, ButtonState state)
{
    switch (state) {
    case ButtonState::Normal:
        break;
    case ButtonState::Hot: {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
        QCoreApplication::sendEvent(button, &enter);
        break;
    }
    case ButtonState::Down:
        button->setDown(true);
        break;
    case ButtonState::Disabled:
        button->setEnabled(false);
        break;
    }
}

// A window in the main window's button-shadow colour, as the controls stand on it.
std::unique_ptr<QWidget> buttonShadowWindow()
{
    auto window = std::make_unique<QWidget>();
    window->setAutoFillBackground(true);
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, toQColor(clBtnShadow));
    window->setPalette(pal);
    return window;
}

std::unique_ptr<QWidget> digitsAndButtons()
{
    auto window = buttonShadowWindow();
    auto *grid = new QGridLayout(window.get());

    auto *display = new QWidget;
    display->setFixedSize(10 * 56 + 6, 89 + 12);
    display->setAutoFillBackground(true);
    QPalette black = display->palette();
    black.setColor(QPalette::Window, Qt::black);
    display->setPalette(black);
    for (int value = 0; value < 10; ++value) {
        auto *digit = new TDigit(display);
        digit->setGeometry(6 + value * 56, 6, 50, 89);
        digit->setThickness(5);
        digit->setSeparation(1);
        digit->setColorOff(clBlack);
        digit->setColorOn(clYellow);
        digit->setValue(value);
    }
    grid->addWidget(display, 0, 0, 1, 5);

    const std::pair<ButtonState, const char *> states[] = {{ButtonState::Normal, "normal"},
                                                           {ButtonState::Hot, "hot"},
                                                           {ButtonState::Down, "down"},
                                                           {ButtonState::Disabled, "disabled"}};
    for (int column = 0; column < 4; ++column) {
        grid->addWidget(new QLabel(QString::fromLatin1(states[column].second)), 1, column + 1);
        for (int row = 0; row < 3; ++row) {
            auto *cell = new QWidget;
            cell->setFixedSize(116, 46);
            auto *button = new TColorSpeedButton(cell);
            setUpCommandButton(*button, CommandButton(row));
            button->move(3, 3);
            button->setProperty("renderState", int(states[column].first));
            if (states[column].first == ButtonState::Disabled) {
                // How the run engine colours a disabled command button.
                const RunButtonColors colors = runButtonColors(CommandButton(row), false);
                button->setColor(colors.color);
                button->setLightColor(colors.lightColor);
            }
            grid->addWidget(cell, row + 2, column + 1);
        }
    }
    return window;
}

// Every colour preset (and so every style but bsShape and bsEncarta) in every state.
std::unique_ptr<QWidget> colorPresets()
{
    auto window = std::make_unique<QWidget>();
    auto *grid = new QGridLayout(window.get());
    const std::pair<TColorStyle, const char *> presets[] = {
        {TColorStyle::csGold, "csGold"},
        {TColorStyle::csChrome, "csChrome"},
        {TColorStyle::csBlue, "csBlue"},
        {TColorStyle::csRed, "csRed"},
        {TColorStyle::csUltraFlat1, "csUltraFlat1"},
        {TColorStyle::csUltraFlat2, "csUltraFlat2"},
        {TColorStyle::csUltraFlatXP, "csUltraFlatXP"},
        {TColorStyle::csAqua, "csAqua"},
        {TColorStyle::csDefault, "csDefault"},
        {TColorStyle::csQuicken, "csQuicken"},
    };
    int row = 0;
    for (const auto &[preset, name] : presets) {
        for (int state = 0; state < 4; ++state) {
            auto *cell = new QWidget;
            cell->setFixedSize(106, 29);
            auto *button = new TColorSpeedButton(cell);
            button->move(3, 3);
            button->setColorStyle(preset);
            button->setCaption(QString::fromLatin1(name));
            button->setAlignment(TAlignment::taCenter);
            button->setProperty("renderState", state);
            grid->addWidget(cell, row, state);
        }
        ++row;
    }
    auto *old = new QWidget;
    old->setFixedSize(106, 29);
    auto *oldButton = new TColorSpeedButton(old);
    oldButton->move(3, 3);
    oldButton->setStyle(TColorSpeedButtonStyle::bsOld);
    oldButton->setCaption(QStringLiteral("bsOld mit &Text"));
    grid->addWidget(old, row, 0);
    return window;
}

// The header and protocol buttons with their glyph strips in every state,
// the lock pictures and the second-monitor switches, on the window's
// button-shadow colour. Run with QT_SCALE_FACTOR=2 to see the 2x pictures.
std::unique_ptr<QWidget> artworkButtons()
{
    using Artwork::Picture;
    auto window = buttonShadowWindow();
    auto *grid = new QGridLayout(window.get());
    const std::pair<ButtonState, const char *> states[] = {{ButtonState::Normal, "normal"},
                                                           {ButtonState::Hot, "hot"},
                                                           {ButtonState::Down, "down"},
                                                           {ButtonState::Disabled, "disabled"}};
    for (int column = 0; column < 4; ++column)
        grid->addWidget(new QLabel(QString::fromLatin1(states[column].second)), 0, column);
    const auto addButton = [&](Picture glyphs, QSize size, TColorSpeedButtonStyle style, int row,
                               int column) {
        auto *cell = new QWidget;
        cell->setFixedSize(size + QSize(6, 6));
        auto *button = new TColorSpeedButton(cell);
        button->move(3, 3);
        button->resize(size);
        button->setStyle(style);
        button->setFlat(true);
        button->setColor(clBtnShadow);
        button->setGlyph(Artwork::image(glyphs));
        button->setProperty("renderState", int(states[column].first));
        grid->addWidget(cell, row, column);
    };
    int row = 1;
    for (const Picture glyphs : {Picture::HelpGlyphs, Picture::CfgGlyphs, Picture::InfoGlyphs}) {
        for (int column = 0; column < 4; ++column)
            addButton(glyphs, QSize(38, 40), TColorSpeedButtonStyle::bsShape, row, column);
        ++row;
    }
    for (const Picture glyphs : {Picture::SaveGlyphs, Picture::ClsGlyphs}) {
        for (int column = 0; column < 4; ++column)
            addButton(glyphs, QSize(36, 39), TColorSpeedButtonStyle::bsNormal, row, column);
        ++row;
    }
    int column = 0;
    for (const Picture picture :
         {Picture::LockBlocked, Picture::LockArmed, Picture::TVAus, Picture::TVEin}) {
        auto *label = new QLabel;
        label->setPixmap(Artwork::pixmap(picture));
        grid->addWidget(label, row, column++);
    }
    return window;
}

// The protocol beside the split table of an athlete with five attempts, the
// slowest struck out, as runs of the engine leave them.
std::unique_ptr<QWidget> protocolTables()
{
    auto window = std::make_unique<QWidget>();
    window->resize(640, 200);
    auto *splitter = new QSplitter(window.get());
    splitter->setGeometry(window->rect());
    // Not the splitter: it would take the hidden store as a pane too.
    auto *tables = new TProtocolTables(window.get());
    splitter->addWidget(tables->SortGrid1);
    splitter->addWidget(tables->TabControl1);
    splitter->setSizes({640 - 272, 272});
    tables->FillSplitHeader(5, 10, 15, 30);
    const auto run = [tables](const char *startNumber, qint32 finalTime, qint64 first,
                              qint64 second, qint64 third) {
        tables->setTablesEnabled(false);
        tables->OpenProtocolRow(QString::fromLatin1(startNumber));
        tables->StoreRunSplits(finalTime, {first, second, third, finalTime});
    };
    run("1", 4310, 1020, 1790, 2560);
    run("2", 4480, 1050, 0, 2630);
    run("3", 4120, 990, 1700, 2440);
    for (const qint32 t : {4250, 4190, 4410, 4520, 4230})
        run("7", t, t / 4, t * 4 / 10, t * 6 / 10);
    tables->SortGrid1->setCells(1, 1, QStringLiteral("Anna Berg"));
    tables->SortGrid1->setCells(1, 2, QStringLiteral("Jonas Krüger"));
    tables->SortGrid1->setCells(1, 4, QStringLiteral("Lea Wolff"));
    tables->StartNumberChanged(QStringLiteral("7"));
    QObject::connect(splitter, &QSplitter::splitterMoved, tables, &TProtocolTables::LayoutColumns);
    window->setProperty("layoutColumns", QVariant::fromValue<QObject *>(tables));
    return window;
}

// A sortable grid with a check-box, a drop-down and an ellipsis column, a
// filter on and two rows selected.
std::unique_ptr<QWidget> gridCells()
{
    auto window = std::make_unique<QWidget>();
    window->resize(440, 230);
    auto *grid = new TSortGrid(window.get());
    grid->setGeometry(10, 10, 420, 210);
    grid->setColCount(5);
    grid->setDefaultRowHeight(20);
    grid->setColWidths(0, 40);
    grid->setColWidths(1, 110);
    grid->setColWidths(2, 40);
    grid->setColWidths(3, 100);
    const QList<QStringList> rows{
        {QStringLiteral("Nr."), QStringLiteral("Name"), QStringLiteral("OK"),
         QStringLiteral("Lauf"), QStringLiteral("Video")},
        {QStringLiteral("7"), QStringLiteral("Jonas Weber"), QStringLiteral("V"),
         QStringLiteral("Sprint"), QStringLiteral("lauf7.avi")},
        {QStringLiteral("3"), QStringLiteral("Lena Fischer"), QString(), QStringLiteral("Hürden"),
         QStringLiteral("lauf3.avi")},
        {QStringLiteral("12"), QStringLiteral("Ausgeschieden"), QString(), QString(), QString()},
        {QStringLiteral("5"), QStringLiteral("Mia Schäfer"), QStringLiteral("1"),
         QStringLiteral("Sprint"), QString()},
        {QStringLiteral("9"), QStringLiteral("Paul Becker"), QStringLiteral("true"),
         QStringLiteral("Anlauf"), QStringLiteral("lauf9.avi")},
    };
    grid->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        grid->setRows(r, rows[r]);
    grid->OnGetCellFormat = [](QObject *, int col, int row, TGridDrawState, TFormatOptions &,
                               bool &checkBox, bool &combobox, bool &ellipsis) {
        checkBox = row > 0 && col == 2;
        combobox = row > 0 && col == 3;
        ellipsis = row > 0 && col == 4;
    };
    grid->OnSetFilter = [](const QStringList &row, bool &accept) {
        accept = row.value(3) != QString();
    };
    TSortOptions sort = grid->sortOptions();
    sort.SortStyle = TSortStyle::ssNumeric;
    grid->setSortOptions(sort);
    grid->setFiltered(true);
    grid->setMultiSelect(true);
    // Laid out first, so a click does not scroll the row it selects.
    window->show();
    QCoreApplication::processEvents();
    for (const int row : {2, 4}) {
        const QPointF at = grid->cellRect(1, row).center();
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent click(type, at, grid->viewport()->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              row == 2 ? Qt::NoModifier : Qt::ControlModifier);
            QCoreApplication::sendEvent(grid->viewport(), &click);
        }
    }
    return window;
}

// The same grid while a drop-down cell's list is open for choosing.
std::unique_ptr<QWidget> gridDropDown()
{
    std::unique_ptr<QWidget> window = gridCells();
    auto *grid = window->findChild<TSortGrid *>();
    grid->setMultiSelect(false);
    grid->setOptions(grid->options() | TGridOption::goEditing);
    grid->OnGetComboBox = [](QObject *, int, int, QStringList &strs, int &, int &, bool &) {
        strs = {QStringLiteral("Sprint"), QStringLiteral("Hürden"), QStringLiteral("Anlauf"),
                QStringLiteral("Staffel")};
    };
    grid->GoToCell(1, 2, false);
    grid->setEditorMode(true);
    grid->setCol(3);
    return window;
}

// The main window in each run state, with a fixed clock so the digits show
// the same times every time.
quint32 g_renderTick = 1000;
quint32 renderTick()
{
    return g_renderTick;
}

// Fills the protocol with three athletes through the test keys, as a coach
// would test the barriers, and leaves the last one, Jonas, due to start again.
// He has run four attempts, or five (the slowest struck) with allFive.
void renderProtocol(TFormMain &window, bool allFive)
{
    window.findChild<QTimer *>(QStringLiteral("TimerGesperrtStop"))->setInterval(0);
    auto *next = window.findChild<QSpinBox *>(QStringLiteral("editStartN2"));
    TSortGrid *protocol = window.protocolTables()->SortGrid1;
    const auto run = [&](qint32 finalTime) {
        const quint32 start = g_renderTick;
        window.TestKeysClick(1);
        for (const qint32 fraction : {1, 2, 3}) {
            g_renderTick = start + quint32(finalTime * fraction / 4);
            window.TestKeysClick(fraction == 2 ? 3 : 2);
        }
        g_renderTick = start + quint32(finalTime);
        window.TestKeysClick(5);
        g_renderTick += 5000;
    };
    std::vector<qint32> jonas = {5980, 5870, 6340, 5910};
    if (allFive)
        jonas.push_back(5890);
    // Each athlete: name, then the final times of the attempts.
    const std::pair<QString, std::vector<qint32>> athletes[] = {
        {QStringLiteral("Lena Hartmann"), {6120}},
        {QStringLiteral("Mia Sch\u00E4fer"), {6050}},
        {QStringLiteral("Jonas Weber"), jonas},
    };
    int number = 1;
    for (const auto &[name, finals] : athletes) {
        for (std::size_t attempt = 0; attempt < finals.size(); ++attempt) {
            run(finals[attempt]);
            protocol->setCells(1, protocol->row(), name);
            const bool nextAthlete = attempt + 1 == finals.size() && number < 3;
            next->setValue(nextAthlete ? number + 1 : number);
            window.mResetClick();
        }
        ++number;
    }
    next->setValue(4);
}

std::unique_ptr<QWidget> mainWindow(const char *state)
{
    // Neither the user's settings nor real serial ports: a picture needs neither.
    static const QTemporaryDir sandbox;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(sandbox.path()));
    qputenv("TAVRIN_DEV_DIR", QFile::encodeName(sandbox.path()));
    platform::setTickSource(renderTick);
    auto window = std::make_unique<TFormMain>();
    window->ComPortOpen(); // the lock icons, as with a port open
    const QByteArray which(state);
    renderProtocol(*window, which == "ready");
    window->mLockStoppLSClick();
    if (which == "ready")
        return window;
    window->mStartClick();
    g_renderTick += 5230;
    window->TestKeysClick(2);
    g_renderTick += 7110;
    window->ClockTimer();
    if (which == "stopped") {
        g_renderTick += 62340 - 5230 - 7110;
        window->mStopClick();
    }
    return window;
}

// A run in progress after the adapter was pulled out, or the main window at
// start with a port the user may not open: the red notice instead of the
// lock icons.
std::unique_ptr<QWidget> mainWindowWithNotice(TPortRecovery::State state)
{
    std::unique_ptr<QWidget> window = mainWindow("running");
    auto *form = static_cast<TFormMain *>(window.get());
    form->ComPortClose();
    form->findChild<TPortNotice *>()->showState(state, 5, QStringLiteral("/dev/ttyUSB0"));
    return window;
}

// The second display as the audience sees it after a run of 1.02,34. Placed
// on the screen it names, so render it with a screen of the wanted size, e.g.
// QT_QPA_PLATFORM=offscreen:configfile=tools/two-monitors.json.
std::unique_ptr<QWidget> secondMonitor(int monitor)
{
    auto window = std::make_unique<TFormMonitor2>(QStringLiteral("Sprinttest U16"), monitor);
    window->showDigits(digitsForTime(DisplayRow::Upper, 62340), kActiveDigitColor);
    window->showDigits(digitsForTime(DisplayRow::Lower, 62340), kActiveDigitColor);
    window->setStartNumbers(17, 18);
    return window;
}

// The settings dialog as an operator opens it: COM3 of three ports chosen,
// 0,25 s lockout, the default distances.
std::unique_ptr<QWidget> cfgDialog()
{
    auto dialog = std::make_unique<TCfgDialog>(0b101u | (3u << 16));
    Settings settings;
    settings.Alg = 1;
    dialog->fill(settings, 3, 250);
    return dialog;
}

struct Scene
{
    const char *name;
    std::function<std::unique_ptr<QWidget>()> build;
};

const Scene kScenes[] = {
    {"controls", digitsAndButtons},
    {"presets", colorPresets},
    {"protocol", protocolTables},
    {"gridcells", gridCells},
    {"griddropdown", gridDropDown},
    {"main-ready", [] { return mainWindow("ready"); }},
    {"main-running", [] { return mainWindow("running"); }},
    {"main-stopped", [] { return mainWindow("stopped"); }},
    {"main-lost", [] { return mainWindowWithNotice(TPortRecovery::State::Lost); }},
    {"main-missing", [] { return mainWindowWithNotice(TPortRecovery::State::Missing); }},
    {"main-denied", [] { return mainWindowWithNotice(TPortRecovery::State::AccessDenied); }},
    {"monitor2-0", [] { return secondMonitor(0); }},
    {"monitor2-1", [] { return secondMonitor(1); }},
    {"artwork", artworkButtons},
    {"cfg", cfgDialog},
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installFontSubstitutes(); // as the program does
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders controls and windows to a PNG file."));
    parser.addHelpOption();
    const QCommandLineOption sceneOption(QStringLiteral("scene"),
                                         QStringLiteral("What to draw (default: controls)."),
                                         QStringLiteral("name"), QStringLiteral("controls"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("PNG file to write."),
                                       QStringLiteral("file"));
    parser.addOption(sceneOption);
    parser.addOption(outOption);
    parser.process(app);

    QTextStream err(stderr);
    if (!parser.isSet(outOption)) {
        err << "render_controls: --out is required\n";
        return 2;
    }
    const QString name = parser.value(sceneOption);
    const auto scene = std::find_if(std::begin(kScenes), std::end(kScenes),
                                    [&](const Scene &s) { return name == QLatin1String(s.name); });
    if (scene == std::end(kScenes)) {
        err << "render_controls: unknown scene " << name << "\n";
        return 2;
    }

    const std::unique_ptr<QWidget> widget = scene->build();
    widget->show();
    QCoreApplication::processEvents();
    const auto buttons = widget->findChildren<TColorSpeedButton *>();
    for (TColorSpeedButton *button : buttons) {
        const QVariant state = button->property("renderState");
        if (state.isValid())
            applyState(button, ButtonState(state.toInt()));
    }
    if (auto *tables =
            qobject_cast<TProtocolTables *>(widget->property("layoutColumns").value<QObject *>())) {
        // As the main window does on every resize.
        tables->LayoutColumns();
    }
    QCoreApplication::processEvents();

    const QString out = parser.value(outOption);
    if (!widget->grab().save(out, "PNG")) {
        err << "render_controls: cannot write " << out << "\n";
        return 1;
    }
    return 0;
}
