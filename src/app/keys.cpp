#include "app/keys.h"

#include <algorithm>
#include <string>

#include "app/startup.h"
#include "parser/object_services.h"
#include "parser/parse_command.h"
#include "rules/turn.h"
#include "text/utf8.h"

namespace vortila {

namespace {

// The introduction's pictures advance with the pages the player turns, and the last page
// after the victory shows the final picture.
struct SlideshowStep {
  int clock;
  int nextClock;
  std::string_view picture;
};

constexpr SlideshowStep kSlideshow[] = {
    {0, 1, "002.pkd"}, {1, 2, "003.pkd"}, {2, 3, "004.pkd"},       {3, 4, "005.pkd"},
    {4, 5, "006.pkd"}, {5, 6, "007.pkd"}, {2001, 2002, "017.pkd"},
};

void AdvanceSlideshow(Game& game) {
  World& world = game.world;
  const auto step =
      std::find_if(std::begin(kSlideshow), std::end(kSlideshow),
                   [&](const SlideshowStep& s) { return s.clock == world.StoryClock; });
  if (step == std::end(kSlideshow)) return;
  world.StoryClock = step->nextClock;
  ShowPicture(game.screen, step->picture);
  // The first page turned after a restart is where the new game takes over.
  if (step->clock == 0) world.GameOverState = 0;
  // The last page of the introduction hands the inventory label to the game.
  if (step->nextClock == 6) UpdateInventory(world, game.screen);
}

void ContinuePage(Game& game) {
  game.screen.LinesShown = 0;
  game.window.SetTextInput("");
  AdvanceSlideshow(game);
  PrintHeldText(game.screen);
}

void RememberCommand(Game& game, std::string line) {
  game.CommandHistory.Remember(std::move(line));
  game.HistoryIndex = 1;
}

// What the screen shows before a command typed: a line of its own, and the prompt.
constexpr std::string_view kEchoMark = "^ > ";

bool GameIsRunning(int gameOverState) { return gameOverState <= 0 || gameOverState >= 1000; }

// Once the game has ended only two answers are accepted; `answer` is as the screen echoed it.
void AnswerAfterEnding(Game& game, std::string_view answer) {
  game.screen.LinesShown = 0;
  if (answer == "FINIRE") {
    // Leaving on this answer keeps the settings file as it was.
    EndGame(game, "");
    return;
  }
  if (answer == "CARICARE") PrintText(game.screen, "Nun se po'.");
  if (answer == "RICOMINCIARE") {
    StartGame(game);
  } else {
    PrintText(game.screen, "Puoi soltanto RICOMINCIARE o FINIRE.");
    game.window.SetTextInput("");
  }
}

// A command is a step that can be undone when it was played as a turn, or when it changed
// the game without counting as one (a load). A command the parser refused, a save, or the
// answers after an ending are not steps. `shown` is the command as the screen echoed it.
void PlayCommand(Game& game, std::string_view shown) {
  const RewindStep& before = TakeSnapshot(game, shown);
  if (!ParseCommand(game.parser, game.world, game.screen)) return;
  WithRules(game, [](Rules& rules) { RunTurn(rules); });
  if (game.ended) return;
  if (!game.parser.TurnNotCounted || !IsUnchanged(game, before)) {
    game.rewind.KeepPending();
  }
}

void EnterCommand(Game& game, std::string_view line) {
  World& world = game.world;
  Screen& screen = game.screen;
  std::string& echo = game.echo;
  echo = kEchoMark;
  AppendUpperItalian(echo, line);
  PrintText(screen, echo);
  // The command as rewind and the answers after an ending read it is the echo without its
  // mark and blanks: the lower case and trimmed line the parser reads, in upper case again.
  const std::string_view shown = TrimBlanks(std::string_view(echo).substr(kEchoMark.size()));
  std::string lower = ToLowerItalian(line);
  world.InputLine = TrimBlanks(lower);
  RememberCommand(game, std::move(lower));

  // Going back is no command of the game's rules: it is recognised here, before the parser,
  // and only while the game is running, since the answers after an ending stay as they are.
  if (GameIsRunning(world.GameOverState) && IsUndoCommand(world.InputLine)) {
    UndoTurn(game);
  } else if (GameIsRunning(world.GameOverState)) {
    PlayCommand(game, shown);
    if (game.ended) return;
  } else {
    AnswerAfterEnding(game, shown);
    if (game.ended) return;
  }
  if (world.GameOverState == 1000) world.GameOverState = 0;
  if (screen.LinesShown >= kPageSize) game.window.SetTextInput(kPagePrompt);
  if (world.GameOverState == 0 && screen.LinesShown < kPageSize) {
    game.window.SetTextInput("");
    screen.LinesShown = 0;
  }
}

}  // namespace

void KeyDown(Game& game, int keyCode) {
  if (game.ended) return;
  auto& history = game.CommandHistory;
  if (keyCode == kUpKey && game.HistoryIndex < kHistorySize &&
      !history[game.HistoryIndex].empty()) {
    game.window.SetTextInput(history[game.HistoryIndex]);
    ++game.HistoryIndex;
  }
  if (keyCode == kDownKey && game.HistoryIndex >= 2) {
    --game.HistoryIndex;
    game.window.SetTextInput(history[game.HistoryIndex]);
  }
  if (keyCode != kUpKey && keyCode != kDownKey && keyCode != kEndKey) game.HistoryIndex = 1;
}

void KeyPress(Game& game, int charCode) {
  if (game.ended || charCode != kEnterKey) return;
  std::string box = CleanText(game.window.TextInput(), LineEnds::kBlanked);
  if (box.empty()) return;
  if (game.screen.HeldText.empty()) game.screen.LinesShown = 0;
  if (game.screen.LinesShown >= 1) {
    ContinuePage(game);
  } else {
    EnterCommand(game, box);
  }
}

}  // namespace vortila
