#include "app/rewind.h"

#include <cstring>

#include "app/game.h"

namespace vortila {

namespace {

// Slot i's location is entry i, and its flags entry kObjectSlots + 1 + i.
template <typename Table, typename Visit>
void ForEachObjectText(Table& objects, Visit visit) {
  int entry = 0;
  for (auto& location : objects.ObjectLocation) visit(entry++, location);
  for (auto& flags : objects.ObjectFlags) visit(entry++, flags);
}

}  // namespace

void ObjectStates::Take(const ObjectTable& objects) {
  std::size_t size = 0;
  ForEachObjectText(objects, [&](int, const std::string& text) { size += text.size(); });
  if (size > capacity_) {
    // Left uninitialised (a plain new[], which the web build's library can make too): every
    // byte is copied over at once, and a string would first clear them all.
    texts_.reset(new char[size]);
    capacity_ = size;
  }
  std::uint32_t end = 0;
  ForEachObjectText(objects, [&](int entry, const std::string& text) {
    std::memcpy(texts_.get() + end, text.data(), text.size());
    end += static_cast<std::uint32_t>(text.size());
    ends_[entry] = end;
  });
}

std::string_view ObjectStates::Text(int entry) const {
  const std::uint32_t begin = entry == 0 ? 0 : ends_[entry - 1];
  return std::string_view(texts_.get() + begin, ends_[entry] - begin);
}

bool ObjectStates::Match(const ObjectTable& objects) const {
  bool same = true;
  ForEachObjectText(objects, [&](int entry, const std::string& text) {
    same = same && text == Text(entry);
  });
  return same;
}

void ObjectStates::RestoreTo(ObjectTable& objects) const {
  ForEachObjectText(objects, [&](int entry, std::string& text) { text = Text(entry); });
}

namespace {

void RestoreStep(Game& game, const RewindStep& step) {
  World& world = game.world;
  step.objects.RestoreTo(world.objects);
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

RewindStep& RewindSteps::Pending() {
  const std::size_t place = Place(count_);
  if (place == places_.size()) places_.emplace_back();
  return places_[place];
}

void RewindSteps::KeepPending() {
  if (count_ == kRewindLevels) {
    oldest_ = Place(1);
  } else {
    ++count_;
  }
}

RewindStep& TakeSnapshot(Game& game, std::string_view command) {
  const World& world = game.world;
  RewindStep& step = game.rewind.Pending();
  step.command = command;
  step.objects.Take(world.objects);
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
  return step.objects.Match(world.objects) && world.CurrentRoom == step.CurrentRoom &&
         world.StoryClock == step.StoryClock && world.GameOverState == step.GameOverState &&
         world.WheelPosition == step.WheelPosition;
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
  const RewindStep& step = game.rewind.Newest();
  PrintText(screen, "Ho annullato il comando «" + step.command + "».");
  RestoreStep(game, step);
  game.rewind.DropNewest();
}

}  // namespace vortila
