#pragma once

#include "rules/rules.h"

namespace vortila {

// The game's state once an ending has been shown: any value from 1 to 999 keeps the game
// finished until the player chooses to start again or to leave.
inline constexpr int kVictoryPending = 2000;
inline constexpr int kVictoryShown = 999;
inline constexpr int kRestartMade = 1000;
// The clock value at which the air thread stops for good.
inline constexpr int kClockParked = 82;

// Runs the event of the current clock value, if it has one, then moves the clock on by one
// unless the command does not count as a turn.
void RunTimedEvents(Rules& rules);

// Prints the narration of an ending and puts the game into its finished state: a death
// (codes below 1000) or the victory (2000, which becomes 999). A restart (1000) prints
// nothing.
void ShowEnding(Rules& rules, int& code);

}  // namespace vortila
