#pragma once

#include "parser/parser_state.h"
#include "screen/screen.h"
#include "world/world.h"

// The last stages of a parse: the shape of the command after the verb is compared with the
// pattern of each verb entry the first word named, and commands about the room the player
// stands in are turned away.
namespace vortila {

// Chooses the verb whose pattern fits the rest of the command, leaving its code as the
// first candidate of slot 1. A command that begins with an object is taken to continue
// the previous verb.
void MatchPattern(ParserState& parser, const World& world, Screen& screen);

// Refuses a command that names the room the player is in.
void CheckRoomWords(ParserState& parser, Screen& screen);

}  // namespace vortila
