#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/game.h"
#include "app/keys.h"
#include "app/startup.h"
#include "screen/headless_window.h"

// Any bytes as lines typed into the command box of a game whose introduction has just been
// read, pressing Enter after each and turning every held page.
namespace {

void TurnHeldPages(vortila::Game& game, vortila::HeadlessWindow& window) {
  while (window.commandBox == vortila::kPagePrompt) vortila::KeyPress(game, vortila::kEnterKey);
}

// Starting reads the data files; it is done once, and each input begins from a copy of the
// world and the parser as they stood when play began.
struct StartedGame {
  StartedGame() {
    vortila::StartGame(game);
    TurnHeldPages(game, window);
    world = game.world;
    parser = game.parser;
  }

  void BeginAgain() {
    game.world = world;
    game.parser = parser;
    game.screen.LinesShown = 0;
    game.screen.HeldText.clear();
    window.commandBox.clear();
  }

  vortila::HeadlessWindow window;
  vortila::Game game{window, VORTILA_DATA_DIR};
  vortila::World world;
  vortila::ParserState parser;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static StartedGame started;
  started.BeginAgain();
  vortila::Game& game = started.game;
  vortila::HeadlessWindow& window = started.window;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  while (!input.empty() && !game.ended) {
    const std::size_t end = input.find('\n');
    window.commandBox = std::string(input.substr(0, end));
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    vortila::KeyDown(game, window.commandBox.empty() ? vortila::kUpKey : 'a');
    vortila::KeyPress(game, vortila::kEnterKey);
    TurnHeldPages(game, window);
  }
  return 0;
}
