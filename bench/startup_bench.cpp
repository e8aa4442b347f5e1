#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/game.h"
#include "app/keys.h"
#include "app/startup.h"
#include "screen/headless_window.h"

// In-process timings of the work a start does: both data files read, the banner and the
// introduction printed and paged. A fresh Game each time, as a fresh process would have.
namespace vortila {
namespace {

void StartToFirstPage(benchmark::State& state) {
  for (auto _ : state) {
    HeadlessWindow window;
    Game game(window, std::filesystem::path(VORTILA_DATA_DIR));
    StartGame(game);
    benchmark::DoNotOptimize(game.screen.LinesShown);
  }
}
BENCHMARK(StartToFirstPage);

void WholeIntroduction(benchmark::State& state) {
  for (auto _ : state) {
    HeadlessWindow window;
    Game game(window, std::filesystem::path(VORTILA_DATA_DIR));
    StartGame(game);
    while (window.commandBox == kPagePrompt) KeyPress(game, kEnterKey);
    benchmark::DoNotOptimize(game.world.StoryClock);
  }
}
BENCHMARK(WholeIntroduction);

void MegabyteCommandLine(benchmark::State& state) {
  HeadlessWindow window;
  Game game(window, std::filesystem::path(VORTILA_DATA_DIR));
  StartGame(game);
  while (window.commandBox == kPagePrompt) KeyPress(game, kEnterKey);
  std::string line;
  while (line.size() < (1 << 20)) line += "prendi la torcia ";
  for (auto _ : state) {
    game.screen.HeldText.clear();
    window.commandBox = line;
    KeyPress(game, kEnterKey);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * line.size()));
}
BENCHMARK(MegabyteCommandLine)->Unit(benchmark::kMillisecond);

// A word of clitics ("prendilolo...") is answered once for each of them: the reply runs to
// many pages, and reading it to the end should cost in proportion to its length. The fit
// that the benchmark reports for the range of lengths tells whether it does.
void CliticsReadToTheLastPage(benchmark::State& state) {
  HeadlessWindow window;
  Game game(window, std::filesystem::path(VORTILA_DATA_DIR));
  StartGame(game);
  while (window.commandBox == kPagePrompt) KeyPress(game, kEnterKey);
  std::string line = "prendi";
  for (int64_t i = 0; i < state.range(0); ++i) line += "lo";
  for (auto _ : state) {
    window.commandBox = line;
    KeyPress(game, kEnterKey);
    while (window.commandBox == kPagePrompt) KeyPress(game, kEnterKey);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(CliticsReadToTheLastPage)
    ->RangeMultiplier(2)
    ->Range(25'000, 400'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace
}  // namespace vortila
