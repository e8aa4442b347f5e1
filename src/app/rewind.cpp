#include "app/rewind.h"

#include <algorithm>
#include <bit>

#include "app/game.h"

namespace vortila {

namespace {

// Calls `visit(entry, text)` for every marked location and flags text of `objects`.
template <typename Visit>
void ForEachChangedText(const ObjectTable& objects, Visit visit) {
  int first = 0;
  for (const ChangingColumn* column : {&objects.ObjectLocation, &objects.ObjectFlags}) {
    for (std::uint64_t marks = column->ChangedSlots(); marks != 0; marks &= marks - 1) {
      const int slot = std::countr_zero(marks);
      visit(first + slot, (*column)[slot]);
    }
    first += kObjectSlots + 1;
  }
}

std::string& ChangeEntry(ObjectTable& objects, int entry) {
  return entry <= kObjectSlots ? objects.ObjectLocation.Change(entry)
                               : objects.ObjectFlags.Change(entry - (kObjectSlots + 1));
}

void ClearChanges(ObjectTable& objects) {
  objects.ObjectLocation.ClearChanges();
  objects.ObjectFlags.ClearChanges();
}

}  // namespace

void ObjectChanges::Keep(int entry, std::string&& text) {
  if (kept_[entry]) return;
  kept_[entry] = true;
  // Room at once for the few texts most steps change, rather than room made again for each.
  if (texts_.capacity() == 0) texts_.reserve(4);
  texts_.push_back({entry, std::move(text)});
}

void ObjectChanges::RestoreTo(ObjectTable& objects,
                              std::array<std::string, kEntries>& shadow) const {
  for (const OldText& old : texts_) {
    ChangeEntry(objects, old.entry) = old.text;
    shadow[old.entry] = old.text;
  }
}

void ObjectChanges::clear() {
  texts_.clear();
  kept_.reset();
}

namespace {

// Everything but the object table, which RewindSteps::UndoNewest gives back.
void RestoreStep(Game& game, const RewindStep& step) {
  World& world = game.world;
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
  RewindStep& step = places_[place];
  step.objects.clear();
  return step;
}

void RewindSteps::KeepPending() {
  if (count_ == kRewindLevels) {
    oldest_ = Place(1);
  } else {
    ++count_;
  }
}

void RewindSteps::clear() {
  count_ = 0;
  shadowTaken_ = false;
}

void RewindSteps::CatchUp(ObjectTable& objects) {
  if (!shadowTaken_) {
    std::copy(objects.ObjectLocation.begin(), objects.ObjectLocation.end(), shadow_.begin());
    std::copy(objects.ObjectFlags.begin(), objects.ObjectFlags.end(),
              shadow_.begin() + kObjectSlots + 1);
    shadowTaken_ = true;
  } else {
    RewindStep* newest = empty() ? nullptr : &NewestPlace();
    ForEachChangedText(objects, [&](int entry, const std::string& text) {
      if (newest) newest->objects.Keep(entry, std::move(shadow_[entry]));
      shadow_[entry] = text;
    });
  }
  ClearChanges(objects);
}

bool RewindSteps::HasSameTexts(const ObjectTable& objects) const {
  bool same = true;
  ForEachChangedText(
      objects, [&](int entry, const std::string& text) { same = same && text == shadow_[entry]; });
  return same;
}

void RewindSteps::UndoNewest(ObjectTable& objects) {
  CatchUp(objects);
  NewestPlace().objects.RestoreTo(objects, shadow_);
  ClearChanges(objects);
  --count_;
}

RewindStep& TakeSnapshot(Game& game, std::string_view command) {
  World& world = game.world;
  game.rewind.CatchUp(world.objects);
  RewindStep& step = game.rewind.Pending();
  step.command = command;
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
  return game.rewind.HasSameTexts(world.objects) && world.CurrentRoom == step.CurrentRoom &&
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
  game.rewind.UndoNewest(game.world.objects);
}

}  // namespace vortila
