#pragma once

#include "parser/parser_state.h"
#include "world/world.h"

// Before the parser asks which of several objects a word means, the rest of the command
// may already tell: the place the other object lies in, the container that can take it, or
// a plural that means all of them at once.
namespace vortila {

// Narrows the candidates of the object word in `slot`, which still names several objects:
// - after "da", to the ones that hold the object named before ("togli i diodi
//   dall'accumulatore": the accumulator the diodes are in);
// - after "in", to open containers ("metti la piastrina nell'accumulatore": the one that
//   is open);
// - for a plural naming the first object of the command, to the objects that each answer to
//   its singular ("prendi le piastrine": every "piastrina"), which then make a group that
//   the verb is performed on one by one (TokenNamesGroup).
// A rule that would keep none of the candidates leaves them as they were.
void SettleCandidates(ParserState& parser, const World& world, int slot);

}  // namespace vortila
