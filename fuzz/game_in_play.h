#pragma once

#include <string_view>

#include "app/game.h"
#include "sandbox.h"
#include "screen/headless_window.h"

// What the fuzz targets that play share: a game started once, past its introduction, and
// fresh copies of it, one for each input, so that what an input does never depends on the
// inputs before it.
namespace vortila::fuzz {

// A game and the window it plays in.
struct Play {
  explicit Play(const GameFolders& folders) : game(window, folders) {}

  HeadlessWindow window;
  Game game;
};

// The game as delivered, with its data read where it lies and the player's files in a
// sandbox that starts with the delivered settings; started once, its introduction read.
class GameInPlay {
 public:
  GameInPlay();

  // A fresh copy of the started game: its world, the parser's memory, the history and
  // what the screen shows. Starting again costs the reading of both data files and the
  // introduction; a copy costs a small part of a turn.
  void CopyInto(Play& play) const;

  const World& world() const { return started_.game.world; }
  const GameFolders& folders() const { return folders_; }
  Sandbox& sandbox() { return sandbox_; }

 private:
  Sandbox sandbox_;
  GameFolders folders_;
  Play started_;
};

// Each line of `input` typed into the command box, Enter pressed and every held page turned,
// until the input or the game ends.
void TypeLines(Play& play, std::string_view input);

}  // namespace vortila::fuzz
