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
    benchmark::DoNotOptimize(game.screen.HeldText.data());
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

}  // namespace
}  // namespace vortila
