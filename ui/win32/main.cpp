// main.cpp: the entry point of tintwise.exe. The game takes no options: the command line is
// never read.
#include "app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    tintwise::win32::App app(instance);
    return app.run();
}
