#include "game_in_play.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/keys.h"
#include "app/startup.h"

namespace vortila::fuzz {

namespace {

void TurnHeldPages(Play& play) {
  while (play.window.commandBox == kPagePrompt) KeyPress(play.game, kEnterKey);
}

std::vector<std::filesystem::path> PlayersFiles() {
  std::vector<std::filesystem::path> files{std::filesystem::path(VORTILA_DATA_DIR) /
                                           kSettingsFileName};
  for (const auto& entry : std::filesystem::directory_iterator(VORTILA_FUZZ_SAVES_DIR)) {
    files.push_back(entry.path());
  }
  return files;
}

// A copy of `from` in place of what `to` held, which is freed: an input then ends with as
// many blocks on the heap as it began with, and libFuzzer has no cause to look for a leak.
template <typename T>
void Reset(T& to, const T& from) {
  T copy = from;
  std::swap(to, copy);
}

}  // namespace

GameInPlay::GameInPlay()
    : sandbox_(PlayersFiles()),
      folders_(VORTILA_DATA_DIR, sandbox_.folder()),
      started_(folders_),
      play_(folders_) {
  StartGame(started_.game);
  TurnHeldPages(started_);
  // The words are indexed at their first lookup; done here, the copy has the indexes.
  IndexWords(started_.game.world);
  // What play never changes is copied once: the tables and their indexes, the pictures' texts.
  play_.game.world = started_.game.world;
  play_.game.screen.descriptions = started_.game.screen.descriptions;
  Restore();
}

Play& GameInPlay::Begin() {
  sandbox_.Confine();
  return play_;
}

void GameInPlay::End() {
  Restore();
  sandbox_.Release();
}

// What a game in play changes: the world's changing part and story variables (as a step of
// rewind keeps them), the parser, the history and rewind, and the screen.
void GameInPlay::Restore() {
  const Game& from = started_.game;
  Game& to = play_.game;
  Reset(to.world.objects.ObjectLocation, from.world.objects.ObjectLocation);
  Reset(to.world.objects.ObjectFlags, from.world.objects.ObjectFlags);
  to.world.CurrentRoom = from.world.CurrentRoom;
  to.world.StoryClock = from.world.StoryClock;
  to.world.GameOverState = from.world.GameOverState;
  to.world.WheelPosition = from.world.WheelPosition;
  Reset(to.world.InputLine, from.world.InputLine);
  Reset(to.parser, from.parser);
  to.turn = from.turn;
  Reset(to.CommandHistory, from.CommandHistory);
  to.HistoryIndex = from.HistoryIndex;
  // An input starts with nothing to take back, whatever the start kept.
  to.rewind.clear();
  to.ended = false;
  Reset(to.screen.Textlines, from.screen.Textlines);
  to.screen.LinesShown = from.screen.LinesShown;
  Reset(to.screen.HeldText, from.screen.HeldText);
  to.screen.LineComplete = from.screen.LineComplete;
  to.screen.TranscriptOn = false;
  to.screen.transcript.reset();
  Reset(to.screen.Picture, from.screen.Picture);
  Reset(to.screen.Inventory, from.screen.Inventory);
  to.screen.InventoryMadeFrom.reset();
  Reset(play_.window.commandBox, started_.window.commandBox);
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
