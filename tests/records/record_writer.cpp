// record_writer.cpp: a second process for the record tests: writes once or in a loop until
// killed, wins a game, reads the file over and over, or saves a record beside its own executable.
#include "../support/recording_window.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <records/fastest_time_store.h>

using namespace tintwise;

int main(int argc, char* argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    const std::filesystem::path directory = argc > 2 ? argv[2] : "";
    const records::FastestTimeStore store(mode == "here" ? records::programDirectory()
                                                         : directory.native());
    if (mode == "here" || mode == "once") { // "here": beside itself, wherever it was started from
        const int count = argc > 3 ? std::atoi(argv[3]) : 4;
        return store.writeRecord("Interm", count) == records::WriteOutcome::Written ? 0 : 1;
    }
    if (mode == "loop") {
        for (int n = 1; store.reset(); n = n % 10 + 1) {
            store.writeRecord("Interm", n);
        }
    }
    if (mode == "win" && argc == 4) { // wins on Intermediate with guess number COUNT
        testing::RecordingWindow window(directory);
        engine::MainForm form(window);
        form.Form_Load();
        testing::winOnGuess(form, std::atoi(argv[3]));
        return form.Speed() == std::atoi(argv[3]) ? 0 : 1;
    }
    while (mode == "read") { // until killed; exits 1 at the first bytes that are not one whole line
        std::ifstream in(directory / "Interm.txt", std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        if (bytes.size() < 5 || bytes[0] != '"' ||
            bytes.compare(bytes.size() - 3, 3, "\"\r\n") != 0) {
            std::fprintf(stderr, "read a partial line: [%s]\n", bytes.c_str());
            return 1;
        }
    }
    return 2; // usage: record_writer here | once DIR COUNT | win DIR COUNT | loop|read DIR
}
