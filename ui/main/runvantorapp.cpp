#include "ui/main/runvantorapp.h"

#include "ui/main/frmmain.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstring>

namespace {

// --help and --version are answered without a window, so they need no display.
bool AsksForInformation(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const char *option : {"--help", "-h", "--version", "-V"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

[[noreturn]] void AnswerInformation(int &argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("VantorApp"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTOR_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The control panel of a serial 2 x 16 character display board."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("V"), QStringLiteral("Displays version information.")});
    parser.process(app);  // prints what was asked for and ends the program
    parser.showVersion(); // -V, which process() leaves to us
}

} // namespace

int RunVantorApp(int &argc, char **argv)
{
    if (AsksForInformation(argc, argv))
        AnswerInformation(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VantorApp"));
    QApplication::setApplicationVersion(QStringLiteral(VANTOR_VERSION));
    frmMain window;
    window.Form_Load(); // start-up runs before the window is shown
    window.show();
    return app.exec();
}
