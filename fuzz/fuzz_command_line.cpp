#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
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

// The game writes where it plays (the settings on quitting, the transcript): it plays in a
// copy of the data of its own, never in the delivered folder.
std::filesystem::path CopyOfTheGameData() {
  const auto folder =
      std::filesystem::temp_directory_path() / ("vortila-fuzz-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  std::filesystem::copy(
      VORTILA_DATA_DIR, folder,
      std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  return folder;
}

// Starting reads the data files; it is done once, and each input begins from a copy of the
// world and the parser as they stood when play began. An input that quits or ends the game
// leaves the next one a game in play again.
struct StartedGame {
  StartedGame() {
    vortila::StartGame(game);
    TurnHeldPages(game, window);
    world = game.world;
    parser = game.parser;
  }
  ~StartedGame() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  void BeginAgain() {
    game.world = world;
    game.parser = parser;
    game.turn = {};
    game.rewind.clear();
    game.ended = false;
    game.screen.LinesShown = 0;
    game.screen.HeldText.clear();
    game.screen.transcript.reset();
    game.screen.TranscriptOn = false;
    window.commandBox.clear();
  }

  std::filesystem::path folder = CopyOfTheGameData();
  vortila::HeadlessWindow window;
  vortila::Game game{window, folder};
  vortila::World world;
  vortila::ParserState parser;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A saved game goes where its name says, and a name may be a path: inputs that could name
  // one are skipped, so that the fuzzer writes only into its own folder.
  if (std::string_view(reinterpret_cast<const char*>(data), size).find('/') !=
      std::string_view::npos) {
    return 0;
  }
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
