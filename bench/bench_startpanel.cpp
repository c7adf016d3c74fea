// The panel's start-up for bench_startup: exactly what VantorApp runs, with
// paintreporter.cpp linked in to say when the main window is first painted.
#include "ui/main/runvantorapp.h"

int main(int argc, char *argv[])
{
    return RunVantorApp(argc, argv);
}
