// recorder.cpp: stands in for a program the game starts (the system-information program, the
// browser, the mail program): appends its command line to NAME.log beside itself, and ends.
#include <fstream>
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::ofstream(std::string(self) + ".log", std::ios::app) << GetCommandLineA() << '\n';
    return 0;
}
