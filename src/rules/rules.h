#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "parser/parser_state.h"
#include "screen/screen.h"
#include "screen/window.h"
#include "world/world.h"

// What the rules work on: the world, the screen, the parser's memory and the variables of
// the turn under way. Verb handlers take it whole and read their objects from `turn`.
namespace vortila {

// The verb and the objects of the command being performed, and those of the one before.
// The previous verb is the parser's (it reads it for commands that begin with an object).
struct TurnVariables {
  int CurrentVerb = 0;
  int FirstObject = 0;
  int SecondObject = 0;
  bool FirstObjectFeminine = false;
  bool FirstObjectPlural = false;
  bool SecondObjectFeminine = false;
  bool SecondObjectPlural = false;
  int PreviousFirstObject = 0;
  int PreviousSecondObject = 0;
};

// "X con Y" said the other way round, "Y su X": the first object becomes the second and the
// second the first, each with its gender and number.
void SwapObjects(TurnVariables& turn);

// The two commands that reach beyond one game: starting a new one and ending the program.
// The program around the rules provides them.
struct GameControl {
  std::function<void()> restart;
  std::function<void()> quit;
};

struct Rules {
  // The player's folder, where saved games are written and read.
  const std::filesystem::path& folder;
  World& world;
  Screen& screen;
  ParserState& parser;
  Window& window;
  TurnVariables& turn;
  const GameControl& control;
};

// Ids and places the rules name.
inline constexpr std::string_view kNowhere = "n";
inline constexpr std::string_view kNotYetFound = "nulla";
inline constexpr std::string_view kLeftNiche = "alcova_sinistra";
inline constexpr std::string_view kRightNiche = "alcova_destra";
inline constexpr std::string_view kLeftAccumulator = "pila_sinistra";
inline constexpr std::string_view kRightAccumulator = "pila_destra";

// Whether `slot` is the object with this Id; slot 0 is never any object.
bool IsObject(const Rules& rules, int slot, std::string_view id);
// Where the object with this Id is, or nothing when the world has no such object.
std::string_view LocationOf(const Rules& rules, std::string_view id);
// Moves the object with this Id to `place`; the world without such an object is unchanged.
void MoveObject(Rules& rules, std::string_view id, std::string_view place);
bool IsCarried(const Rules& rules, int slot);
// The web and the spider on the ceiling, which no hand reaches ("Troppo in alto.").
bool IsOutOfReach(const Rules& rules, int slot);
bool IsAccumulator(const Rules& rules, int slot);
// Whether the blue button has been pressed, and the vessel filled with air.
bool IsButtonPressed(const Rules& rules);
const std::string& TitleOf(const Rules& rules, int slot);
const std::string& FlagsOf(const Rules& rules, int slot);
// The object's flags, to be rewritten at once.
std::string& ChangeFlags(Rules& rules, int slot);

// The free word of the command (a file name, a topic), or an empty word when it has none.
const std::string& TopicWord(const Rules& rules);

// A tool in hand becomes the second object of the turn without being named, and the player
// is told, as "(metti)" tells of a verb taken from the command before: "(con la chiave
// esagonale)".
void UseToolInHand(Rules& rules, int tool);

// Prints a reply of the rules as a line of its own.
void Say(Rules& rules, std::string_view text);

// Prints a word whose ending follows the gender of the first object, "E' già acces" and
// then "a." or "o.", as one line.
void PrintGendered(Rules& rules, std::string_view stem);

// Shows the picture of the room the player is in.
void ShowRoomPicture(Rules& rules);

}  // namespace vortila
