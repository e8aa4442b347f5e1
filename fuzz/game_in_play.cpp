#include "game_in_play.h"

#include <filesystem>
#include <string>

#include "app/keys.h"
#include "app/startup.h"

namespace vortila::fuzz {

namespace {

void TurnHeldPages(Play& play) {
  while (play.window.commandBox == kPagePrompt) KeyPress(play.game, kEnterKey);
}

}  // namespace

GameInPlay::GameInPlay() : folders_(VORTILA_DATA_DIR, sandbox_.folder()), started_(folders_) {
  std::filesystem::copy_file(std::filesystem::path(VORTILA_DATA_DIR) / kSettingsFileName,
                             sandbox_.folder() / kSettingsFileName);
  StartGame(started_.game);
  TurnHeldPages(started_);
}

void GameInPlay::CopyInto(Play& play) const {
  const Game& from = started_.game;
  Game& to = play.game;
  to.world = from.world;
  to.parser = from.parser;
  to.turn = from.turn;
  to.CommandHistory = from.CommandHistory;
  to.HistoryIndex = from.HistoryIndex;
  to.screen.Textlines = from.screen.Textlines;
  to.screen.LineComplete = from.screen.LineComplete;
  to.screen.Picture = from.screen.Picture;
  to.screen.Inventory = from.screen.Inventory;
  to.screen.descriptions = from.screen.descriptions;
}

void TypeLines(Play& play, std::string_view input) {
  while (!input.empty() && !play.game.ended) {
    const std::size_t end = input.find('\n');
    play.window.commandBox = std::string(input.substr(0, end));
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    KeyDown(play.game, play.window.commandBox.empty() ? kUpKey : 'a');
    KeyPress(play.game, kEnterKey);
    TurnHeldPages(play);
  }
}

}  // namespace vortila::fuzz
