#include "ui/main/runvantorapp.h"

#include "ui/main/frmmain.h"

#include <QApplication>

int RunVantorApp(int &argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VantorApp"));
    frmMain window;
    window.Form_Load(); // start-up runs before the window is shown
    window.show();
    return app.exec();
}
