// launch_time.cpp: under Wine, the time from starting a program to its first window on screen,
// for the game (its splash) and the bare Win32 window in turn, each going first every other
// round after one unmeasured launch of each; prints a Markdown table row of medians, ranges and
// their ratio. Against a yardstick named by the fourth argument, the row carries that name and
// no target.
//   tintwise_launch_time GAME.exe BARE.exe RUNS [YARDSTICK]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <windows.h>

namespace {

struct Launch
{
    DWORD process = 0;
    bool shown = false;
};

BOOL CALLBACK findShown(HWND window, LPARAM search)
{
    auto* launch = reinterpret_cast<Launch*>(search);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    launch->shown = launch->shown || (process == launch->process && IsWindowVisible(window));
    return !launch->shown;
}

// Milliseconds from CreateProcess to a visible top-level window of the new process, which is
// then ended; polled every millisecond, the same for both programs.
double launchMilliseconds(const char* exe)
{
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION run{};
    const auto start = std::chrono::steady_clock::now();
    if (!CreateProcessA(exe, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &run)) {
        std::fprintf(stderr, "cannot start %s: error %lu\n", exe, GetLastError());
        std::exit(1);
    }
    Launch launch{run.dwProcessId};
    while (EnumWindows(findShown, LPARAM(&launch)), !launch.shown) {
        if (WaitForSingleObject(run.hProcess, 1) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "%s ended before it showed a window\n", exe);
            std::exit(1);
        }
    }
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    TerminateProcess(run.hProcess, 0);
    WaitForSingleObject(run.hProcess, 5000);
    CloseHandle(run.hThread);
    CloseHandle(run.hProcess);
    return took.count();
}

struct Spread
{
    double median, min, max;
};

Spread spread(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const std::size_t n = times.size();
    return {(times[(n - 1) / 2] + times[n / 2]) / 2, times.front(), times.back()};
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4 && argc != 5) {
        std::fputs("usage: tintwise_launch_time GAME.exe BARE.exe RUNS [YARDSTICK]\n", stderr);
        return 2;
    }
    const int runs = std::atoi(argv[3]);
    std::vector<double> game, bare;
    launchMilliseconds(argv[1]);
    launchMilliseconds(argv[2]);
    for (int i = 0; i < runs; ++i) {
        const bool gameFirst = i % 2 == 0;
        const double first = launchMilliseconds(argv[gameFirst ? 1 : 2]);
        const double second = launchMilliseconds(argv[gameFirst ? 2 : 1]);
        game.push_back(gameFirst ? first : second);
        bare.push_back(gameFirst ? second : first);
    }
    const Spread g = spread(game), b = spread(bare);
    const double ratio = g.median / b.median;
    std::printf("| launch to the first window on screen under Wine (game: the splash)%s%s, "
                "%d runs | %.0f ms (%.0f–%.0f ms) | %.0f ms (%.0f–%.0f ms) | %.2fx | %s | %s |\n",
                argc == 5 ? ", against " : "", argc == 5 ? argv[4] : "", runs, g.median, g.min,
                g.max, b.median, b.min, b.max, ratio, argc == 5 ? "—" : "≤ 1.2x",
                argc == 5 ? "—" : ratio <= 1.2 ? "met" : "NOT met");
    return 0;
}
