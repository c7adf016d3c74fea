#include "ui/main/runvantorapp.h"

int main(int argc, char *argv[])
{
    return RunVantorApp(argc, argv);
}
