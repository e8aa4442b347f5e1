#pragma once

#include <string_view>

#include "app/game.h"
#include "sandbox.h"
#include "screen/headless_window.h"

// What the fuzz targets that play share: a game started once, past its introduction, that
// every input plays from the same point, so that what an input does never depends on the
// inputs before it.
namespace vortila::fuzz {

// A game and the window it plays in.
struct Play {
  explicit Play(const GameFolders& folders) : game(window, folders) {}

  HeadlessWindow window;
  Game game;
};

// The game as delivered, with its data read where it lies and the player's files in a
// sandbox that holds the delivered settings and the saved games of the fuzzer's seeds, so
// that a line such as "carica energia" takes an input deep into the story at the cost of a
// load.
class GameInPlay {
 public:
  GameInPlay();

  // The game for one input, as it stood once started, with writes confined to the sandbox
  // until End.
  Play& Begin();
  // Puts back what the input changed: the game, and the sandbox if it wrote in it.
  void End();

  const World& world() const { return started_.game.world; }

 private:
  void Restore();

  Sandbox sandbox_;
  GameFolders folders_;
  Play started_;
  Play play_;
};

// Each line of `input` typed into the command box, Enter pressed after it and every held
// page turned, until the input or the game ends.
void TypeLines(Play& play, std::string_view input);

}  // namespace vortila::fuzz
