#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game_in_play.h"
#include "world/saved_game.h"

// Any bytes as a saved game file loaded into a game in play: read and checked whole as a
// load reads it, and when it fits, applied and played on with commands that look at, take,
// move and open what the file put where.
namespace {

constexpr std::string_view kCommands =
    "guarda\ninventario\nprendi tutto\nposa tutto\napri la cassetta\nguarda nella cassetta\n"
    "esamina la torcia\naccendi la torcia\nspegni la torcia\nesamina l'alcova\n"
    "metti la chiave nella cassetta\ngira la rotella a destra\npremi il tasto\nascolta\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static vortila::fuzz::GameInPlay game;
  const std::optional<vortila::SavedGame> saved = vortila::ReadSavedGameFile(
      std::string(reinterpret_cast<const char*>(data), size), game.world());
  if (!saved) return 0;
  vortila::fuzz::Play& play = game.Begin();
  vortila::ApplySavedGame(play.game.world, *saved);
  vortila::fuzz::TypeLines(play, kCommands);
  game.End();
  return 0;
}
