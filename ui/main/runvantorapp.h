#pragma once

// The whole program: the application object, the main window's start-up, the
// event loop. main() is only this call, so that a start-up measurement can run
// exactly the same code.
int RunVantorApp(int &argc, char **argv);
