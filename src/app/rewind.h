#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>

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

// Where every object was and what its flags said, in one text: the locations of slots 0..50,
// then their flags, one after the other. One allocation keeps them all, where a copy of the
// two columns would make one for every flags text too long to sit in its string, and a later
// snapshot taken in the same place reuses it.
class ObjectStates {
 public:
  // Takes the locations and flags of `objects` in place of those held.
  void Take(const ObjectTable& objects);
  // Whether `objects` has these locations and flags.
  bool Match(const ObjectTable& objects) const;
  void RestoreTo(ObjectTable& objects) const;

 private:
  static constexpr int kTexts = 2 * (kObjectSlots + 1);
  // The text of entry i (slot i's location, or slot i - 51's flags) ends at ends_[i].
  std::string_view Text(int entry) const;

  std::unique_ptr<char[]> texts_;
  std::size_t capacity_ = 0;
  std::array<std::uint32_t, kTexts> ends_{};
};

// The game as it was before one step: the world's changing part, the story variables, what
// the parser carries from one command to the next, and what the window showed beside the
// text. The text screen is not part of it: going back prints below what is there.
struct RewindStep {
  // The step as the screen echoed it ("PRENDI LA TORCIA"), to say what was undone.
  std::string command;
  ObjectStates objects;
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
class RewindSteps {
 public:
  bool empty() const { return count_ == 0; }
  std::size_t size() const { return count_; }
  RewindStep& Pending();
  // The pending place becomes the newest step; beyond kRewindLevels the oldest is let go.
  void KeepPending();
  const RewindStep& Newest() const { return places_[Place(count_ - 1)]; }
  void DropNewest() { --count_; }
  // Forgets every step; the places stay, for the steps to come.
  void clear() { count_ = 0; }

 private:
  // One place more than the levels, so that the pending place never holds a step kept.
  static constexpr std::size_t kPlaces = kRewindLevels + 1;
  std::size_t Place(std::size_t step) const { return (oldest_ + step) % kPlaces; }

  // Added one at a time as the steps first need them; a deque never moves them.
  std::deque<RewindStep> places_;
  std::size_t oldest_ = 0;
  std::size_t count_ = 0;
};

// Takes the game as it is now, as the step named `command`, in the pending place: it can be
// undone once kept (RewindSteps::KeepPending), and the next snapshot replaces it otherwise.
RewindStep& TakeSnapshot(Game& game, std::string_view command);

// Whether the world and the story variables are as `step` holds them; the parser's memory
// and the window are not compared. A command that changes nothing of these and does not
// count as a turn (a save, a refused load) is no step of the game.
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
