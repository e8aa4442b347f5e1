#pragma once

#include "parser/parser_state.h"
#include "screen/screen.h"
#include "world/world.h"

namespace vortila {

// Runs every stage of the parser on `world.InputLine`, in their fixed order. Each stage
// that fails prints its own reply, and later stages still run. Returns whether the command
// goes on to the rules: no stage refused it and it names no room the player is in.
bool ParseCommand(ParserState& parser, World& world, Screen& screen);

}  // namespace vortila
