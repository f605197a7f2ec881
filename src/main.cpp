#include "settings/ProgramTitle.h"
#include "ui/DlgYesNo.h"
#include "ui/FMain.h"
#include "ui/FontSubstitutes.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installFontSubstitutes();

    // The windows in program order; only the main window is shown.
    TFormMain FormMain;
    auto *FDlgYesNo = new TFDlgYesNo(programTitle(), &FormMain);
    FormMain.setDlgYesNo(FDlgYesNo);
    FormMain.show();
    return app.exec();
}
