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
// two columns would make one for every flags text too long to sit in its string.
class ObjectStates {
 public:
  ObjectStates() = default;
  explicit ObjectStates(const ObjectTable& objects);

  // Whether `objects` has these locations and flags.
  bool Match(const ObjectTable& objects) const;
  void RestoreTo(ObjectTable& objects) const;

 private:
  static constexpr int kTexts = 2 * (kObjectSlots + 1);
  // The text of entry i (slot i's location, or slot i - 51's flags) ends at ends_[i].
  std::string_view Text(int entry) const;

  std::unique_ptr<char[]> texts_;
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

// The last steps, the newest at the back; the oldest is let go beyond kRewindLevels.
using RewindSteps = std::deque<RewindStep>;

// The game as it is now, to be kept as a step named `command` once it has been played.
RewindStep TakeSnapshot(const Game& game, std::string command);

// Whether the world and the story variables are as `step` holds them; the parser's memory
// and the window are not compared. A command that changes nothing of these and does not
// count as a turn (a save, a refused load) is no step of the game.
bool IsUnchanged(const Game& game, const RewindStep& step);

// Keeps `step` as the newest one that can be undone.
void RecordStep(Game& game, RewindStep step);

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
