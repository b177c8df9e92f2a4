// engine_bench.cpp: the cost of scoring a guess, starting a game and playing a whole game.
#include <atomic>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <engine/main_form.h>
#include <engine/scoring.h>
#include <new>

namespace {

// Counts every heap allocation, so a benchmark can report allocations per iteration.
std::atomic<long> g_allocations{0};

} // namespace

void* operator new(std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace tintwise::engine;

// A window that does nothing, so only the engine is measured.
class NullWindow : public WindowEffects
{
public:
    explicit NullWindow(std::string time) : m_time(std::move(time)) {}
    void setPaletteButtonVisible(int, bool) override {}
    void setDifficultyChecked(int, bool) override {}
    void showMessage(std::string_view, std::string_view) override {}
    void setFocus(FocusTarget) override {}
    void setCursorColour(ColourIndex) override {}
    tintwise::records::NativePath programDirectory() const override { return {}; }
    std::string timeOfDay() const override { return m_time; }

private:
    std::string m_time;
};

class AllocationCounter
{
public:
    explicit AllocationCounter(benchmark::State& state) : m_state(state), m_start(g_allocations) {}
    ~AllocationCounter()
    {
        m_state.counters["allocs/iter"] = benchmark::Counter(
            static_cast<double>(g_allocations - m_start), benchmark::Counter::kAvgIterations);
    }

private:
    benchmark::State& m_state;
    long m_start;
};

void BM_Score(benchmark::State& state)
{
    const Code secret{QBColor(1), QBColor(2), QBColor(3), QBColor(4)};
    const Code guesses[] = {{QBColor(1), QBColor(1), QBColor(2), QBColor(2)},
                            {QBColor(4), QBColor(3), QBColor(2), QBColor(1)},
                            {QBColor(5), QBColor(6), QBColor(7), QBColor(8)},
                            {QBColor(1), QBColor(2), QBColor(3), QBColor(4)}};
    std::size_t i = 0;
    AllocationCounter allocs(state);
    for (auto _ : state) {
        Code secretCopy = secret;
        benchmark::DoNotOptimize(secretCopy);
        benchmark::DoNotOptimize(score(secretCopy, guesses[i++ & 3]));
    }
}
BENCHMARK(BM_Score);

// A non-winning "Correct?" on the board: scoring, the count texts and the move into history.
// Every ninth click is followed by a Start at warm-up count 0 (about a tenth of the figure);
// pausing the timer instead would cost more than the click itself.
void BM_CmdCorrectClick(benchmark::State& state)
{
    NullWindow window("14:00:00");
    MainForm form(window);
    form.Form_Load();
    form.Cmd_Click(14); // white is never a secret colour, nor is 14 at Intermediate
    form.TA_Click(1);
    int rows = 0;
    AllocationCounter allocs(state);
    for (auto _ : state) {
        form.CmdCorrect_Click();
        if (++rows == 9) {
            form.CmdStart_Click();
            form.TA_Click(1);
            rows = 0;
        }
    }
}
BENCHMARK(BM_CmdCorrectClick);

void BM_CmdStartClickWarmUp59(benchmark::State& state)
{
    NullWindow window("00:59:00");
    MainForm form(window);
    form.Form_Load();
    for (auto _ : state) {
        form.CmdStart_Click();
        benchmark::DoNotOptimize(form.board().secret.cells);
    }
}
BENCHMARK(BM_CmdStartClickWarmUp59);

// Start, then ten guesses painted cell by cell; the tenth loses.
void BM_WholeTenGuessGame(benchmark::State& state)
{
    NullWindow window("14:00:00");
    MainForm form(window);
    form.Form_Load();
    for (auto _ : state) {
        form.CmdStart_Click();
        const Code& s = form.board().secret.cells;
        for (int g = 0; g < 10; ++g) {
            for (int n = 1; n <= 4; ++n) {
                form.Cmd_Click(colourIndexOf(s[static_cast<std::size_t>(n % 4)]));
                form.TA_Click(n);
            }
            form.CmdCorrect_Click();
        }
        benchmark::DoNotOptimize(form.board().rows);
    }
}
BENCHMARK(BM_WholeTenGuessGame);

} // namespace

BENCHMARK_MAIN();
