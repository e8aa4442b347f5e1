#pragma once

#include <array>
#include <bitset>
#include <string>
#include <string_view>
#include <vector>

#include "parser/parser_state.h"
#include "rules/rules.h"
#include "world/world.h"

// Rewind: the game keeps what it was before each of the last turns, and can go back to it.
// It lives beside the game's rules, which never see it: the command loop takes a snapshot
// before a command and keeps it when the command turned out to be a step of the game.
namespace vortila {

struct Game;

// How many turns the game can go back.
inline constexpr std::size_t kRewindLevels = 100;

// What a step must give back of the object table: the locations and flags that changed after
// its snapshot, each as it was then. Slot i's location is entry i, its flags entry
// kObjectSlots + 1 + i. A step changes two or three of the 102 texts at most times, and a
// copy of them all at every snapshot cost a good part of each command.
class ObjectChanges {
 public:
  static constexpr int kEntries = 2 * (kObjectSlots + 1);

  // Keeps `text` as the entry's text at the snapshot, unless an older one is kept already.
  void Keep(int entry, std::string&& text);
  // Writes the kept texts back into `objects` and into `shadow`, which stands entry by entry
  // for the same texts.
  void RestoreTo(ObjectTable& objects, std::array<std::string, kEntries>& shadow) const;
  void clear();

 private:
  struct OldText {
    int entry = 0;
    std::string text;
  };
  std::vector<OldText> texts_;
  // The entries of texts_, so that an entry changed again keeps its first text.
  std::bitset<kEntries> kept_;
};

// The game as it was before one step: the world's changing part, the story variables, what
// the parser carries from one command to the next, and what the window showed beside the
// text. The text screen is not part of it: going back prints below what is there.
struct RewindStep {
  // The step as the screen echoed it ("PRENDI LA TORCIA"), to say what was undone.
  std::string command;
  ObjectChanges objects;
  int CurrentRoom = 0;
  int StoryClock = 0;
  int GameOverState = 0;
  int WheelPosition = 0;
  // The parser is kept whole, so that all it carries from one command to the next (the
  // previous verb, the pronouns, a question waiting for its answer) comes back, whatever it
  // comes to carry; the token table of the command before comes with it, and the next
  // command replaces it anyway.
  ParserState parser;
  TurnVariables turn;
  std::string picture;
  std::string inventory;
};

// The last steps, in a ring of places that a step taken fills in the storage of one let go,
// so that once the ring has gone round a snapshot needs no new memory. A snapshot is taken in
// the pending place, the one after the newest step, and becomes a step only when kept.
//
// Beside the steps, a shadow of the object table's locations and flags as they stood at the
// last snapshot. The table marks what is written to it; catching up moves the old text of
// every marked entry from the shadow into the newest step, whose snapshot it came after, and
// copies the new text into the shadow. Undoing the newest step then gives back exactly what
// changed after its snapshot, whether in its own command or in any that followed and was no
// step, as a full copy of the texts would.
class RewindSteps {
 public:
  RewindSteps() { places_.reserve(kPlaces); }

  bool empty() const { return count_ == 0; }
  std::size_t size() const { return count_; }
  // The pending place, emptied of what it held.
  RewindStep& Pending();
  // The pending place becomes the newest step; beyond kRewindLevels the oldest is let go.
  void KeepPending();
  const RewindStep& Newest() const { return places_[Place(count_ - 1)]; }
  // Forgets every step and the shadow, which the next catching up takes whole again; the
  // places stay, for the steps to come.
  void clear();

  // Hands what changed in `objects` since the last catching up to the newest step, and
  // clears the table's marks.
  void CatchUp(ObjectTable& objects);
  // Whether the marked texts of `objects` are still those of the last catching up.
  bool HasSameTexts(const ObjectTable& objects) const;
  // Gives `objects` back the texts of the newest step's snapshot and lets the step go.
  void UndoNewest(ObjectTable& objects);

 private:
  // One place more than the levels, so that the pending place never holds a step kept.
  static constexpr std::size_t kPlaces = kRewindLevels + 1;
  std::size_t Place(std::size_t step) const { return (oldest_ + step) % kPlaces; }
  RewindStep& NewestPlace() { return places_[Place(count_ - 1)]; }

  // Added one at a time as the steps first need them, in storage reserved for all at once:
  // they never move, and memory the steps have not reached yet is only set aside.
  std::vector<RewindStep> places_;
  std::size_t oldest_ = 0;
  std::size_t count_ = 0;
  std::array<std::string, ObjectChanges::kEntries> shadow_;
  // False until the first catching up, and after clear: the shadow then stands for nothing
  // and is taken whole, marks or not.
  bool shadowTaken_ = false;
};

// Takes the game as it is now, as the step named `command`, in the pending place: it can be
// undone once kept (RewindSteps::KeepPending), and the next snapshot replaces it otherwise.
RewindStep& TakeSnapshot(Game& game, std::string_view command);

// Whether the world and the story variables are as `step`, the last snapshot taken, holds
// them; the parser's memory and the window are not compared. A command that changes nothing of
// these and does not count as a turn (a save, a refused load) is no step of the game.
bool IsUnchanged(const Game& game, const RewindStep& step);

// Whether a command line, lower-cased and trimmed, asks to go back: "annulla" or "indietro".
bool IsUndoCommand(std::string_view line);

// Goes back to just before the last step, as the command "annulla", Ctrl+Z and the window's
// menu do, at any moment: in play, with a page held, and after a death or the victory,
// where it returns to just before the fatal command. It says which command it undid, or that
// there is nothing to undo; it costs no time and sets off no event of the clock. Text held
// for the next page belongs to the step undone and is dropped. With a page held and nothing
// to undo it does nothing, so that the page goes on as it was.
void UndoTurn(Game& game);

}  // namespace vortila
