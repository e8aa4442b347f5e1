#include "app/rewind.h"

#include "app/game.h"

namespace vortila {

namespace {

void RestoreStep(Game& game, const RewindStep& step) {
  World& world = game.world;
  world.objects.ObjectLocation = step.locations;
  world.objects.ObjectFlags = step.flags;
  world.CurrentRoom = step.CurrentRoom;
  world.StoryClock = step.StoryClock;
  world.GameOverState = step.GameOverState;
  world.WheelPosition = step.WheelPosition;
  game.parser = step.parser;
  game.turn = step.turn;
  SetInventoryLabel(game.screen, step.inventory);
  if (step.picture != game.screen.Picture) ShowPicture(game.screen, step.picture);
}

}  // namespace

RewindStep TakeSnapshot(const Game& game, std::string command) {
  const World& world = game.world;
  RewindStep step;
  step.command = std::move(command);
  step.locations = world.objects.ObjectLocation;
  step.flags = world.objects.ObjectFlags;
  step.CurrentRoom = world.CurrentRoom;
  step.StoryClock = world.StoryClock;
  step.GameOverState = world.GameOverState;
  step.WheelPosition = world.WheelPosition;
  step.parser = game.parser;
  step.turn = game.turn;
  step.picture = game.screen.Picture;
  step.inventory = game.screen.Inventory;
  return step;
}

bool IsUnchanged(const Game& game, const RewindStep& step) {
  const World& world = game.world;
  return world.objects.ObjectLocation == step.locations &&
         world.objects.ObjectFlags == step.flags && world.CurrentRoom == step.CurrentRoom &&
         world.StoryClock == step.StoryClock && world.GameOverState == step.GameOverState &&
         world.WheelPosition == step.WheelPosition;
}

void RecordStep(Game& game, RewindStep step) {
  game.rewind.push_back(std::move(step));
  if (game.rewind.size() > kRewindLevels) game.rewind.pop_front();
}

bool IsUndoCommand(std::string_view line) { return line == "annulla" || line == "indietro"; }

void UndoTurn(Game& game) {
  if (game.ended) return;
  Screen& screen = game.screen;
  if (game.rewind.empty()) {
    if (PageHeld(screen)) return;
    screen.LinesShown = 0;
    PrintText(screen, "Non c'è nulla da annullare.");
    return;
  }
  // The held text and the page count belong to the step being undone; the game before it
  // was waiting for a command, with nothing held.
  DropHeldPage(screen);
  const RewindStep step = std::move(game.rewind.back());
  game.rewind.pop_back();
  PrintText(screen, "Ho annullato il comando «" + step.command + "».");
  RestoreStep(game, step);
}

}  // namespace vortila
