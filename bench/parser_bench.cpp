#include <benchmark/benchmark.h>

#include <string>

#include "app/game.h"
#include "app/keys.h"
#include "app/startup.h"
#include "parser/parse_command.h"
#include "screen/headless_window.h"

// The parser on its own: one ordinary command, and a command line of a megabyte, in a game
// whose introduction has been read.
namespace vortila {
namespace {

class StartedGame {
 public:
  StartedGame() {
    StartGame(game);
    while (window.commandBox == kPagePrompt) KeyPress(game, kEnterKey);
  }

  // Parses `line` as the command loop hands it over: lower-cased and trimmed.
  bool Parse(const std::string& line) {
    game.world.InputLine = line;
    game.screen.LinesShown = 0;
    game.screen.HeldText.clear();
    return ParseCommand(game.parser, game.world, game.screen);
  }

  HeadlessWindow window;
  Game game{window, std::filesystem::path(VORTILA_DATA_DIR)};
};

void OrdinaryCommand(benchmark::State& state) {
  StartedGame started;
  for (auto _ : state) benchmark::DoNotOptimize(started.Parse("prendi la torcia"));
}
BENCHMARK(OrdinaryCommand);

// A fixed number of runs, so that an instruction count over the whole benchmark divides
// into the cost of one command (bench/measure-parser).
BENCHMARK(OrdinaryCommand)->Name("OrdinaryCommandCounted")->Iterations(1000);

void MegabyteCommandParse(benchmark::State& state) {
  StartedGame started;
  std::string line = "guarda";
  while (line.size() < (1 << 20)) line += " sulla mensola l'accumulatore dentro la nicchia e poi";
  for (auto _ : state) benchmark::DoNotOptimize(started.Parse(line));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * line.size()));
}
BENCHMARK(MegabyteCommandParse)->Unit(benchmark::kMillisecond);

// A single word of half a megabyte of clitics, each cut off in turn and each answered.
void MegabyteOfClitics(benchmark::State& state) {
  StartedGame started;
  std::string word = "x";
  while (word.size() < (1 << 20)) word += "la";
  for (auto _ : state) benchmark::DoNotOptimize(started.Parse(word));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * word.size()));
}
BENCHMARK(MegabyteOfClitics)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vortila
