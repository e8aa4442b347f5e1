#include "app/startup.h"

#include <optional>

#include "app/introduction.h"
#include "parser/object_services.h"
#include "rules/describe_room.h"
#include "rules/endings.h"
#include "rules/saving.h"
#include "text/decimal.h"
#include "text/utf8.h"
#include "world/data_files.h"
#include "world/files.h"
#include "world/item_reader.h"
#include "world/saved_game.h"

namespace vortila {

namespace {

std::optional<float> ParseSetting(std::optional<std::string_view> item) {
  if (!item) return std::nullopt;
  return ParseDecimalFloat(*item);
}

// The story proper has begun (the introduction is read) and has not ended.
bool IsInPlay(const World& world) {
  constexpr int kIntroductionRead = 6;
  return world.GameOverState == 0 && world.StoryClock >= kIntroductionRead;
}

bool HasEnded(const World& world) {
  return world.GameOverState >= 1 && world.GameOverState < kRestartMade;
}

std::filesystem::path ResumeFile(const Game& game) { return game.folders.player / kResumeFileName; }

// The settings are saved and the program ends; `problem` is what already went wrong.
void EndInOrder(Game& game, std::string problem) {
  if (!SaveWindowSettings(game)) {
    if (!problem.empty()) problem += '\n';
    problem +=
        "Non riesco a scrivere il file iniziale.ini: "
        "le impostazioni della finestra non sono state salvate.";
  }
  EndGame(game, problem);
}

// A menu's command arrives between the key events, as a typed command would: what it
// prints counts from a fresh page unless a page is held.
void BeginMenuCommand(Game& game) {
  if (game.screen.HeldText.empty()) game.screen.LinesShown = 0;
}

}  // namespace

void StartGame(Game& game) {
  World& world = game.world;
  game.screen.descriptions = ReadPictureDescriptions(
      ReadTextFile(game.folders.data / kPictureDescriptionsFileName).value_or(""));
  ShowPicture(game.screen, "001.pkd");
  // A new game carries nothing: the label must not show the old game's objects through
  // the whole introduction, which leaves it alone.
  SetInventoryLabel(game.screen, "");
  game.window.ShowOutput();
  LoadWindowSettings(game);
  world.StoryClock = 0;
  for (std::string_view text : kIntroductionTexts) PrintText(game.screen, text);
  LoadVerbs(world.verbs, game.folders.data);
  LoadObjects(world.objects, game.folders.data);
  world.deliveredFlags = world.objects.ObjectFlags.texts();
  world.CurrentRoom = FindObjectSlot(world.objects, world.objects.ObjectLocation[1]);
  world.WheelPosition = -1;
  DescribeRoom(world, game.screen, game.parser);
}

std::optional<WindowSettings> ReadWindowSettings(std::string_view text) {
  ItemReader items(text);
  try {
    const auto first = ParseSetting(items.ReadItem());
    const auto second = ParseSetting(items.ReadItem());
    if (first && second) return WindowSettings{*first, *second};
  } catch (const UnclosedQuote&) {
  }
  return std::nullopt;
}

void LoadWindowSettings(Game& game) {
  const std::string contents = ReadRequiredFile(game.folders.player, kSettingsFileName);
  // Unreadable values: the window keeps the geometry it has.
  if (const auto settings = ReadWindowSettings(contents)) game.window.ApplySettings(*settings);
}

bool SaveWindowSettings(Game& game) {
  const WindowSettings settings = game.window.CurrentSettings();
  const std::string contents =
      ShortestFixed(settings.first) + "\r\n" + ShortestFixed(settings.second) + "\r\n";
  return WriteFileAtomically(game.folders.player / kSettingsFileName, contents) ==
         WriteOutcome::kWritten;
}

void EndGame(Game& game, std::string_view problem) {
  game.ended = true;
  game.screen.transcript.reset();
  game.window.EndProgram(problem);
}

void QuitGame(Game& game) { EndInOrder(game, ""); }

bool KeepInterruptedGame(Game& game) {
  return !IsInPlay(game.world) ||
         SaveGameToFile(game.world, ResumeFile(game)) == WriteOutcome::kWritten;
}

void CloseGame(Game& game) {
  if (game.ended) return;
  std::string problem;
  if (!KeepInterruptedGame(game)) {
    problem = "Non riesco a scrivere il file ripresa.sav: la partita interrotta non è stata "
              "conservata.";
  }
  EndInOrder(game, problem);
}

void SaveGameAs(Game& game, const std::filesystem::path& file) {
  if (game.ended) return;
  BeginMenuCommand(game);
  // The typed save cannot be reached once the game has ended, and a game saved then would
  // come back to life at the moment of its death.
  if (HasEnded(game.world)) {
    PrintText(game.screen, "La partita è finita: non c'è nulla da salvare.");
    return;
  }
  WithRules(game, [&](Rules& rules) { SaveNamedGame(rules, file, file.filename().string()); });
}

void LoadGameFrom(Game& game, const std::filesystem::path& file) {
  if (game.ended) return;
  BeginMenuCommand(game);
  // What a held page still holds belongs to the game the load replaces.
  if (LoadGameFromFile(file, game.world)) DropHeldPage(game.screen);
  const std::string word = file.stem().string();
  TakeSnapshot(game, "CARICA " + ToUpperItalian(word));
  bool loaded = false;
  WithRules(game, [&](Rules& rules) {
    loaded = LoadNamedGame(rules, file, word, file.filename().string());
  });
  if (!loaded) return;
  game.world.GameOverState = 0;
  UpdateInventory(game.world, game.screen);
  game.rewind.KeepPending();
}

bool CanResume(const Game& game) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(ResumeFile(game), ignored);
}

void ResumeGame(Game& game) { LoadGameFrom(game, ResumeFile(game)); }

void WithRules(Game& game, const std::function<void(Rules&)>& work) {
  const GameControl control{[&game] { StartGame(game); }, [&game] { QuitGame(game); }};
  Rules rules{game.folders.player, game.world, game.screen, game.parser, game.window, game.turn, control};
  work(rules);
}

}  // namespace vortila
