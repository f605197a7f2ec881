#include "help/HtmlHelpViewer.h"
#include "settings/ProgramTitle.h"
#include "ui/AppIcon.h"
#include "ui/Cfg.h"
#include "ui/DlgYesNo.h"
#include "ui/FMain.h"
#include "ui/FMonitor2.h"
#include "ui/FSxema.h"
#include "ui/FontSubstitutes.h"
#include "ui/QtTranslation.h"
#include "ui/StartCheck.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The desktop id lets the desktop match the windows to the menu entry.
    QGuiApplication::setDesktopFileName(QString::fromUtf16(AppIcon::kDesktopId));
    QApplication::setWindowIcon(AppIcon::icon());
    installFontSubstitutes();
    installQtTranslation(app);
    // Before the windows, so help works from the first key; gone after them.
    const auto htmlHelp = HtmlHelpInstallation::install();

    // The windows in program order; only the main window is shown.
    TFormMain FormMain;
    auto *CfgDialog = new TCfgDialog(FormMain.probedPorts(), &FormMain);
    FormMain.setCfgDialog(CfgDialog);
    auto *FDlgYesNo = new TFDlgYesNo(programTitle(), &FormMain);
    FormMain.setDlgYesNo(FDlgYesNo);
    const Settings &settings = FormMain.settings();
    auto *FormMonitor2 = new TFormMonitor2(settings.Title, settings.Monitor, &FormMain);
    FormMain.setMonitorWindow(FormMonitor2);
    CfgDialog->setSxemaWindow(new TFormSxema(&FormMain));
    FormMain.show();
    if (QCoreApplication::arguments().contains(QStringLiteral("--check-start")))
        closeWhenShown(FormMain, 10000);
    return app.exec();
}
