#include "ui/FontSubstitutes.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installFontSubstitutes();
    QWidget window;
    window.setWindowTitle(QApplication::applicationName());
    window.resize(800, 590);
    window.show();
    return app.exec();
}
