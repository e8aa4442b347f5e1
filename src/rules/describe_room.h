#pragma once

#include "parser/parser_state.h"
#include "screen/screen.h"
#include "world/world.h"

namespace vortila {

// Describes the room the player is in: its heading in capitals, its description, what lies
// on its floor; then brings the inventory label and the room's picture up to date.
void DescribeRoom(const World& world, Screen& screen, ParserState& parser);

}  // namespace vortila
