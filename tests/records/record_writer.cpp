// record_writer.cpp: a second process for the record tests: writes in a loop until killed, wins
// a game with its congratulation held open, reads the file over and over, or saves a record
// beside its own executable.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <engine/main_form.h>
#include <fstream>
#include <iterator>
#include <records/fastest_time_store.h>
#include <string>
#include <string_view>
#include <thread>

namespace {

using namespace tintwise;

// A window that keeps the "Fastest Time" box open for a while, as a player reading it does.
class HeldBoxWindow : public engine::WindowEffects
{
public:
    HeldBoxWindow(std::filesystem::path directory, int holdMilliseconds)
        : m_directory(std::move(directory)), m_hold(holdMilliseconds)
    {
    }
    void setPaletteButtonVisible(int, bool) override {}
    void setDifficultyChecked(int, bool) override {}
    void showMessage(std::string_view title, std::string_view) override
    {
        if (title == "Fastest Time") {
            std::this_thread::sleep_for(std::chrono::milliseconds(m_hold));
        }
    }
    void setFocus(engine::FocusTarget) override {}
    void setCursorColour(engine::ColourIndex) override {}
    std::filesystem::path programDirectory() const override { return m_directory; }
    std::string timeOfDay() const override { return "14:00:00"; }

private:
    std::filesystem::path m_directory;
    int m_hold;
};

// Wins on Intermediate with guess number `guess` (1..10).
int win(const std::filesystem::path& directory, int guess, int holdMilliseconds)
{
    HeldBoxWindow window(directory, holdMilliseconds);
    engine::MainForm form(window);
    form.Form_Load();
    const engine::Code secret = form.board().secret.cells;
    auto paint = [&](const engine::Code& code) {
        for (int n = 1; n <= engine::kCodeLength; ++n) {
            form.Cmd_Click(engine::colourIndexOf(code[static_cast<std::size_t>(n - 1)]));
            form.TA_Click(n);
        }
        form.CmdCorrect_Click();
    };
    for (int i = 1; i < guess; ++i) {
        paint({secret[1], secret[2], secret[3], secret[0]});
    }
    paint(secret);
    return form.Speed() == guess ? 0 : 1;
}

// Reads the file's whole bytes until killed; exits 1 at the first that is not one whole line.
int readForever(const std::filesystem::path& file)
{
    for (;;) {
        std::ifstream in(file, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        const bool whole = bytes.size() >= 5 && bytes.front() == '"' &&
                           bytes.compare(bytes.size() - 3, 3, "\"\r\n") == 0;
        if (!whole) {
            std::fprintf(stderr, "read a partial line: [%s]\n", bytes.c_str());
            return 1;
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 2 && std::string_view(argv[1]) == "here") {
        // Saves a record beside itself, wherever it was started from.
        const records::FastestTimeStore here(records::programDirectory());
        return here.writeRecord("Begin", 4) == records::WriteOutcome::Written ? 0 : 1;
    }
    const std::string_view mode = argc > 2 ? argv[1] : "";
    const std::filesystem::path directory = argc > 2 ? argv[2] : "";
    const records::FastestTimeStore store(directory);
    if (mode == "loop") {
        for (int n = 1;; n = n % 10 + 1) {
            store.reset();
            store.writeRecord("Interm", n);
        }
    }
    if (mode == "once" && argc == 4) {
        return store.writeRecord("Interm", std::atoi(argv[3])) == records::WriteOutcome::Written
                   ? 0
                   : 1;
    }
    if (mode == "win" && argc == 5) {
        return win(directory, std::atoi(argv[3]), std::atoi(argv[4]));
    }
    if (mode == "read") {
        return readForever(directory / "Interm.txt");
    }
    std::fprintf(stderr, "usage: record_writer here | loop|once|win|read DIR [COUNT [HOLD_MS]]\n");
    return 2;
}
