#include <benchmark/benchmark.h>
#include <malloc.h>

#include <filesystem>

#include "app/game.h"
#include "app/keys.h"
#include "app/rewind.h"
#include "app/startup.h"
#include "screen/headless_window.h"

// What rewind costs: the memory its ring of snapshots holds once full, and the time a
// snapshot and a step back take.
namespace vortila {
namespace {

std::size_t HeapInUse() { return mallinfo2().uordblks; }

// A game past its introduction that has played `turns` turns, each kept as a step. The clock
// is held back before each, so that the air never runs out and every turn counts.
void PlayTurns(Game& game, HeadlessWindow& window, int turns) {
  StartGame(game);
  while (window.commandBox == kPagePrompt) KeyPress(game, kEnterKey);
  for (int turn = 0; turn < turns; ++turn) {
    game.world.StoryClock = 20;
    window.commandBox = turn % 2 ? "spegni la torcia" : "accendi la torcia";
    KeyPress(game, kEnterKey);
  }
}

// The heap the full ring holds: measured as what letting it go gives back.
void MemoryOfAllLevels(benchmark::State& state) {
  for (auto _ : state) {
    HeadlessWindow window;
    Game game(window, std::filesystem::path(VORTILA_DATA_DIR));
    PlayTurns(game, window, static_cast<int>(kRewindLevels) + 20);
    const std::size_t full = HeapInUse();
    state.counters["levels"] = static_cast<double>(game.rewind.size());
    game.rewind = RewindSteps();
    const double bytes = static_cast<double>(full - HeapInUse());
    state.counters["bytes"] = bytes;
    state.counters["bytes_per_level"] = bytes / static_cast<double>(kRewindLevels);
  }
}
BENCHMARK(MemoryOfAllLevels)->Iterations(1)->Unit(benchmark::kMillisecond);

void SnapshotOfOneTurn(benchmark::State& state) {
  HeadlessWindow window;
  Game game(window, std::filesystem::path(VORTILA_DATA_DIR));
  PlayTurns(game, window, 10);
  for (auto _ : state) benchmark::DoNotOptimize(TakeSnapshot(game, "POSA IL GANCIO"));
}
BENCHMARK(SnapshotOfOneTurn);

// A step back with its message, refilled outside the timing when the ring runs dry.
void OneStepBack(benchmark::State& state) {
  HeadlessWindow window;
  Game game(window, std::filesystem::path(VORTILA_DATA_DIR));
  PlayTurns(game, window, 0);
  for (auto _ : state) {
    if (game.rewind.empty()) {
      state.PauseTiming();
      for (std::size_t level = 0; level < kRewindLevels; ++level) {
        TakeSnapshot(game, "POSA IL GANCIO");
        game.rewind.KeepPending();
      }
      state.ResumeTiming();
    }
    UndoTurn(game);
  }
}
BENCHMARK(OneStepBack);

}  // namespace
}  // namespace vortila
