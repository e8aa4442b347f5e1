#pragma once

#include "app/game.h"

// The two key handlers of the command box. Everything that happens in the game happens
// inside one call of these, on the front end's thread.
namespace vortila {

inline constexpr int kEnterKey = 13;  // character code in a key press
inline constexpr int kEndKey = 35;    // key codes in a key down
inline constexpr int kUpKey = 38;
inline constexpr int kDownKey = 40;

// Up and Down browse the last 100 commands; any key but Up, Down and End starts the next
// browse again from the newest command.
void KeyDown(Game& game, int keyCode);

// Enter on a non-empty command box: continues a held page, answers the question after an
// ending, or plays the command. Every other character is left to the command box.
void KeyPress(Game& game, int charCode);

}  // namespace vortila
