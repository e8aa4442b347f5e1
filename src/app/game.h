#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <utility>

#include "app/rewind.h"
#include "parser/parser_state.h"
#include "rules/rules.h"
#include "screen/screen.h"
#include "screen/window.h"
#include "world/world.h"

namespace vortila {

inline constexpr int kHistorySize = 100;

// Where the game reads and where it writes. The data folder is only read: 000.pkd, 010.pkd,
// the pictures and their descriptions. The player's folder holds what the game writes and
// reads back: iniziale.ini, saved games (ripresa.sav among them), Debug.txt. The front end
// chooses both.
struct GameFolders {
  // A play folder: the game reads and writes in one folder, as it has always played. Left
  // implicit so that a play folder's path stands for both wherever a game is made.
  GameFolders(std::filesystem::path playFolder) : data(playFolder), player(playFolder) {}
  GameFolders(std::filesystem::path dataFolder, std::filesystem::path playerFolder)
      : data(std::move(dataFolder)), player(std::move(playerFolder)) {}

  std::filesystem::path data;
  std::filesystem::path player;
};

// Past command lines, lower-cased but not trimmed: entry 1 is the newest, entry 100 the
// oldest kept; entry 0 is never used and reads as empty. They are kept as a ring, so that
// remembering a line moves none of the others.
class PastCommands {
 public:
  const std::string& operator[](int entry) const {
    return entry == 0 ? lines_[0] : lines_[1 + (newest_ + entry - 1) % kHistorySize];
  }
  // `line` becomes entry 1, and the oldest entry is let go.
  void Remember(std::string line) {
    newest_ = (newest_ + kHistorySize - 1) % kHistorySize;
    lines_[1 + newest_] = std::move(line);
  }

 private:
  std::array<std::string, kHistorySize + 1> lines_;
  int newest_ = 0;
};

// All the state of one game process: a fresh Game is a fresh program, which is how tests,
// benchmarks and fuzzing start over.
struct Game {
  Game(Window& window, GameFolders folders)
      : window(window), folders(folders), screen(window, folders.player) {}

  Window& window;
  GameFolders folders;
  World world;
  Screen screen;
  ParserState parser;
  TurnVariables turn;

  PastCommands CommandHistory;
  // The entry that the next Up key shows.
  int HistoryIndex = 0;
  // The echo of the command being played, as the screen shows it, kept from one command to
  // the next so that its storage is made once rather than for every command.
  std::string echo;

  // What the game was before each of its last steps, for going back.
  RewindSteps rewind;

  // Set once the program has been told to end; no key reaches the game after that.
  bool ended = false;
};

}  // namespace vortila
