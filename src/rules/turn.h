#pragma once

#include "rules/rules.h"

namespace vortila {

// Performs one command the parser has accepted: takes the verb and the objects out of the
// token table, does what the verb does, and runs the work that ends every turn (the
// inventory label, the pressed button, the clock, the endings). The quit command ends the
// program at once and skips the end of the turn.
void RunTurn(Rules& rules);

// Performs the verb of the turn. A code that no rule knows does nothing.
void PerformVerb(Rules& rules);

}  // namespace vortila
