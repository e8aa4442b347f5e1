#include <cstddef>
#include <cstdint>
#include <string_view>

#include "game_in_play.h"

// Any bytes as lines typed into the command box of a game whose introduction has been read,
// Enter pressed after each and every held page turned. A line may name a saved game by any
// path: the game writes only in the fuzzer's own folder all the same (sandbox.h).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static vortila::fuzz::GameInPlay game;
  vortila::fuzz::TypeLines(game.Begin(),
                           std::string_view(reinterpret_cast<const char*>(data), size));
  game.End();
  return 0;
}
