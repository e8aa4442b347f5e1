#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "parser/parser_state.h"
#include "rules/rules.h"
#include "screen/screen.h"
#include "screen/window.h"
#include "world/world.h"

// All the state of one game process: a fresh Game is a fresh program, which is how tests,
// benchmarks and fuzzing start over. The game plays in `folder`: it reads its data files
// and iniziale.ini there and writes iniziale.ini, saved games and Debug.txt there.
namespace vortila {

inline constexpr int kHistorySize = 100;

struct Game {
  Game(Window& window, std::filesystem::path folder)
      : window(window), folder(folder), screen(window, folder) {}

  Window& window;
  std::filesystem::path folder;
  World world;
  Screen screen;
  ParserState parser;
  TurnVariables turn;

  // Past command lines, lower-cased but not trimmed: entry 1 is the newest, entry 100 the
  // oldest kept; entry 0 is never used.
  std::array<std::string, kHistorySize + 1> CommandHistory;
  // The entry that the next Up key shows.
  int HistoryIndex = 0;

  // Set once the program has been told to end; no key reaches the game after that.
  bool ended = false;
};

}  // namespace vortila
